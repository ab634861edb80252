// qvdesign run as a form author runs it: the palette, inspecting a form,
// editing Associate through the dialog on the headless desktop and saving,
// the package's resources, and every error path.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ProgramFixture.h"

namespace fs = std::filesystem;

namespace {

class Qvdesign : public vcltest::ProgramTest {
protected:
    vcltest::TRun Run(const std::string& Args) { return ProgramTest::Run(QV_QVDESIGN, Args); }
    static std::string Package() { return std::string(" --package ") + QV_PACKAGE; }
    // HoverBench's main form, copied into the test's folder.
    fs::path Form(const std::string& Name = "TrackForm.dfm") {
        fs::copy_file(QV_TRACK_FORM, dir / Name, fs::copy_options::overwrite_existing);
        return dir / Name;
    }
    static size_t Count(const std::string& Text, const std::string& What) {
        size_t n = 0;
        for (size_t at = Text.find(What); at != std::string::npos; at = Text.find(What, at + 1)) ++n;
        return n;
    }
};

TEST_F(Qvdesign, PaletteShowsThePageTheComponentAndItsEditor) {
    const vcltest::TRun r = Run(QV_PACKAGE);
    ASSERT_EQ(r.Status, 2) << "palette takes packages as arguments: " << r.Err;
    const vcltest::TRun p = Run(std::string("palette ") + QV_PACKAGE);
    ASSERT_EQ(p.Status, 0) << p.Err;
    EXPECT_EQ(p.Out,
              "page QVComponents\n"
              "  TQVTrackMouse\n"
              "    Associate: TQVControlsList editor TQVControlsListProperty [paDialog]\n");
}

TEST_F(Qvdesign, InspectShowsDesignTimeValuesHandlersByNameAndTheEditor) {
    const vcltest::TRun r = Run("inspect " + Form().string() + Package());
    ASSERT_EQ(r.Status, 0) << r.Err;
    for (const char* line : {"FormDemo: TFormDemo\n", "  Caption = 'QVTrackMouse Demo'\n", "  QVTrack: TQVTrackMouse\n",
                             "    Associate = (TQVControlsList)  [editor TQVControlsListProperty [paDialog]]\n",
                             "    Bounding = False\n", "    OnMouseEnter = QVTrackMouseEnter\n",
                             "    OnMouseDown = pnlPanelsMouseDown\n"})
        EXPECT_NE(r.Out.find(line), std::string::npos) << line;

    // Without the package the class is unknown, and the line says where it
    // may come from: this build's own package lies beside the program.
    const vcltest::TRun bare = Run("inspect " + Form().string());
    EXPECT_EQ(bare.Status, 1);
    EXPECT_NE(bare.Err.find("TrackForm.dfm:"), std::string::npos) << bare.Err;
    EXPECT_NE(bare.Err.find("Class TQVTrackMouse not found (if a package provides it, load it with --package PKG, "
                            "e.g. --package " + fs::path(QV_PACKAGE).lexically_normal().string()),
              std::string::npos)
        << bare.Err;
}

TEST_F(Qvdesign, LenientEditKeepsObjectsOfUnknownClassesAsStored) {
    // An object of a class nothing registers, written as no writer would.
    const fs::path form = Form();
    std::string before = vcltest::Slurp(form);
    const std::string odd = "  object ZGauge: TGauge\n    Left = 8\n    Top =   8\n    Progress = $28\n  end\n";
    before.insert(before.rfind("end\n"), odd);
    Write("TrackForm.dfm", before);
    Write("untick.txt", "click QVControlsListForm.chklstControls 6 9\nclose QVControlsListForm\n");
    const std::string edit = "edit " + form.string() + " QVTrack.Associate" + Package() + " --script untick.txt";

    const vcltest::TRun strict = Run(edit);
    EXPECT_EQ(strict.Status, 1);
    EXPECT_NE(strict.Err.find("Class TGauge not found"), std::string::npos) << strict.Err;
    EXPECT_NE(strict.Err.find("--lenient keeps it as a stand-in"), std::string::npos) << strict.Err;
    EXPECT_EQ(vcltest::Slurp(form), before);

    const vcltest::TRun lenient = Run(edit + " --lenient");
    ASSERT_EQ(lenient.Status, 0) << lenient.Err;
    EXPECT_NE(lenient.Err.find("warning: Class TGauge not found"), std::string::npos) << lenient.Err;
    std::string expected = before;
    const std::string bevel1 = "      item\n        TheControl = Bevel1\n      end\n";
    expected.erase(expected.find(bevel1), bevel1.size());
    EXPECT_EQ(vcltest::Slurp(form), expected) << "the stand-in as stored, byte for byte";

    const vcltest::TRun inspect = Run("inspect " + form.string() + Package() + " --lenient");
    ASSERT_EQ(inspect.Status, 0) << inspect.Err;
    EXPECT_NE(inspect.Out.find("  ZGauge: TGauge (stand-in, kept as stored)\n    Left (as stored)\n"),
              std::string::npos)
        << inspect.Out;
}

TEST_F(Qvdesign, EditUntickingOneControlSavesOnlyThatItemsLines) {
    const fs::path form = Form();
    const std::string before = vcltest::Slurp(form);
    // Edited through a symbolic link: the file it names gets the edit, the
    // link stays a link.
    fs::create_symlink(form.filename(), dir / "link.dfm");
    // "Bevel1: TBevel" sorts first: the top left entry.
    Write("untick.txt", "click QVControlsListForm.chklstControls 6 9\nclose QVControlsListForm\n");
    const vcltest::TRun r = Run("edit link.dfm QVTrack.Associate" + Package() + " --script untick.txt");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("changed; saved"), std::string::npos) << r.Out;
    EXPECT_TRUE(fs::is_symlink(dir / "link.dfm"));
    const std::string after = vcltest::Slurp(form);
    EXPECT_EQ(Count(after, "TheControl = "), 38u);
    std::string expected = before;
    const std::string bevel1 = "      item\n        TheControl = Bevel1\n      end\n";
    ASSERT_NE(expected.find(bevel1), std::string::npos);
    expected.erase(expected.find(bevel1), bevel1.size());
    EXPECT_EQ(after, expected) << "every other line unchanged";

    // The saved file loads, with 38 items.
    const vcltest::TRun again = Run("inspect " + form.string() + Package());
    EXPECT_EQ(again.Status, 0) << again.Err;
}

TEST_F(Qvdesign, NothingIsWrittenWhenTheDialogIsClosedUntouched) {
    const fs::path form = Form();
    const auto stamp = fs::last_write_time(form);
    Write("close.txt", "close QVControlsListForm\n");
    const vcltest::TRun r = Run("edit " + form.string() + " QVTrack.Associate" + Package() + " --script close.txt");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("unchanged; nothing written"), std::string::npos) << r.Out;
    EXPECT_EQ(vcltest::Slurp(form), vcltest::Slurp(QV_TRACK_FORM));
    EXPECT_EQ(fs::last_write_time(form), stamp);
}

TEST_F(Qvdesign, BinaryFormsStayBinary) {
    const fs::path text = Form(), binary = dir / "TrackForm.bin";
    const std::string convert = std::string(QV_DFMCONV) + " --to binary " + text.string() + " " + binary.string();
    ASSERT_EQ(std::system(convert.c_str()), 0);
    Write("untick.txt", "click QVControlsListForm.chklstControls 6 9\nclose QVControlsListForm\n");
    const vcltest::TRun r = Run("edit " + binary.string() + " QVTrack.Associate" + Package() + " --script untick.txt");
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string saved = vcltest::Slurp(binary);
    EXPECT_EQ(saved.substr(0, 4), "TPF0");
    const std::string back = std::string(QV_DFMCONV) + " --to text " + binary.string() + " " + (dir / "back.dfm").string();
    ASSERT_EQ(std::system(back.c_str()), 0);
    EXPECT_EQ(Count(vcltest::Slurp(dir / "back.dfm"), "TheControl = "), 38u);
}

TEST_F(Qvdesign, AFailingOrKilledSaveLeavesTheOriginalIntact) {
    const fs::path form = Form();
    Write("untick.txt", "click QVControlsListForm.chklstControls 6 9\nclose QVControlsListForm\n");
    for (const char* trap : {"trap '' XFSZ; ", ""}) {  // the write fails / the process is killed by it
        SCOPED_TRACE(trap);
        const std::string cmd = "cd '" + dir.string() + "' && (" + trap + "ulimit -f 8; env -u DISPLAY " +
                                QV_QVDESIGN + " edit " + form.string() + " QVTrack.Associate" + Package() +
                                " --script untick.txt) >/dev/null 2>&1";
        EXPECT_NE(std::system(cmd.c_str()), 0);
        EXPECT_EQ(vcltest::Slurp(form), vcltest::Slurp(QV_TRACK_FORM));
    }
}

TEST_F(Qvdesign, ResourcesAreListedAndExtracted) {
    const vcltest::TRun r = Run(std::string("resources ") + QV_PACKAGE + " --extract out");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(Count(r.Out, "\n"), 8u) << r.Out;
    EXPECT_NE(r.Out.find("PACKAGEINFO"), std::string::npos);
    EXPECT_EQ(fs::file_size(dir / "out" / "RCDATA-PACKAGEINFO-0"), 136u);
    EXPECT_EQ(vcltest::Slurp(dir / "out" / "RCDATA-PACKAGEOPTIONS-0"), std::string("\x30\0\0\0", 4));

    // The section taken out with objcopy is a .res file that windres reads.
    const std::string section = "objcopy -O binary --only-section=.rsrc " + std::string(QV_PACKAGE) + " " +
                                (dir / "pkg.res").string();
    ASSERT_EQ(std::system(section.c_str()), 0);
    if (std::system("command -v i686-w64-mingw32-windres >/dev/null") != 0)
        GTEST_SKIP() << "i686-w64-mingw32-windres is missing (Debian package binutils-mingw-w64-i686)";
    const vcltest::TRun rc = ProgramTest::Run("i686-w64-mingw32-windres", "-i pkg.res -O rc");
    ASSERT_EQ(rc.Status, 0) << rc.Err;
    for (const char* text : {"\"TQVTRACKMOUSE\" 2 /* RT_BITMAP */", "\"MAINICON\" 14 /* RT_GROUP_ICON */",
                             "VALUE \"InternalName\", \"QVComponents.bpl\"", "VALUE \"Translation\", 0x409, 1252",
                             "FILEVERSION 1, 0, 0, 0", "FILEOS 0x4", "FILETYPE 0x1"})
        EXPECT_NE(rc.Out.find(text), std::string::npos) << text;
}

TEST_F(Qvdesign, WrongFilesComponentsAndPropertiesAreNamed) {
    const std::string form = Form().string();
    Write("text.bpl", "not a package\n");
    struct TCase {
        std::string Args;
        int Status;
        std::string Message;
    };
    const TCase cases[] = {
        {"", 2, "no command given"},
        {"draw", 2, "unknown command 'draw'"},
        {"edit " + form + " QVTrack", 2, "expected COMPONENT.PROPERTY"},
        {"edit " + form + " Nobody.Associate" + Package(), 1, "no component named 'Nobody'"},
        {"edit " + form + " QVTrack.Nothing" + Package(), 1, "TQVTrackMouse has no published property 'Nothing'"},
        {"edit " + form + " QVTrack.Bounding" + Package(), 1, "has no editor with a dialog"},
        {"inspect missing.dfm" + Package(), 1, "missing.dfm: cannot read"},
        {"palette text.bpl", 1, "text.bpl: not a package"},
        {"palette missing.bpl", 1, "missing.bpl: no such file"},
        {"palette " + dir.string(), 1, dir.string() + ": is a folder, not a package"},
        {"palette --lenient text.bpl", 2, "palette: --lenient goes with inspect and edit"},
        {std::string("palette ") + QV_NOREGISTER_PACKAGE, 1, "has no Register routine"},
        {"inspect " + form + " --package text.bpl", 1, "text.bpl: not a package"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Args);
        const vcltest::TRun r = Run(c.Args);
        EXPECT_EQ(r.Status, c.Status);
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }
    EXPECT_EQ(vcltest::Slurp(form), vcltest::Slurp(QV_TRACK_FORM)) << "the form file untouched";
}

}  // namespace
