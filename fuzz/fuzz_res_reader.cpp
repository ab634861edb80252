// Arbitrary bytes as a package's resources: a .res image, a version block,
// and an ELF file whose .rsrc section is wanted. Every reader must fail
// cleanly or succeed; a .res that reads must write back and read again the
// same.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/resfile/ResFile.h"

using namespace vcl::resfile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const auto resources = ReadRes(bytes, "fuzz.res");
        for (const TResource& r : resources) {
            if (r.Type.IsName || r.Type.Id != RT_VERSION) continue;
            try {
                ReadVersionInfo(r.Data, "version");
            } catch (const EResError&) {
            }
        }
        std::string again;
        try {
            again = WriteRes(resources);
        } catch (const EResError&) {
            return 0;  // names the writer refuses (not UTF-8 once decoded)
        }
        if (ReadRes(again, "again.res") != resources) {
            std::fprintf(stderr, "a .res image changed when written back\n");
            std::abort();
        }
    } catch (const EResError&) {
    }
    try {
        ReadVersionInfo(bytes, "fuzz.version");
    } catch (const EResError&) {
    }
    try {
        ElfSection(bytes, ".rsrc", "fuzz.bpl");
    } catch (const EResError&) {
    }
    return 0;
}
