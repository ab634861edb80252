// HoverBench's two forms, built from their resources and driven in-process
// on the headless desktop as a user would: pointer moves, clicks, boxes
// answered from inside their nested loops.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "ControlsFixture.h"
#include "DataCases.h"
#include "ProgramFixture.h"
#include "demo/HoverBenchMain.h"
#include "demo/HoverLog.h"
#include "demo/Tour.h"
#include "demo/TrackAbout.h"
#include "demo/TrackForm.h"
#include "framework/Log.h"
#include "framework/Windows.h"
#include "framework/platform/headless/InputScript.h"

using namespace vcl;

namespace {

// The parts of a control's look that the hover handlers change, as text.
std::string Look(TControl* c) {
    auto colour = [](TColor v) {
        std::string id;
        if (ColorToIdent(v, id)) return id;
        std::ostringstream s;
        s << "0x" << std::hex << static_cast<uint32_t>(v);
        return s.str();
    };
    std::string s = "Color=" + colour(c->Color()) + " Font=" + colour(c->Font()->Color()) + " Style=";
    const TFontStyles st = c->Font()->Style();
    if (st.Contains(fsBold)) s += 'B';
    if (st.Contains(fsItalic)) s += 'I';
    if (st.Contains(fsUnderline)) s += 'U';
    if (st.Contains(fsStrikeOut)) s += 'S';
    if (auto* box = dynamic_cast<TCheckBox*>(c)) s += box->Checked() ? " checked" : " unchecked";
    if (auto* panel = dynamic_cast<TCustomPanel*>(c))
        s += panel->BevelOuter() == bvNone ? " bvNone" : panel->BevelOuter() == bvRaised ? " bvRaised" : " bvLowered";
    if (auto* bevel = dynamic_cast<TBevel*>(c)) s += bevel->Style() == bsRaised ? " raised" : " lowered";
    return s;
}

class HoverBench : public vcltest::DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        Application->CreateForm(FormDemo);
        Application->CreateForm(FormAbout);
        FormDemo->Show();
        Process();
        // Nested loops (message boxes, the about box) take their input from
        // here: the steps a test queued, else the topmost window's close box.
        Desktop()->OnIdleInput = [this] {
            if (!Inside.empty()) {
                auto step = std::move(Inside.front());
                Inside.pop_front();
                step();
            } else if (auto z = Platform()->WindowsInZOrder(); !z.empty() && z.back() != FormDemo) {
                Desktop()->CloseBox(z.back());
            } else {
                return false;
            }
            return true;
        };
    }
    void TearDown() override {
        Desktop()->OnIdleInput = nullptr;
        DesktopTest::TearDown();
        FormDemo = nullptr;
        FormAbout = nullptr;
    }

    TControl* Control(const char* Name) {
        auto* c = dynamic_cast<TControl*>(FormDemo->FindComponent(Name));
        EXPECT_NE(c, nullptr) << Name;
        return c;
    }
    void Hover(TControl* c, int32_t x = -1, int32_t y = -1) {
        MoveTo(c, x < 0 ? c->ClientWidth() / 2 : x, y < 0 ? c->ClientHeight() / 2 : y);
    }
    void Away() { MoveScreen(1000, 740); }
    void Click(TControl* c, int Button = 0) {
        Desktop()->Click(ScreenOf(c, c->ClientWidth() / 2, c->ClientHeight() / 2), Button);
        Process();
    }
    std::string Count() const { return FormDemo->lblAdditioned->Caption(); }
    TList* Tracked() const { return FormDemo->QVTrack->TrackedControls(); }

    std::deque<std::function<void()>> Inside;
};

TEST_F(HoverBench, CountCaptionHasNoLeadingZeroBelowTen) {
    while (Tracked()->Count() > 7) Tracked()->Delete(0);
    Hover(static_cast<TControl*>(Tracked()->Last()));
    EXPECT_EQ(Count(), "Controls Additioned: 7");
}

TEST_F(HoverBench, PanelsPressAndReleaseWithEveryButtonAndOnlyActionCaptionsAct) {
    Click(Control("pnlAdd"));  // pnlPanels visible, so that it can be pressed too
    const char* const inert[] = {"pnlLabels", "Panel2", "Panel3", "Panel4", "Panel5", "pnlPanels"};
    for (int button = 0; button < 3; ++button) {
        for (const char* name : inert) {
            SCOPED_TRACE(std::string(name) + " button " + std::to_string(button));
            auto* panel = static_cast<TCustomPanel*>(Control(name));
            Hover(panel);
            Desktop()->Press(button);
            Process();
            EXPECT_EQ(panel->BevelOuter(), bvLowered);
            Desktop()->Release(button);
            Process();
            EXPECT_EQ(panel->BevelOuter(), bvRaised);
            EXPECT_TRUE(FormDemo->pnlPanels->Visible());
            EXPECT_EQ(Tracked()->Count(), 40);
            EXPECT_FALSE(FormAbout->Visible());
        }
    }
    // The right button acts like the left.
    Click(Control("pnlRemove"), 1);
    EXPECT_FALSE(FormDemo->pnlPanels->Visible());
    Click(Control("pnlAdd"), 2);
    EXPECT_TRUE(FormDemo->pnlPanels->Visible());
    bool shown = false;
    Inside.push_back([&] {
        shown = FormAbout->Showing() && FormAbout->IsModal();
        Desktop()->CloseBox(FormAbout);
    });
    Click(Control("pnlAbout"), 1);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(FormAbout->Visible()) << "closed, hidden, not freed";
    EXPECT_EQ(static_cast<TCustomPanel*>(Control("pnlAbout"))->BevelOuter(), bvRaised);
    Click(Control("pnlExit"), 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(FormDemo->Visible());
}

TEST_F(HoverBench, LabelLeftIsBoldEvenIfBoldWasTakenAwayMeanwhile) {
    TControl* label = Control("Label3");
    Hover(label);
    label->Font()->SetStyle(TFontStyles{fsItalic});
    Away();
    EXPECT_EQ(Look(label), "Color=clBlack Font=clAqua Style=BI") << "bold back, underline gone, italic kept";
}

TEST_F(HoverBench, TheFormItselfKeepsItsLookButTheCountIsRewritten) {
    Tracked()->Add(static_cast<TControl*>(FormDemo));
    Hover(FormDemo, 200, 225);  // bare client area
    EXPECT_EQ(Count(), "Controls Additioned: 40");
    EXPECT_EQ(FormDemo->Color(), clBlack);
    EXPECT_EQ(FormDemo->Font()->Style(), TFontStyles{});
}

TEST_F(HoverBench, BoundingCheckBoxSwitchesBothTrackersWhateverFlipsIt) {
    TQVTrackMouse* main = FormDemo->QVTrack;
    TQVTrackMouse* about = FormAbout->QVTrackAbout;
    EXPECT_FALSE(main->Bounding());
    EXPECT_FALSE(about->Bounding());
    auto* box = FormDemo->chkboxBounding;
    // A user's click, a flip by code, and the hover handler's own flip.
    Desktop()->Click(ScreenOf(box, 5, 8));
    Process();
    Away();
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(main->Bounding(), box->Checked());
        EXPECT_EQ(about->Bounding(), box->Checked());
        if (step == 0) box->SetChecked(!box->Checked());
        if (step == 1) Hover(box);
    }
    // No state was reset: after the switches the trackers still report.
    Hover(Control("Edit3"));
    EXPECT_EQ(Look(Control("Edit3")), "Color=clSilver Font=clWhite Style=");
}

}  // namespace

namespace {

// The main routine itself, on a scripted desktop.
class HoverBenchMainRoutine : public vcltest::DesktopTest {
protected:
    void TearDown() override {
        Desktop()->OnIdleInput = nullptr;
        DesktopTest::TearDown();
        FormDemo = nullptr;
        FormAbout = nullptr;
    }
    // A control's state as the runs show it: its look, a label's caption, and
    // whether it is hidden.
    static std::string State(TControl* c) {
        std::string s = Look(c);
        if (auto* label = dynamic_cast<TLabel*>(c)) s += " '" + label->Caption() + "'";
        return c->Visible() ? s : s + " hidden";
    }
    // Runs the main routine on Script (input-script commands) with the event
    // log on; at each screenshot every control whose state differs from the
    // first is logged. The log.
    std::string RunMain(const std::string& Script) {
        TInputScript script(Script, "script");
        std::map<std::string, std::string> start;
        script.OnShot = [&](const std::string& File) {
            LogLine("shot " + File);
            for (TCustomForm* form : {static_cast<TCustomForm*>(FormDemo), static_cast<TCustomForm*>(FormAbout)})
                for (int i = -1; i < form->ComponentCount(); ++i) {
                    auto* c = i < 0 ? form : dynamic_cast<TControl*>(form->Components(i));
                    if (!c) continue;
                    const std::string name = form->Name() + "." + c->Name(), state = State(c);
                    if (start.emplace(name, state).second || start[name] == state) continue;
                    LogLine("  " + name + ": " + state);
                }
        };
        Desktop()->OnIdleInput = [&] { return script.Step(*Desktop()); };
        TLogCapture log;
        hoverbench::EnableEventLog(true);
        EXPECT_EQ(HoverBenchMain(), 0) << "when the main form closes or the script ends";
        hoverbench::EnableEventLog(false);
        return log.Text();
    }
};

TEST_F(HoverBenchMainRoutine, AFrameworkExceptionIsShownAndTheRoutineStillReturnsZero) {
    TLogCapture log;
    int calls = 0;
    Desktop()->OnIdleInput = [&]() -> bool {
        if (++calls == 1) throw EInvalidOperation("Something went wrong");
        auto z = Platform()->WindowsInZOrder();
        if (z.empty()) return false;
        Desktop()->Key(VK_RETURN);  // answers the box
        return true;
    };
    EXPECT_EQ(HoverBenchMain(), 0);
    EXPECT_NE(log.Text().find("messagebox title=\"QVTrackMouse Demo\" text=\"Something went wrong.\""),
              std::string::npos)
        << log.Text();
}

// The program's own tour, run in-process, against one file.
TEST_F(HoverBenchMainRoutine, TheTourLogsAndShowsWhatItsExpectedFileSays) {
    EXPECT_EQ(RunMain(hoverbench::MakeTour().Script), vcltest::Slurp(QV_TEST_DATA_DIR "/tour.expected"));
    EXPECT_EQ(Application->MainForm(), FormDemo);
    EXPECT_EQ(Application->Title(), "QVTrackMouse Demo");
    EXPECT_EQ(FormDemo->Caption(), Application->Title());
}

// Shorter runs: the scripts of data/scripts.txt, their steps separated by
// "; ", and their logs, "; " between the lines.
class HoverBenchScript : public HoverBenchMainRoutine, public ::testing::WithParamInterface<vcltest::TDataCase> {};

TEST_P(HoverBenchScript, LogsWhatItsCaseSays) {
    std::string script = GetParam().Input, log;
    for (size_t at; (at = script.find("; ")) != std::string::npos;) script.replace(at, 2, "\n");
    std::istringstream lines(RunMain(script));
    for (std::string line; std::getline(lines, line);) log += (log.empty() ? "" : "; ") + line.substr(line.find_first_not_of(' '));
    EXPECT_EQ(log, GetParam().Expected) << GetParam().Where;
}

INSTANTIATE_TEST_SUITE_P(Scripts, HoverBenchScript, ::testing::ValuesIn(vcltest::ReadCases(QV_TEST_DATA_DIR "/scripts.txt")),
                         [](const auto& info) { return "Line" + info.param.Where.substr(info.param.Where.rfind(':') + 1); });

}  // namespace
