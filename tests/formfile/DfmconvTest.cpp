// The dfmconv program: conversions, exit codes, and no output left behind
// when it fails.

#include <sys/wait.h>

#include <cstdlib>

#include "tests/formfile/FormFileTestSupport.h"

namespace formfile_test {
namespace {

struct Result {
    int Exit = -1;
    std::string Out, Err;
};

class Dfmconv : public ::testing::Test {
protected:
    Result Run(const std::string& args) {
        const fs::path out = FLogs / "stdout", err = FLogs / "stderr";
        const std::string cmd = std::string("'") + QV_DFMCONV + "' " + args + " >'" + out.string() + "' 2>'" + err.string() + "'";
        const int rc = std::system(cmd.c_str());
        Result r;
        r.Exit = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        r.Out = ReadFile(out);
        r.Err = ReadFile(err);
        return r;
    }
    std::string P(const std::string& name) { return (FDir / name).string(); }
    size_t FilesInDir() {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(FDir.Path())) ++n;
        return n;
    }

    TempDir FDir, FLogs;
};

const char* const kText = "object Form1: TForm1\n  Caption = 'Hello'\n  Tag = 300\nend\n";

TEST_F(Dfmconv, ConvertsBothWaysAndDetectsTheInputFormat) {
    WriteFile(P("in.dfm"), kText);
    ASSERT_EQ(Run("--to binary " + P("in.dfm") + " " + P("out.bin")).Exit, 0);
    const std::string bin = ReadFile(P("out.bin"));
    EXPECT_EQ(bin, TextToBinary(kText, "in.dfm"));

    const auto n = static_cast<uint32_t>(bin.size());
    const std::string res = B("\xFF\x0A\x00TFORM1\x00\x30\x10") + std::string(reinterpret_cast<const char*>(&n), 4) + bin;
    WriteFile(P("res.dfm"), res);
    ASSERT_EQ(Run("--to text " + P("res.dfm") + " " + P("out.txt")).Exit, 0);
    EXPECT_EQ(ReadFile(P("out.txt")), BinaryToText(bin, "res.dfm"));
    ASSERT_EQ(Run(P("res.dfm") + " " + P("plain.bin") + " --to binary").Exit, 0);
    EXPECT_EQ(ReadFile(P("plain.bin")), bin);  // the resource header is dropped

    WriteFile(P("messy.dfm"), "object Form1:TForm1 Caption='Hello' Tag=300 end");
    ASSERT_EQ(Run("--to text " + P("messy.dfm") + " " + P("tidy.dfm")).Exit, 0);
    EXPECT_EQ(ReadFile(P("tidy.dfm")), kText);
}

TEST_F(Dfmconv, FailedConversionLeavesNoOutputBehind) {
    WriteFile(P("bad.dfm"), "object Form1: TForm1\n  Caption = 'Hello\nend\n");
    Result r = Run("--to binary " + P("bad.dfm") + " " + P("out.bin"));
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, P("bad.dfm") + ":2:13: unterminated string: the closing quote is missing before the end of the line\n");
    EXPECT_FALSE(fs::exists(P("out.bin")));
    EXPECT_EQ(FilesInDir(), 1u);

    WriteFile(P("out.txt"), "keep me");
    WriteFile(P("bad.bin"), "TPF0\x05TForm\x05" "Form1\x04Left\x69");
    r = Run("--to text " + P("bad.bin") + " " + P("out.txt"));
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, P("bad.bin") + ": offset 21: unknown value type 105\n");
    EXPECT_EQ(ReadFile(P("out.txt")), "keep me");
    EXPECT_EQ(FilesInDir(), 3u);

    r = Run("--to text " + P("missing.dfm") + " " + P("x.txt"));
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.starts_with(P("missing.dfm") + ": cannot open")) << r.Err;
    EXPECT_EQ(FilesInDir(), 3u);
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
        const Result r = Run(c.Args);
        EXPECT_EQ(r.Exit, 2) << c.Args;
        EXPECT_NE(r.Err.find(c.Named), std::string::npos) << c.Args << ": " << r.Err;
        EXPECT_NE(r.Err.find("usage: dfmconv"), std::string::npos) << c.Args;
    }
    const Result help = Run("--help");
    EXPECT_EQ(help.Exit, 0);
    EXPECT_TRUE(help.Out.starts_with("usage: dfmconv --to binary|text IN OUT")) << help.Out;
}

}  // namespace
}  // namespace formfile_test
