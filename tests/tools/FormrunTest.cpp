// formrun, run as a program: dumps, input scripts, and its errors.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class Formrun : public vcltest::ProgramTest {
protected:
    vcltest::TRun Run(const std::string& args) { return ProgramTest::Run(QV_FORMRUN, args); }
    static std::string Data(const std::string& name) { return std::string(QV_TEST_DATA_DIR) + "/" + name; }
};

}  // namespace

TEST_F(Formrun, FormWithEveryControlKindIsDumpedBackIdentically) {
    vcltest::TRun r = Run(Data("Controls.dfm"));
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, vcltest::Slurp(Data("Controls.dfm")));
    // The same form in the binary format gives the same dump.
    fs::path bin = dir / "Controls.bin";
    std::string conv = std::string(QV_DFMCONV) + " --to binary " + Data("Controls.dfm") + " " + bin.string();
    ASSERT_EQ(std::system(conv.c_str()), 0);
    vcltest::TRun rb = Run(bin.string());
    ASSERT_EQ(rb.Status, 0) << rb.Err;
    EXPECT_EQ(rb.Out, r.Out);
}

TEST_F(Formrun, ScriptClicksAndTypesAsAUserWould) {
    fs::path script = Write("s.txt",
                            "# tick, choose, type\n"
                            "click MainForm.CheckBox1\n"
                            "click MainForm.RadioButton1 5 5\n"
                            "click MainForm.Edit1\n"
                            "key End\n"
                            "type  and more\n"
                            "key Backspace\n"
                            "dump\n");
    vcltest::TRun r = Run(Data("Controls.dfm") + " --script " + script.string());
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("    Caption = 'Check'\n    Checked = True\n    State = cbChecked\n"), std::string::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("    Caption = 'Radio 1'\n    Checked = True\n"), std::string::npos) << r.Out;
    EXPECT_EQ(r.Out.find("    Caption = 'Radio 2'\n    Checked = True\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Text = 'Edit1 and mor'"), std::string::npos) << r.Out;
}

TEST_F(Formrun, ScriptErrorsNameTheLine) {
    fs::path bad = Write("bad.txt", "move 1 2\n\njump 3 4\n");
    vcltest::TRun r = Run(Data("Controls.dfm") + " --script " + bad.string());
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("bad.txt:3: unknown command 'jump'"), std::string::npos) << r.Err;
    fs::path path = Write("path.txt", "move MainForm.NoSuchControl\n");
    r = Run(Data("Controls.dfm") + " --script " + path.string());
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("path.txt:1: form 'MainForm' has no control named 'NoSuchControl'"), std::string::npos)
        << r.Err;
    fs::path coords = Write("coords.txt", "click 10\n");
    r = Run(Data("Controls.dfm") + " --script " + coords.string());
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("coords.txt:1:"), std::string::npos) << r.Err;
}

TEST_F(Formrun, ShotWritesTheDesktopAsPng) {
    fs::path shot = dir / "out.png";
    fs::path script = Write("s.txt", "shot " + shot.string() + "\n");
    vcltest::TRun r = Run(Data("Controls.dfm") + " --script " + script.string());
    EXPECT_EQ(r.Status, 0) << r.Err;
    std::string png = vcltest::Slurp(shot);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST_F(Formrun, ShotThatCannotBeWrittenFailsNamingTheFile) {
    fs::path shot = dir / "no-such-folder" / "out.png";
    fs::path script = Write("s.txt", "shot " + shot.string() + "\n");
    vcltest::TRun r = Run(Data("Controls.dfm") + " --script " + script.string());
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find(shot.string()), std::string::npos) << r.Err;
}

TEST_F(Formrun, HandlersTheFormDoesNotPublishAreAnErrorThatSaysHowToGoOn) {
    const fs::path form = Write("h.dfm",
                                "object F: TForm1\n  OnClick = FormClick\n  object B: TButton\n"
                                "    OnClick = ButtonClick\n  end\nend\n");
    const struct {
        std::string Form, Error, Root;
    } cases[] = {
        {form.string(), "h.dfm:2:13: Error reading F.OnClick: Method FormClick not found in class TForm",
         "object F: TForm1\n"},
        {QV_TRACK_FORM, "TrackForm.dfm:", "object FormDemo: TFormDemo\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Form);
        vcltest::TRun r = Run(c.Form);
        EXPECT_EQ(r.Status, 1);
        // One line: where, what, and the options that get past it.
        const std::string line = r.Err.substr(0, r.Err.find('\n'));
        EXPECT_NE(line.find(c.Error), std::string::npos) << r.Err;
        EXPECT_NE(line.find(" not found in class TForm"), std::string::npos) << r.Err;
        EXPECT_NE(line.find("--ignore-handlers"), std::string::npos) << r.Err;
        EXPECT_NE(line.find("--lenient"), std::string::npos) << r.Err;
        r = Run(c.Form + " --ignore-handlers");
        EXPECT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(r.Out.find(c.Root), 0u) << r.Out;
        EXPECT_EQ(r.Out.find(" = FormClick"), std::string::npos);
        EXPECT_EQ(r.Out.find(" = QVTrackMouseEnter"), std::string::npos);
    }
}

TEST_F(Formrun, BadInputGivesAClearErrorAndNonZeroExit) {
    fs::path form = Write("broken.dfm", "object F: TForm\n  Caption = 'unterminated\nend\n");
    vcltest::TRun r = Run(form.string());
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("broken.dfm:2:"), std::string::npos) << r.Err;
    fs::path unknown = Write("unknown.dfm", "object F: TForm\n  object X: TNoSuchControl\n  end\nend\n");
    r = Run(unknown.string());
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("unknown.dfm:2:13: Class TNoSuchControl not found (--lenient keeps it as a stand-in)\n"),
              std::string::npos)
        << r.Err;
    r = Run((dir / "missing.dfm").string());
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("missing.dfm"), std::string::npos) << r.Err;
}

TEST_F(Formrun, DamagedBinaryBehindAResourceHeaderGivesItsFileOffset) {
    // A resource header (16 bytes), then a stream whose class name is cut short.
    std::string bin("\xFF\x0A\x00" "TFORM1\0" "\x30\x10" "\x08\0\0\0" "TPF0\x05TFo", 24);
    vcltest::TRun r = Run(Write("cut.dfm", bin).string());
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("cut.dfm: offset 21: unexpected end of data"), std::string::npos) << r.Err;
}

TEST_F(Formrun, BadArgumentsAreNamed) {
    vcltest::TRun r = Run(Data("Controls.dfm") + " --frobnicate");
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("--frobnicate"), std::string::npos) << r.Err;
    r = Run(Data("Controls.dfm") + " --backend vga");
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("vga"), std::string::npos) << r.Err;
    r = Run(Data("Controls.dfm") + " --script");
    EXPECT_EQ(r.Status, 2);
    r = Run("");
    EXPECT_EQ(r.Status, 2);
}

TEST_F(Formrun, FormCarryingATrackerLoadsAndDumpsBackIdentically) {
    fs::path script = Write("s.txt", "move TrackedForm.Bevel1\nmove TrackedForm.Panel1\nmove 1 1\ndump\n");
    vcltest::TRun r = Run(Data("Tracked.dfm") + " --script " + script.string());
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, vcltest::Slurp(Data("Tracked.dfm")));
}

TEST_F(Formrun, TraceNamesEachMessageAndWhatTheTrackerMadeOfIt) {
    fs::path script = Write("s.txt", "move TrackedForm.Panel1\nmove 1 1\n");
    vcltest::TRun r = Run(Data("Tracked.dfm") + " --trace --script " + script.string());
    ASSERT_EQ(r.Status, 0) << r.Err;
    for (const char* line : {"TrackedForm: CM_MOUSEENTER wParam=0 lParam=Panel1\n", "  QVTrack: pointer over Panel1\n",
                             "  QVTrack: pointer off Panel1\n", "TrackedForm: WM_SETCURSOR wParam=Panel1 lParam=$2000001\n"})
        EXPECT_NE(r.Out.find(line), std::string::npos) << line << "\n" << r.Out;
    // Without the option, nothing of it.
    r = Run(Data("Tracked.dfm") + " --script " + script.string());
    EXPECT_EQ(r.Out, "");
}

TEST_F(Formrun, LenientLoadsWhatStrictRefusesAndShotDrawsTheForm) {
    const fs::path form = Write("odd.dfm",
                                "object Odd: TOdd\n"
                                "  Caption = 'Odd'\n"
                                "  ClientHeight = 100\n"
                                "  ClientWidth = 160\n"
                                "  Ctl3DX = False\n"
                                "  object Gauge1: TGauge\n"
                                "    Left = 8\n"
                                "    Top = 8\n"
                                "    Width = 100\n"
                                "    Height = 20\n"
                                "    Progress = 40\n"
                                "  end\n"
                                "end\n");
    vcltest::TRun strict = Run(form.string());
    EXPECT_EQ(strict.Status, 1);
    EXPECT_NE(strict.Err.find("odd.dfm:5:3: Error reading Odd.Ctl3DX: Property Ctl3DX does not exist"),
              std::string::npos)
        << strict.Err;
    vcltest::TRun lenient = Run(form.string() + " --lenient");
    ASSERT_EQ(lenient.Status, 0) << lenient.Err;
    EXPECT_NE(lenient.Err.find("odd.dfm:5:3: warning: Error reading Odd.Ctl3DX"), std::string::npos) << lenient.Err;
    EXPECT_NE(lenient.Err.find("odd.dfm:6:18: warning: Class TGauge not found"), std::string::npos) << lenient.Err;
    EXPECT_NE(lenient.Out.find("  object Gauge1: TGauge\n    Left = 8\n    Top = 8\n    Width = 100\n    Height = 20\n"
                               "    Progress = 40\n  end\n"),
              std::string::npos)
        << lenient.Out;
    // The picture is the form's window: its client area and the frame.
    vcltest::TRun shot = Run(form.string() + " --lenient --shot odd.png");
    ASSERT_EQ(shot.Status, 0) << shot.Err;
    EXPECT_EQ(shot.Out, "");
    const std::string png = vcltest::Slurp(dir / "odd.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    auto be32 = [&](size_t at) {
        return (uint32_t(uint8_t(png[at])) << 24) | (uint32_t(uint8_t(png[at + 1])) << 16) |
               (uint32_t(uint8_t(png[at + 2])) << 8) | uint32_t(uint8_t(png[at + 3]));
    };
    EXPECT_GT(be32(16), 160u);  // width, frame included
    EXPECT_GT(be32(20), 100u);
    EXPECT_LT(be32(16), 200u);
    vcltest::TRun version = Run("--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "formrun 1.0.0\n");
}
