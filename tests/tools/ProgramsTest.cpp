// What every program that takes an input script does with it, run as a user
// runs it: the same commands, the same errors.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class Programs : public vcltest::ProgramTest {};

// Lines after the form closed run where they still make sense (the desktop's
// clock and picture), and stop the run, named, where they do not.
TEST_F(Programs, ScriptLinesAfterTheFormClosedRunOrStopTheRunNamed) {
    const std::string form = std::string(QV_TEST_DATA_DIR) + "/Controls.dfm";
    const std::string package = std::string(" --package ") + QV_PACKAGE;
    fs::copy_file(QV_TRACK_FORM, dir / "TrackForm.dfm");
    struct TCase {
        std::string Program, Args, Form;
        std::string Control, Event;  // a move onto Control prints Event first
    };
    const TCase cases[] = {
        {QV_FORMRUN, form, "MainForm", "", ""},
        {QV_HOVERBENCH, "--log", "FormDemo", "Edit1", "enter FormDemo.Edit1\n"},
        {QV_MINIMAL, "", "Form1", "Label1", "enter Label1\n"},
        {QV_HOVERTIPS, "", "HoverTips", "Save", "enter Save\n"},
        {QV_QVDESIGN, "edit TrackForm.dfm QVTrack.Associate" + package, "QVControlsListForm", "", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Program);
        fs::remove(dir / "after.png");
        const std::string move = c.Control.empty() ? "" : "move " + c.Form + "." + c.Control + "\n";
        Write("s.txt", move + "close " + c.Form + "\n# then\nwait 100\nshot after.png\nmove " + c.Form + " 5 5\ndump\n");
        vcltest::TRun r = Run(c.Program, c.Args + " --script s.txt");
        EXPECT_EQ(r.Status, 1);
        const std::string line = move.empty() ? "s.txt:5:" : "s.txt:6:";
        EXPECT_NE(r.Err.find(line + " the form is closed; 'move " + c.Form + " 5 5' cannot run\n"), std::string::npos)
            << r.Err;
        if (!c.Event.empty()) {
            // Event lines are flushed as they are printed: in one file with
            // the error that ends the run, they come before it.
            const std::string both = (dir / "both.txt").string();
            const int rc = std::system(("cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QV_BACKEND " +
                                        c.Program + " " + c.Args + " --script s.txt >" + both + " 2>&1 </dev/null")
                                           .c_str());
            EXPECT_NE(rc, 0);
            const std::string text = vcltest::Slurp(both);
            EXPECT_LT(text.find(c.Event), text.find("the form is closed")) << text;
        }
        EXPECT_EQ(vcltest::Slurp(dir / "after.png").substr(1, 3), "PNG");
        // A script that ends with what still runs ends the run well.
        Write("s.txt", "close " + c.Form + "\nwait 100\n");
        r = Run(c.Program, c.Args + " --script s.txt");
        EXPECT_EQ(r.Status, 0) << r.Err;
    }
    EXPECT_EQ(vcltest::Slurp(dir / "TrackForm.dfm"), vcltest::Slurp(QV_TRACK_FORM)) << "nothing was changed";
}

}  // namespace
