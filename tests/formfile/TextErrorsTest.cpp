// Every error of the text reader names the file, the line and the column of
// the offending token, and quotes it: the cases are in data/text-errors.txt.

#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

std::string ParseError(const std::string& text) {
    return ErrorOf<vcl::EParserError>([&] { TextToBinary(text, "f.dfm"); });
}

std::string PropertyError(const std::string& line) { return ParseError(OneObjectText("  " + line)); }

TEST(TextErrors, EveryCaseOfTheDataFile) {
    for (const TDataCase& c : ReadCases(QV_TEST_DATA_DIR "/text-errors.txt"))
        EXPECT_EQ(c.Kind == "prop" ? PropertyError(c.Input) : ParseError(c.Input), c.Expected)
            << c.Where;
}

TEST(TextErrors, NamesLongerThan255Bytes) {
    const std::string longName(256, 'n');
    EXPECT_EQ(PropertyError(longName + " = 1"),
              "f.dfm:2:3: name of 256 bytes is longer than 255: '" + longName.substr(0, 40) + "...'");
    EXPECT_NE(ParseError("object A: T" + longName + "\nend").find("f.dfm:1:11: name of 257 bytes"), std::string::npos);
    EXPECT_NE(PropertyError("P = " + longName).find("f.dfm:2:7: name of 256 bytes"), std::string::npos);
}

TEST(TextErrors, DeepNestingStopsAtTheLimit) {
    EXPECT_EQ(PropertyError("P = " + std::string(100000, '(')), "f.dfm:2:206: nested deeper than 200 levels");
    std::string objects;
    for (int i = 0; i < 100000; ++i) objects += "object A: TA\n";
    EXPECT_EQ(ParseError(objects), "f.dfm:201:1: nested deeper than 200 levels");
}

}  // namespace
}  // namespace formfile_test
