// Arbitrary bytes as a binary form. Besides surviving every input, a stream
// that renders as text must read back from that text with the same content.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/FormFiles.h"

using namespace vcl::formfile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bin(reinterpret_cast<const char*>(data), size);
    std::string text;
    try {
        text = BinaryToText(bin, "fuzz.bin");
    } catch (const vcl::EReadError&) {
        try {
            DescribeForm(bin, "fuzz.bin");  // must fail or succeed cleanly too
        } catch (const vcl::EReadError&) {
        }
        return 0;
    }
    try {
        const std::string back = TextToBinary(text, "fuzz.txt");
        if (DescribeForm(back, "back") != DescribeForm(bin, "fuzz.bin")) {
            std::fprintf(stderr, "content changed through text:\n%s\n", text.c_str());
            std::abort();
        }
    } catch (const vcl::Exception& e) {
        std::fprintf(stderr, "text written from a binary form does not read back: %s\n%s\n", e.what(), text.c_str());
        std::abort();
    }
    return 0;
}
