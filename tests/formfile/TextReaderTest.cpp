// What the text converter writes for each construct of the text format: the
// lines and the bytes they convert to are in data/text-reader.txt.

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

TEST(TextReader, EveryCaseOfTheDataFile) {
    for (const TDataCase& c : ReadCases(QV_TEST_DATA_DIR "/text-reader.txt"))
        EXPECT_EQ(c.Kind == "prop" ? PropertyBytes(c.Input) : TextToBinary(c.Input, "f.dfm"), c.Expected) << c.Where;
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

}  // namespace
}  // namespace formfile_test
