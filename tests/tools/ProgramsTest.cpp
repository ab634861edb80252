// What every program that takes an input script does with it, run as a user
// runs it: the same commands, the same errors.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

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
    };
    const TCase cases[] = {
        {QV_FORMRUN, form, "MainForm"},
        {QV_HOVERBENCH, "", "FormDemo"},
        {QV_MINIMAL, "", "Form1"},
        {QV_HOVERTIPS, "", "HoverTips"},
        {QV_QVDESIGN, "edit TrackForm.dfm QVTrack.Associate" + package, "QVControlsListForm"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Program);
        fs::remove(dir / "after.png");
        Write("s.txt", "close " + c.Form + "\n# then\nwait 100\nshot after.png\nmove " + c.Form + " 5 5\ndump\n");
        vcltest::TRun r = Run(c.Program, c.Args + " --script s.txt");
        EXPECT_EQ(r.Status, 1);
        EXPECT_NE(r.Err.find("s.txt:5: the form is closed; 'move " + c.Form + " 5 5' cannot run\n"), std::string::npos)
            << r.Err;
        EXPECT_EQ(vcltest::Slurp(dir / "after.png").substr(1, 3), "PNG");
        // A script that ends with what still runs ends the run well.
        Write("s.txt", "close " + c.Form + "\nwait 100\n");
        r = Run(c.Program, c.Args + " --script s.txt");
        EXPECT_EQ(r.Status, 0) << r.Err;
    }
    EXPECT_EQ(vcltest::Slurp(dir / "TrackForm.dfm"), vcltest::Slurp(QV_TRACK_FORM)) << "nothing was changed";
}

}  // namespace
