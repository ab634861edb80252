// The dfmconv program: conversions, exit codes, and no output left behind
// when it fails.

#include "tests/formfile/FormFileTestSupport.h"
#include "tests/support/ProgramFixture.h"

namespace formfile_test {
namespace {

class Dfmconv : public vcltest::ProgramTest {
protected:
    vcltest::TRun Run(const std::string& args) { return ProgramTest::Run(QV_DFMCONV, args); }
    std::string Read(const std::string& name) { return vcltest::Slurp(dir / name); }
    // The files in the test's folder besides the programs' output.
    size_t Files() {
        size_t n = 0;
        for (const auto& e : fs::directory_iterator(dir))
            n += e.path().filename() != "stdout" && e.path().filename() != "stderr";
        return n;
    }
};

const char* const kText = "object Form1: TForm1\n  Caption = 'Hello'\n  Tag = 300\nend\n";

TEST_F(Dfmconv, ConvertsBothWaysAndDetectsTheInputFormat) {
    Write("in.dfm", kText);
    ASSERT_EQ(Run("--to binary in.dfm out.bin").Status, 0);
    const std::string bin = Read("out.bin");
    EXPECT_EQ(bin, TextToBinary(kText, "in.dfm"));

    const auto n = static_cast<uint32_t>(bin.size());
    const std::string res = B("\xFF\x0A\x00TFORM1\x00\x30\x10") + std::string(reinterpret_cast<const char*>(&n), 4) + bin;
    Write("res.dfm", res);
    ASSERT_EQ(Run("--to text res.dfm out.txt").Status, 0);
    EXPECT_EQ(Read("out.txt"), BinaryToText(bin, "res.dfm"));
    ASSERT_EQ(Run("res.dfm plain.bin --to binary").Status, 0);
    EXPECT_EQ(Read("plain.bin"), bin);  // the resource header is dropped

    Write("messy.dfm", "object Form1:TForm1 Caption='Hello' Tag=300 end");
    ASSERT_EQ(Run("--to text messy.dfm tidy.dfm").Status, 0);
    EXPECT_EQ(Read("tidy.dfm"), kText);
}

TEST_F(Dfmconv, FailedConversionLeavesNoOutputBehind) {
    Write("bad.dfm", "object Form1: TForm1\n  Caption = 'Hello\nend\n");
    vcltest::TRun r = Run("--to binary bad.dfm out.bin");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "bad.dfm:2:13: unterminated string: the closing quote is missing before the end of the line\n");
    EXPECT_FALSE(fs::exists(dir / "out.bin"));
    EXPECT_EQ(Files(), 1u);

    Write("out.txt", "keep me");
    Write("bad.bin", "TPF0\x05TForm\x05" "Form1\x04Left\x69");
    r = Run("--to text bad.bin out.txt");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "bad.bin: offset 21: unknown value type 105\n");
    EXPECT_EQ(Read("out.txt"), "keep me");
    EXPECT_EQ(Files(), 3u);

    r = Run("--to text missing.dfm x.txt");
    EXPECT_EQ(r.Status, 1);
    EXPECT_TRUE(r.Err.starts_with("missing.dfm: cannot open")) << r.Err;
    EXPECT_EQ(Files(), 3u);
}

TEST_F(Dfmconv, BadArgumentsExitWithUsageNamingThem) {
    const struct {
        std::string Args, Named;
    } cases[] = {
        {"--to xml a b", "'xml'"},
        {"--bogus --to text a b", "'--bogus'"},
        {"--to text a b c", "'c'"},
        {"--to text a", "missing OUT"},
        {"a b", "--to"},
        {"--to", "'--to' needs a format"},
    };
    for (const auto& c : cases) {
        const vcltest::TRun r = Run(c.Args);
        EXPECT_EQ(r.Status, 2) << c.Args;
        EXPECT_NE(r.Err.find(c.Named), std::string::npos) << c.Args << ": " << r.Err;
        EXPECT_NE(r.Err.find("usage: dfmconv"), std::string::npos) << c.Args;
    }
    const vcltest::TRun help = Run("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.starts_with("usage: dfmconv --to binary|text IN OUT")) << help.Out;
}

}  // namespace
}  // namespace formfile_test
