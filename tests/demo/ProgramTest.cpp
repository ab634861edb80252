// HoverBench run as a program, as a user runs it: the tour, scripts, the
// log, the exit status, and wrong arguments.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string LastLine(const std::string& Text) {
    std::string t = Text;
    if (!t.empty() && t.back() == '\n') t.pop_back();
    return t.substr(t.rfind('\n') + 1);
}

class HoverBenchProgram : public vcltest::ProgramTest {
protected:
    vcltest::TRun Run(const std::string& Args) { return ProgramTest::Run(QV_HOVERBENCH, Args); }
};

TEST_F(HoverBenchProgram, WithoutADisplayTheTourLogsEveryStepAndWritesItsScreenshots) {
    const vcltest::TRun r = Run("");
    ASSERT_EQ(r.Status, 0) << r.Err;
    for (const char* line : {
             "enter FormDemo.Label2\n", "leave FormDemo.Edit1\n", "enter FormDemo.pnlThe\n",
             "enter FormDemo.pnlPanels\n", "enter FormAbout.FormAbout\n", "leave FormAbout.FormAbout\n",
             "messagebox title=\"Adding Control\" text=\"The control \\\"pnlPanels\\\" is already additioned.\" "
             "style=0x10\n",
             "messagebox title=\"Removing Control\" text=\"The control \\\"pnlPanels\\\" haven't been additioned.\" "
             "style=0x10\n"})
        EXPECT_NE(r.Out.find(line), std::string::npos) << line;
    EXPECT_EQ(r.Out.find("pnlChildMessage"), std::string::npos) << "never tracked";
    EXPECT_NE(r.Out.find("\ntour: 24 steps, "), std::string::npos);
    EXPECT_EQ(LastLine(r.Out), "exit 0");
    int shots = 0;
    for (const auto& entry : fs::directory_iterator(dir / "hoverbench-tour")) {
        EXPECT_EQ(vcltest::Slurp(entry.path()).substr(0, 8), "\x89PNG\r\n\x1a\n") << entry.path();
        ++shots;
    }
    EXPECT_EQ(shots, 24);
    EXPECT_TRUE(fs::exists(dir / "hoverbench-tour" / "13-add-again-box-a.png"));
}

TEST_F(HoverBenchProgram, ScriptDrivesBothFormsAndEndsWithTheMainForm) {
    Write("run.txt",
          "move FormDemo.Edit1 50 10\n"
          "click FormDemo.pnlAbout\n"
          "# inside the modal about box\n"
          "move FormAbout 20 20\n"
          "dump\n"
          "close FormAbout\n"
          "click FormDemo.pnlExit\n");
    const vcltest::TRun r = Run("--script run.txt");
    ASSERT_EQ(r.Status, 0) << r.Err;
    const size_t main = r.Out.find("object FormDemo: TFormDemo\n"), about = r.Out.find("object FormAbout: TFormAbout\n");
    ASSERT_NE(main, std::string::npos);
    ASSERT_NE(about, std::string::npos);
    EXPECT_LT(main, about) << "the main form first";
    EXPECT_NE(r.Out.find("Caption = 'IN!'"), std::string::npos);
    EXPECT_NE(r.Out.find("Caption = 'Controls Additioned: 39'"), std::string::npos);
    EXPECT_NE(r.Out.find("enter FormDemo.Edit1\n"), std::string::npos);
    EXPECT_EQ(LastLine(r.Out), "exit 0");

    // --trace adds the messages and the tracker's part, around the log.
    Write("trace.txt", "move FormDemo.Edit1 50 10\nclick FormDemo.pnlExit\n");
    const vcltest::TRun traced = Run("--trace --script trace.txt");
    EXPECT_EQ(traced.Status, 0) << traced.Err;
    const size_t msg = traced.Out.find("FormDemo: CM_MOUSEENTER wParam=0 lParam=Edit1\n"),
                 handler = traced.Out.find("  QVTrack.OnMouseEnter(Edit1)\n"),
                 logged = traced.Out.find("enter FormDemo.Edit1\n");
    EXPECT_NE(msg, std::string::npos) << traced.Out;
    EXPECT_LT(msg, handler);
    EXPECT_LT(handler, logged);
}

TEST_F(HoverBenchProgram, WrongArgumentsAndBadScriptsAreNamedWithANonZeroExit) {
    Write("bad.txt", "move FormDemo.Edit1\nwiggle 3\n");
    Write("unknown.txt", "move FormDemo.Edit1\nmove FormDemo.NoSuchControl\n");
    Write("file", "");
    Write("shot.txt", "shot no-such-folder/a.png\nmove FormDemo.Edit1\n");
    struct TCase {
        std::string Args;
        int Status;
        std::string Message;
    };
    const TCase cases[] = {
        {"--bogus", 2, "unknown argument '--bogus'"},
        {"--script", 2, "option '--script' needs a value"},
        {"--backend vulkan", 2, "unknown backend 'vulkan'"},
        {"--backend sdl", 1, "the sdl backend cannot start: no display"},
        {"--tour --script bad.txt", 2, "--tour and --script cannot be combined"},
        {"--script missing.txt", 1, "cannot read 'missing.txt'"},
        {"--script bad.txt", 1, "bad.txt:2: unknown command 'wiggle'"},
        {"--script unknown.txt", 1, "unknown.txt:2: form 'FormDemo' has no control named 'NoSuchControl'"},
        {"--tour --shots file/sub", 1, "cannot create 'file/sub'"},
        {"--script shot.txt", 1, "no-such-folder/a.png"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Args);
        const vcltest::TRun r = Run(c.Args);
        EXPECT_EQ(r.Status, c.Status);
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }
}

}  // namespace
