// Binary to text loses nothing: what it writes reads back to the same bits,
// bytes and code units, and what text cannot hold is an error.

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

TEST(TextWriter, FloatsAreWrittenReadably) {
    BinaryWriter w;
    w.WritePropName("A");
    w.WriteExtended(0.5L);
    w.WritePropName("B");
    w.WriteExtended(14.0L);
    w.WritePropName("C");
    w.WriteExtended(-1.5e-10L);
    w.WritePropName("D");
    w.WriteSingle(0.1f);
    w.WritePropName("E");
    w.WriteCurrency(-5);
    w.WritePropName("F");
    w.WriteDate(std::numeric_limits<double>::infinity());
    const std::string text = BinaryToText(OneObject(w.Take()), "f.bin");
    EXPECT_EQ(text, "object Obj: TObj\n  A = 0.5\n  B = 14.0\n  C = -1.5E-10\n  D = 0.1s\n  E = -0.0005c\n"
                    "  F = !d7FF0000000000000\nend\n");
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

TEST(TextWriter, WideStringsKeepEveryCodeUnit) {
    std::u16string units = u"it's \u0422\u0435\U0001F600";
    units += char16_t{0xD800};  // unpaired surrogates
    units += u"x";
    units += char16_t{0xDC00};
    units += char16_t{0};
    units += char16_t{0xFFFF};
    BinaryWriter w;
    w.WritePropName("W");
    w.WriteWideString(units);
    const std::string bin = OneObject(w.Take());
    const std::string text = BinaryToText(bin, "w.bin");
    EXPECT_NE(text.find("W = 'it''s '#1058#1077#55357#56832#55296'x'#56320#0#65535"), std::string::npos) << text;
    EXPECT_EQ(TextToBinary(text, "w.txt"), bin);
}

TEST(TextWriter, Utf8StringsKeepTheirCharacters) {
    BinaryWriter w;
    w.WritePropName("U");
    w.WriteUTF8String("\xD0\x9F\xD1\x80\xD0\xB8 \xF0\x9F\x98\x80");
    w.WritePropName("Ascii");
    w.WriteUTF8String("plain");
    w.WritePropName("Broken");
    w.WriteUTF8String("bad \xC3 byte");
    const std::string bin = OneObject(w.Take());
    const std::string back = RoundTrip(bin);
    EXPECT_NE(back, bin);  // stored as wide and 8-bit strings now
    EXPECT_EQ(DescribeForm(back, "back"), DescribeForm(bin, "bin"));
    EXPECT_NE(DescribeForm(bin, "bin").find("\"U\" = string \"\\u{41F}\\u{440}\\u{438} \\u{1F600}\""), std::string::npos);
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
    const std::string text =
        "inherited Form1: TForm1 [3]\n"
        "  List = (\n    1\n    -70000\n    78187493530\n    18446744073709551615\n    'a'\n    #1000\n"
        "    Ident.Sub\n    True\n    False\n    nil\n    [a, b]\n    []\n    ()\n    <>\n    {}\n"
        "    {\n      00FF}\n    2.5\n    2.5s\n    2.5d\n    2.5c\n"
        "    (\n      (\n        <\n          item [7]\n            Inner = (\n              1)\n"
        "            inherited = 2\n          end>))\n"
        "    !eFFFF0000000000000001)\n"
        "  inline Frame1: TFrame1\n    object TAnon\n    end\n  end\n"
        "end\n";
    const std::string bin = TextToBinary(text, "all.txt");
    EXPECT_EQ(BinaryToText(bin, "all.bin"), text);
    EXPECT_EQ(RoundTrip(bin), bin);
}

TEST(TextWriter, ValuesTextCannotHoldAreErrorsWithTheirOffset) {
    auto error = [](const std::string& props) {
        return ErrorOf<vcl::EReadError>([&] { BinaryToText(OneObject(props), "x.bin"); });
    };
    const size_t first = OneObject("").size() - 2;  // where the first property starts
    EXPECT_EQ(error(Prop("N", B("\x00"))), "x.bin: offset " + std::to_string(first + 2) + ": a vaNull value cannot be written as text");
    EXPECT_EQ(error(Prop("I", B("\x07\x04true"))),
              "x.bin: offset " + std::to_string(first + 2) + ": identifier 'true' cannot be written as text");
    EXPECT_EQ(error(Prop("end", B("\x02\x01"))),
              "x.bin: offset " + std::to_string(first) + ": property name 'end' cannot be written as text");
    EXPECT_EQ(error(Prop("a b", B("\x02\x01"))),
              "x.bin: offset " + std::to_string(first) + ": property name 'a b' cannot be written as text");
    EXPECT_EQ(error(Prop("S", B("\x0B\x03" "a-b\x00"))),
              "x.bin: offset " + std::to_string(first + 3) + ": set member 'a-b' cannot be written as text");
    EXPECT_EQ(ErrorOf<vcl::EReadError>([] { BinaryToText(B("TPF0\xF5\x01T\x00\x00\x00"), "x.bin"); }),
              "x.bin: offset 4: an object cannot be both inherited and inline in text");
    EXPECT_EQ(ErrorOf<vcl::EReadError>([] { BinaryToText(B("TPF0\x00\x01" "A\x00\x00"), "x.bin"); }),
              "x.bin: offset 4: class name '' cannot be written as text");
}

}  // namespace
}  // namespace formfile_test
