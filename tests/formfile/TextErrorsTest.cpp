// Every error of the text reader names the file, the line and the column of
// the offending token, and quotes it.

#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

std::string ParseError(const std::string& text) {
    return ErrorOf<vcl::EParserError>([&] { TextToBinary(text, "f.dfm"); });
}

std::string PropertyError(const std::string& line) { return ParseError(OneObjectText("  " + line)); }

TEST(TextErrors, UnterminatedStringPointsAtItsStart) {
    EXPECT_EQ(PropertyError("S = 'abc\n  T = 1"),
              "f.dfm:2:7: unterminated string: the closing quote is missing before the end of the line");
    EXPECT_EQ(ParseError("object A: TA\n  S = 'x' + 'abc"),
              "f.dfm:2:13: unterminated string: the closing quote is missing before the end of the line");
    EXPECT_EQ(PropertyError(std::string("S = 'a\0b'", 10)), "f.dfm:2:9: NUL byte in string");
}

TEST(TextErrors, BadCharacterCodes) {
    EXPECT_EQ(PropertyError("S = 'a'#"), "f.dfm:2:10: bad character code: '#' must be followed by decimal digits");
    EXPECT_EQ(PropertyError("S = #65536"), "f.dfm:2:7: bad character code '#65536': above 65535");
    EXPECT_EQ(PropertyError("S = #$4"), "f.dfm:2:7: bad character code: '#$' takes exactly two hex digits");
    EXPECT_EQ(PropertyError("S = #$414"), "f.dfm:2:7: bad character code: '#$' takes exactly two hex digits");
    EXPECT_EQ(PropertyError("S = 'a' + 5"), "f.dfm:2:13: expected a string after '+', found number '5'");
}

TEST(TextErrors, BinaryDataWithAnOddDigitOrNoClosingBrace) {
    EXPECT_EQ(PropertyError("B = {\n    00FF\n    A}"), "f.dfm:4:5: binary data has an odd number of hex digits");
    EXPECT_EQ(PropertyError("B = {00 X}"), "f.dfm:2:11: expected '}' to close the binary data, found 'X'");
}

TEST(TextErrors, MisplacedTokensAreQuoted) {
    EXPECT_EQ(PropertyError("Left 10"), "f.dfm:2:8: expected '=' after property name 'Left', found number '10'");
    EXPECT_EQ(PropertyError("Left = )"), "f.dfm:2:10: expected a value, found ')'");
    EXPECT_EQ(PropertyError("P = [a b]"), "f.dfm:2:10: expected ',' or ']' in a set, found 'b'");
    EXPECT_EQ(PropertyError("P = <x>"), "f.dfm:2:8: expected 'item' or '>' in a collection, found 'x'");
    EXPECT_EQ(ParseError("thing A: TA\nend"), "f.dfm:1:1: expected 'object', 'inherited' or 'inline', found 'thing'");
    EXPECT_EQ(ParseError("object A: TA [x]\nend"), "f.dfm:1:15: expected the child position (an integer), found 'x'");
    EXPECT_EQ(ParseError("object A: TA\n  object B: TB\n  end\n  Late = 1\nend"),
              "f.dfm:4:3: expected 'end' or a child object, found 'Late'");
    EXPECT_EQ(PropertyError("P = \x01"), "f.dfm:2:7: expected a value, found character #1");
}

TEST(TextErrors, EndOfFileWhereMoreIsNeeded) {
    EXPECT_EQ(ParseError(""), "f.dfm:1:1: expected 'object', 'inherited' or 'inline', found end of file");
    EXPECT_EQ(ParseError("object A: TA\n  P = 1\n"), "f.dfm:3:1: expected a property name or 'end', found end of file");
    EXPECT_EQ(ParseError("object A: TA\n  P = (1\n    2"), "f.dfm:2:7: list is not closed: ')' is missing");
    EXPECT_EQ(ParseError("object A: TA\n  P ="), "f.dfm:2:6: expected a value, found end of file");
}

TEST(TextErrors, TextAfterTheFinalEnd) {
    EXPECT_NO_THROW(TextToBinary("object A: TA\nend\n\n  \r\n", "f.dfm"));
    EXPECT_EQ(ParseError("object A: TA\nend\nobject B: TB\nend\n"), "f.dfm:3:1: unexpected 'object' after the final 'end'");
}

TEST(TextErrors, NumbersOutOfRange) {
    EXPECT_EQ(PropertyError("P = 18446744073709551616"), "f.dfm:2:7: integer out of range: number '18446744073709551616'");
    EXPECT_EQ(PropertyError("P = -9223372036854775809"), "f.dfm:2:7: integer out of range: number '-9223372036854775809'");
    EXPECT_EQ(PropertyError("P = $10000000000000000"), "f.dfm:2:7: integer out of range: number '$10000000000000000'");
    EXPECT_EQ(PropertyError("P = $"), "f.dfm:2:7: invalid integer '$': hex digits expected");
    EXPECT_EQ(PropertyError("P = 1e5000"), "f.dfm:2:7: number out of range: number '1e5000'");
    EXPECT_EQ(PropertyError("P = 1e39s"), "f.dfm:2:7: number out of range: number '1e39s'");
    EXPECT_EQ(PropertyError("P = 1e309d"), "f.dfm:2:7: number out of range: number '1e309d'");
    EXPECT_NO_THROW(TextToBinary(OneObjectText("P = 1e308d"), "ok"));
    EXPECT_EQ(PropertyError("P = 922337203685477.5808c"), "f.dfm:2:7: number out of range: number '922337203685477.5808c'");
    EXPECT_EQ(PropertyError("P = 1.5e+"), "f.dfm:2:7: invalid float '1.5e+': exponent digits expected");
    EXPECT_EQ(PropertyError("P = !x00"), "f.dfm:2:7: expected 'e', 's' or 'd' after '!' for the bits of a float");
    EXPECT_EQ(PropertyError("P = !s7F80"), "f.dfm:2:7: '!s' takes exactly 8 hex digits");
}

TEST(TextErrors, NamesLongerThan255Bytes) {
    const std::string longName(256, 'n');
    EXPECT_EQ(PropertyError(longName + " = 1"),
              "f.dfm:2:3: name of 256 bytes is longer than 255: '" + longName.substr(0, 40) + "...'");
    EXPECT_NE(ParseError("object A: T" + longName + "\nend").find("f.dfm:1:11: name of 257 bytes"), std::string::npos);
    EXPECT_NE(PropertyError("P = " + longName).find("f.dfm:2:7: name of 256 bytes"), std::string::npos);
}

TEST(TextErrors, InvalidUtf8OutsideStrings) {
    EXPECT_EQ(ParseError("object A\xE9: TA\nend"), "f.dfm:1:9: invalid UTF-8 byte 0xE9 outside a string");
}

TEST(TextErrors, ColumnsCountCharactersNotBytes) {
    EXPECT_EQ(PropertyError("S = '\xC3\xA9\xE2\x82\xAC' ?"), "f.dfm:2:12: expected a property name or 'end', found '?'");
}

TEST(TextErrors, DeepNestingStopsAtTheLimit) {
    EXPECT_EQ(PropertyError("P = " + std::string(100000, '(')), "f.dfm:2:206: nested deeper than 200 levels");
    std::string objects;
    for (int i = 0; i < 100000; ++i) objects += "object A: TA\n";
    EXPECT_EQ(ParseError(objects), "f.dfm:201:1: nested deeper than 200 levels");
}

}  // namespace
}  // namespace formfile_test
