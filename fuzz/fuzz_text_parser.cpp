// Arbitrary bytes as a text form. Besides surviving every input, whatever
// converts to binary must render as text and convert back to the same bytes.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/FormFiles.h"

using namespace vcl::formfile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string bin;
    try {
        bin = TextToBinary(text, "fuzz.txt");
    } catch (const vcl::EParserError&) {
        return 0;
    }
    std::string rendered;
    try {
        rendered = BinaryToText(bin, "fuzz.bin");
        if (TextToBinary(rendered, "rendered.txt") != bin) {
            std::fprintf(stderr, "bytes changed through text:\n%s\n", rendered.c_str());
            std::abort();
        }
    } catch (const vcl::Exception& e) {
        std::fprintf(stderr, "converted form does not survive text: %s\n%s\n", e.what(), rendered.c_str());
        std::abort();
    }
    return 0;
}
