// What the text converter writes for each construct of the text format.

#include <cstring>

#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

// The property bytes that one "name = value" line converts to.
std::string PropertyBytes(const std::string& line) {
    const std::string bin = TextToBinary(OneObjectText("  " + line), "prop.dfm");
    const std::string empty = OneObject("");
    EXPECT_TRUE(bin.starts_with(empty.substr(0, empty.size() - 2))) << line;
    return bin.substr(empty.size() - 2, bin.size() - empty.size());
}

std::string Written(void (*write)(BinaryWriter&)) {
    BinaryWriter w;
    write(w);
    return w.Take();
}

TEST(TextReader, IntegersInDecimalHexAndBeyondInt64) {
    EXPECT_EQ(PropertyBytes("P = -129"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteInteger(-129); }));
    EXPECT_EQ(PropertyBytes("P = $7F"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteInteger(127); }));
    // Hex keeps all 64 bits: $FFFFFFFF is 4294967295, sixteen F's are -1.
    EXPECT_EQ(PropertyBytes("P = $FFFFFFFF"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteInteger(0xFFFFFFFF); }));
    EXPECT_EQ(PropertyBytes("P = $FFFFFFFFFFFFFFFF"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteInteger(-1); }));
    EXPECT_EQ(PropertyBytes("P = -9223372036854775808"),
              Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteInteger(INT64_MIN); }));
    EXPECT_EQ(PropertyBytes("P = 18446744073709551615"),
              Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteQWord(UINT64_MAX); }));
}

TEST(TextReader, FloatsAndTheirSuffixes) {
    EXPECT_EQ(PropertyBytes("P = 0.1"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteExtended(0.1L); }));
    EXPECT_EQ(PropertyBytes("P = -2.5E-3"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteExtended(-2.5e-3L); }));
    EXPECT_EQ(PropertyBytes("P = 7."), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteExtended(7.0L); }));
    EXPECT_EQ(PropertyBytes("P = 0.1s"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteSingle(0.1f); }));
    EXPECT_EQ(PropertyBytes("P = 3S"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteSingle(3.0f); }));
    EXPECT_EQ(PropertyBytes("P = 45000.1d"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteDate(45000.1); }));
    EXPECT_EQ(PropertyBytes("P = -12.34567c"), Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteCurrency(-123457); }));
    EXPECT_EQ(PropertyBytes("P = 922337203685477.5807c"),
              Written([](BinaryWriter& w) { w.WritePropName("P"); w.WriteCurrency(INT64_MAX); }));
    const std::string negZero = PropertyBytes("P = -0.0");
    EXPECT_EQ(static_cast<unsigned char>(negZero.back()), 0x80);  // the sign bit survives
}

TEST(TextReader, StringsJoinQuotedRunsCodesAndContinuations) {
    auto str = [](std::string s) {
        BinaryWriter w;
        w.WritePropName("S");
        w.WriteString(s);
        return w.Take();
    };
    EXPECT_EQ(PropertyBytes("S = 'it''s'"), str("it's"));
    EXPECT_EQ(PropertyBytes("S = ''"), str(""));
    EXPECT_EQ(PropertyBytes("S = 'a'#13#10'b'#39"), str("a\r\nb'"));
    EXPECT_EQ(PropertyBytes("S = 'one' +\n    'two' + #9"), str("onetwo\t"));
    EXPECT_EQ(PropertyBytes("S = 'caf\xC3\xA9'"), str("caf\xC3\xA9"));  // raw bytes stay bytes
    EXPECT_EQ(PropertyBytes("S = 'x'#$E9#$00"), str(B("x\xE9\0")));
    EXPECT_EQ(PropertyBytes("S = '" + std::string(200, 'a') + "' + '" + std::string(56, 'b') + "'"),
              str(std::string(200, 'a') + std::string(56, 'b')));  // 256 bytes: the long form
}

// As the reference converter does: one code above 127 anywhere in the joined
// value makes it a wide string, and every byte becomes the unit of its value.
TEST(TextReader, OneCodeAbove127MakesTheWholeStringWide) {
    auto wide = [](std::u16string s) {
        BinaryWriter w;
        w.WritePropName("S");
        w.WriteWideString(s);
        return w.Take();
    };
    EXPECT_EQ(PropertyBytes("S = #1058#1077"), wide(u"\u0422\u0435"));
    EXPECT_EQ(PropertyBytes("S = #200"), wide(u"\u00C8"));
    EXPECT_EQ(PropertyBytes("S = '\xC3\xA9' + #300"), wide(u"\u00C3\u00A9\u012C"));
    EXPECT_EQ(PropertyBytes("S = #300 + 'a'#$E9"), wide(u"\u012Ca\u00E9"));
    EXPECT_EQ(PropertyBytes("S = #55357#56832"), wide(u"\U0001F600"));
}

TEST(TextReader, IdentifiersBooleansAndNil) {
    EXPECT_EQ(PropertyBytes("P = TRUE"), B("\x01P\x09"));
    EXPECT_EQ(PropertyBytes("P = false"), B("\x01P\x08"));
    EXPECT_EQ(PropertyBytes("P = Nil"), B("\x01P\x0D"));
    EXPECT_EQ(PropertyBytes("P = Null"), B("\x01P\x07\x04Null"));  // only the three words
    EXPECT_EQ(PropertyBytes("P = Form1.Button1"), B("\x01P\x07\x0D" "Form1.Button1"));
}

TEST(TextReader, SetsListsCollectionsAndBinaryData) {
    EXPECT_EQ(PropertyBytes("P = []"), B("\x01P\x0B\x00"));
    EXPECT_EQ(PropertyBytes("P = [ a ,b ]"), B("\x01P\x0B\x01" "a\x01" "b\x00"));
    EXPECT_EQ(PropertyBytes("P = ()"), B("\x01P\x01\x00"));
    EXPECT_EQ(PropertyBytes("P = (1 (x) 'y')"), B("\x01P\x01\x02\x01\x01\x07\x01x\x00\x06\x01y\x00"));
    EXPECT_EQ(PropertyBytes("P = <>"), B("\x01P\x0E\x00"));
    EXPECT_EQ(PropertyBytes("P = <item [3] end item end>"), B("\x01P\x0E\x02\x03\x01\x00\x01\x00\x00"));
    EXPECT_EQ(PropertyBytes("P = {}"), B("\x01P\x0A\x00\x00\x00\x00"));
    EXPECT_EQ(PropertyBytes("P = {\n  0aFF\n  10 }"), B("\x01P\x0A\x03\x00\x00\x00\x0A\xFF\x10"));
}

TEST(TextReader, ObjectHeadersAndNesting) {
    const std::string bin = TextToBinary(
        "inherited Form1: TForm1\n"
        "  inline Frame: TFrame [2]\n    object TGutterPart\n    end\n  end\n"
        "  object TAnonymous [1]\n  end\n"
        "  Object Lower: tlower\n    Font.Color = clRed\n    Font . Size=8\n  END\n"
        "end",
        "hdr.dfm");
    const std::string expected = B("TPF0\xF1\x06TForm1\x05" "Form1\x00") +
                                 B("\xF6\x02\x02\x06TFrame\x05" "Frame\x00") +
                                 B("\x0BTGutterPart\x00\x00\x00") + B("\x00") +
                                 B("\xF2\x02\x01\x0ATAnonymous\x00\x00\x00") +
                                 B("\x06tlower\x05Lower\x0A" "Font.Color\x07\x05" "clRed\x09" "Font.Size\x02\x08\x00\x00") +
                                 B("\x00");
    EXPECT_EQ(bin, expected);
}

TEST(TextReader, LineEndsAndByteOrderMarkDoNotMatter) {
    const std::string lf = "object A: TA\n  S = 'x'\n  N = 1\nend\n";
    const std::string expected = TextToBinary(lf, "lf");
    std::string crlf, cr;
    for (char c : lf) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    EXPECT_EQ(TextToBinary(crlf, "crlf"), expected);
    EXPECT_EQ(TextToBinary(cr, "cr"), expected);
    EXPECT_EQ(TextToBinary("\xEF\xBB\xBF" + lf, "bom"), expected);
}

TEST(TextReader, NonAsciiIdentifiersAreKeptAsUtf8) {
    const std::string bin = TextToBinary("object Form: TForm\n  object FDTable1Fun\xC3\xA7\xC3\xA3o: TField\n  end\nend", "u.dfm");
    EXPECT_NE(bin.find("\x10" "FDTable1Fun\xC3\xA7\xC3\xA3o"), std::string::npos);
}

}  // namespace
}  // namespace formfile_test
