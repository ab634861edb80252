// Binary to text loses nothing: what it writes reads back to the same bits,
// bytes and code units, and what text cannot hold is an error (the written
// values and the errors: data/text-writer.txt).

#include <cstring>
#include <random>

#include "framework/formfile/FormText.h"
#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

std::string Prop(const std::string& name, const std::string& valueBytes) {
    return static_cast<char>(name.size()) + name + valueBytes;
}

std::string RoundTrip(const std::string& bin) { return TextToBinary(BinaryToText(bin, "rt.bin"), "rt.txt"); }

TEST(TextWriter, FloatsReadBackToTheSameBits) {
    std::mt19937_64 rng(20240601);
    std::string props;
    auto add = [&](char tag, const void* bits, size_t n) {
        props += Prop("F", std::string(1, tag) + std::string(static_cast<const char*>(bits), n));
    };
    for (int i = 0; i < 3000; ++i) {
        uint64_t a = rng(), b = rng();
        // Every exponent class: zero, tiny, normal, huge and all-ones, with and
        // without the x87 integer bit.
        const uint16_t exps[] = {0, 1, 0x3FFF, 0x7FFE, 0x7FFF, static_cast<uint16_t>(b)};
        unsigned char ext[10];
        std::memcpy(ext, &a, 8);
        const uint16_t se = exps[i % 6] | static_cast<uint16_t>(b & 0x8000);
        std::memcpy(ext + 8, &se, 2);
        add('\x05', ext, 10);
        const auto single = static_cast<uint32_t>(b >> 7);
        add('\x0F', &single, 4);
        add('\x11', &a, 8);
    }
    const std::string bin = OneObject(props);
    EXPECT_EQ(RoundTrip(bin), bin);
}

// What text reads back to: the same bytes, or for UTF-8 strings (stored
// as wide and 8-bit ones) the same form.
TEST(TextWriter, EveryCaseOfTheDataFile) {
    for (const TDataCase& c : ReadCases(QV_TEST_DATA_DIR "/text-writer.txt")) {
        const std::string bin = c.Kind == "bin" ? c.Input : OneObject(c.Input);
        std::string text;
        const std::string error = ErrorOf<vcl::EReadError>([&] { text = BinaryToText(bin, "x.bin"); });
        EXPECT_EQ(error.empty() ? text : error, c.Expected) << c.Where;
        if (!error.empty()) continue;
        EXPECT_TRUE(vcl::formfile::detail::IsValidUtf8(text)) << c.Where;
        const std::string back = TextToBinary(text, "x.txt");
        if (c.Kind == "utf8") EXPECT_EQ(DescribeForm(back, "back"), DescribeForm(bin, "bin")) << c.Where;
        else EXPECT_EQ(back, bin) << c.Where;
    }
}

TEST(TextWriter, EightBitStringsKeepEveryByteAndTheTextStaysUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string utf8 = "Descri\xC3\xA7\xC3\xA3o \xE2\x82\xAC";
    BinaryWriter w;
    w.WritePropName("All");
    w.WriteString(all);
    w.WritePropName("Utf8");
    w.WriteString(utf8);
    w.WritePropName("Ansi");
    w.WriteString("Descri\xE7\xE3o");
    const std::string bin = OneObject(w.Take());
    const std::string text = BinaryToText(bin, "s.bin");
    EXPECT_TRUE(vcl::formfile::detail::IsValidUtf8(text));
    EXPECT_NE(text.find("Utf8 = '" + utf8 + "'"), std::string::npos);  // readable, not escaped
    EXPECT_NE(text.find("Ansi = 'Descri'#$E7#$E3'o'"), std::string::npos);
    EXPECT_EQ(TextToBinary(text, "s.txt"), bin);
}

TEST(TextWriter, LongStringsAreSplitIntoLinesAndJoinBack) {
    std::string s;
    for (int i = 0; i < 40; ++i) s += "line " + std::to_string(i) + " of a long text\r\n";
    BinaryWriter w;
    w.WritePropName("Text");
    w.WriteString(s);
    w.WritePropName("Items");
    w.WriteValue(TValueType::vaList);
    w.WriteString(std::string(150, 'q'));
    w.WriteListEnd();
    const std::string bin = OneObject(w.Take());
    const std::string text = BinaryToText(bin, "long.bin");
    size_t longest = 0, lines = 0;
    for (size_t at = 0, nl; at < text.size(); at = nl + 1, ++lines) {
        nl = text.find('\n', at);
        longest = std::max(longest, nl - at);
    }
    EXPECT_LE(longest, 80u);
    EXPECT_GT(lines, 40u);
    EXPECT_EQ(TextToBinary(text, "long.txt"), bin);
}

TEST(TextWriter, EveryKindOfValueRoundTrips) {
    const std::string text = ReadFile(QV_TEST_DATA_DIR "/every-value.dfm");
    const std::string bin = TextToBinary(text, "all.txt");
    EXPECT_EQ(BinaryToText(bin, "all.bin"), text);
    EXPECT_EQ(RoundTrip(bin), bin);
}

}  // namespace
}  // namespace formfile_test
