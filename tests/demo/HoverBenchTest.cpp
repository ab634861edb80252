// HoverBench's two forms, built from their resources and driven in-process
// on the headless desktop as a user would: pointer moves, clicks, boxes
// answered from inside their nested loops.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <sstream>
#include <string>

#include "ControlsFixture.h"
#include "demo/HoverBenchMain.h"
#include "demo/TrackAbout.h"
#include "demo/TrackForm.h"
#include "framework/Log.h"
#include "framework/Windows.h"

using namespace vcl;

namespace {

const TColor kDarkGrey = static_cast<TColor>(0x414141);

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
    // Messaging mode on both trackers, as the check box sets it.
    void Messaging() {
        FormDemo->chkboxBounding->SetChecked(true);
        Process();
    }
    std::string Count() const { return FormDemo->lblAdditioned->Caption(); }
    std::string Boxes() const {
        std::string boxes;
        std::istringstream in(Log.Text());
        for (std::string line; std::getline(in, line);)
            if (line.starts_with("messagebox ")) boxes += line + "\n";
        return boxes;
    }
    TList* Tracked() const { return FormDemo->QVTrack->TrackedControls(); }

    std::deque<std::function<void()>> Inside;
    TLogCapture Log;
};

const std::string kBoxA =
    "messagebox title=\"Adding Control\" text=\"The control \\\"pnlPanels\\\" is already additioned.\" style=0x10\n";
const std::string kBoxB =
    "messagebox title=\"Removing Control\" text=\"The control \\\"pnlPanels\\\" haven't been additioned.\" "
    "style=0x10\n";

TEST_F(HoverBench, CountCaptionFollowsTheTrackedListAtTheNextEvent) {
    EXPECT_EQ(Count(), "Controls additioned: 00");
    Hover(Control("Edit1"));
    EXPECT_EQ(Count(), "Controls Additioned: 39");
    Click(Control("pnlAdd"));
    EXPECT_EQ(Count(), "Controls Additioned: 39") << "Add itself does not touch the caption";
    Away();
    EXPECT_EQ(Count(), "Controls Additioned: 40");
    Click(Control("pnlRemove"));
    Away();
    Hover(Control("Edit2"));
    EXPECT_EQ(Count(), "Controls Additioned: 39");
    // Below ten: one digit, no leading zero.
    while (Tracked()->Count() > 7) Tracked()->Delete(0);
    Away();
    EXPECT_EQ(Count(), "Controls Additioned: 7");
}

TEST_F(HoverBench, AddAndRemoveKeepThePanelVisibleExactlyWhileTracked) {
    TControl* panels = FormDemo->pnlPanels;
    Click(Control("pnlRemove"));
    EXPECT_EQ(Boxes(), kBoxB) << "Remove before any Add";
    EXPECT_FALSE(panels->Visible());
    EXPECT_EQ(Tracked()->Count(), 39);

    Click(Control("pnlAdd"));
    EXPECT_EQ(Boxes(), kBoxB);
    EXPECT_TRUE(panels->Visible());
    EXPECT_EQ(Tracked()->IndexOf(panels), 39) << "appended at the end";

    Click(Control("pnlAdd"));
    EXPECT_EQ(Boxes(), kBoxB + kBoxA);
    EXPECT_TRUE(panels->Visible());
    EXPECT_EQ(Tracked()->Count(), 40) << "the list is unchanged";

    // Once added, the panel takes the panel row of the hover looks.
    Hover(panels);
    EXPECT_EQ(Look(panels), "Color=clAqua Font=clBlack Style=B bvRaised");

    Click(Control("pnlRemove"));
    EXPECT_FALSE(panels->Visible());
    EXPECT_EQ(Tracked()->IndexOf(panels), -1);
    Click(Control("pnlRemove"));
    EXPECT_EQ(Boxes(), kBoxB + kBoxA + kBoxB);
    EXPECT_FALSE(panels->Visible());
    EXPECT_EQ(Tracked()->Count(), 39);
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

// Each row of the hover looks, in both detection modes.
struct TLookCase {
    const char* Control;
    int32_t X, Y;  // where to hover (-1: the centre)
    const char* Before;
    const char* Inside;
    const char* After;
};

class HoverLooks : public HoverBench, public ::testing::WithParamInterface<bool> {};

TEST_P(HoverLooks, EachClassRowChangesItsLookOnEnterAndLeave) {
    if (GetParam()) Messaging();
    static const TLookCase cases[] = {
        {"Label2", -1, -1, "Color=clBlack Font=clAqua Style=B", "Color=clBlack Font=clAqua Style=BU",
         "Color=clBlack Font=clAqua Style=B"},
        {"Edit1", -1, -1, "Color=clGray Font=clWhite Style=", "Color=clSilver Font=clWhite Style=",
         "Color=clGray Font=clWhite Style="},
        {"Button1", -1, -1, "Color=clBlack Font=clWindowText Style=", "Color=clBlack Font=clWindowText Style=BU",
         "Color=clBlack Font=clWindowText Style="},
        {"CheckBox1", -1, -1, "Color=clBlack Font=clSilver Style= unchecked",
         "Color=clBlack Font=clWhite Style= checked", "Color=clBlack Font=clSilver Style= unchecked"},
        {"Bevel1", 60, 90, "Color=clBlack Font=clWindowText Style= lowered",
         "Color=clBlack Font=clWindowText Style= raised", "Color=clBlack Font=clWindowText Style= lowered"},
        {"RadioButton1", -1, -1, "Color=clBlack Font=clAqua Style=", "Color=clBlack Font=clAqua Style=B",
         "Color=clBlack Font=clAqua Style="},
        {"Panel2", -1, -1, "Color=0x414141 Font=clWhite Style=B bvNone", "Color=clAqua Font=clBlack Style=B bvRaised",
         "Color=0x414141 Font=clWhite Style=B bvNone"},
        // The grey panels take the dark grey at their first leave.
        {"pnlTesting", 10, 10, "Color=clGray Font=clWindowText Style= bvNone",
         "Color=clAqua Font=clBlack Style= bvRaised", "Color=0x414141 Font=clWhite Style= bvNone"},
    };
    for (const TLookCase& c : cases) {
        SCOPED_TRACE(c.Control);
        TControl* control = Control(c.Control);
        EXPECT_EQ(Look(control), c.Before);
        Hover(control, c.X, c.Y);
        EXPECT_EQ(Look(control), c.Inside);
        Away();
        EXPECT_EQ(Look(control), c.After);
    }
}

TEST_P(HoverLooks, LabelLeftIsBoldEvenIfBoldWasTakenAwayMeanwhile) {
    if (GetParam()) Messaging();
    TControl* label = Control("Label3");
    Hover(label);
    label->Font()->SetStyle(TFontStyles{fsItalic});
    Away();
    EXPECT_EQ(Look(label), "Color=clBlack Font=clAqua Style=BI") << "bold back, underline gone, italic kept";
}

TEST_P(HoverLooks, ChildOfTheMessageBarNeverChanges) {
    if (GetParam()) Messaging();
    TControl* child = Control("pnlChildMessage");
    const std::string before = Look(child);
    EXPECT_EQ(before, "Color=clBtnFace Font=clBlack Style= bvNone");
    Hover(Control("pnlMessage"), 40, 10);
    Hover(child);
    EXPECT_EQ(Look(child), before);
    // The geometric mode sees the pointer inside the bar while it is over
    // the child; the messaging mode sees the bar left.
    EXPECT_EQ(Look(Control("pnlMessage")), GetParam() ? "Color=0x414141 Font=clWhite Style= bvNone"
                                                       : "Color=clAqua Font=clBlack Style= bvRaised");
    Away();
    EXPECT_EQ(Look(child), before);
}

TEST_P(HoverLooks, TheFormItselfKeepsItsLookButTheCountIsRewritten) {
    if (GetParam()) Messaging();
    Tracked()->Add(static_cast<TControl*>(FormDemo));
    Hover(FormDemo, 200, 225);  // bare client area
    EXPECT_EQ(Count(), "Controls Additioned: 40");
    EXPECT_EQ(FormDemo->Color(), clBlack);
    EXPECT_EQ(FormDemo->Font()->Style(), TFontStyles{});
}

INSTANTIATE_TEST_SUITE_P(Modes, HoverLooks, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Messaging" : "Geometric"; });

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

TEST_F(HoverBench, AboutBoxSaysInAndOutAndKeepsItsTextWhenShownAgain) {
    TLabel* inout = FormAbout->lblINOUT;
    EXPECT_EQ(inout->Caption(), "???");
    std::string seenAtOpen, seenIn, seenOut, others;
    auto otherLabels = [&] {
        return FormAbout->Label1->Caption() + "|" + FormAbout->Label2->Caption() + "|" +
               FormAbout->Label3->Caption() + "|" + FormAbout->Label4->Caption();
    };
    const std::string labelsBefore = otherLabels();
    Inside.push_back([&] {
        seenAtOpen = inout->Caption();
        Desktop()->MoveTo(FormAbout->ClientToScreen(TPoint{100, 90}));
    });
    Inside.push_back([&] {
        seenIn = inout->Caption();
        Desktop()->MoveTo(TPoint{1000, 740});
    });
    Inside.push_back([&] {
        seenOut = inout->Caption();
        others = otherLabels();
        Desktop()->CloseBox(FormAbout);
    });
    Click(Control("pnlAbout"));
    EXPECT_EQ(seenAtOpen, "???");
    EXPECT_EQ(seenIn, "IN!");
    EXPECT_EQ(seenOut, "OUT!");
    EXPECT_EQ(others, labelsBefore);

    std::string again;
    Inside.push_back([&] {
        again = inout->Caption();
        Desktop()->CloseBox(FormAbout);
    });
    Click(Control("pnlAbout"));
    EXPECT_EQ(again, "OUT!");
}

TEST_F(HoverBench, MainFormEventsContinueWhileABoxIsOpen) {
    Click(Control("pnlAdd"));
    std::string edit;
    Inside.push_back([&] { Desktop()->MoveTo(ScreenOf(Control("Edit1"), 5, 5)); });
    Inside.push_back([&] {
        edit = Look(Control("Edit1"));
        Desktop()->Key(VK_RETURN);
    });
    Click(Control("pnlAdd"));
    EXPECT_EQ(Boxes(), kBoxA);
    EXPECT_EQ(edit, "Color=clSilver Font=clWhite Style=") << "the tracker still sees the main form's messages";
}

TEST_F(HoverBench, BothFormsCarryTheProgramIconOf32By32In16Colours) {
    const std::string& icon = FormDemo->Icon()->Data();
    ASSERT_GE(icon.size(), 22u + 40u);
    EXPECT_EQ(icon, FormAbout->Icon()->Data());
    auto byte = [&](size_t i) { return static_cast<unsigned char>(icon[i]); };
    EXPECT_EQ(byte(2) | byte(3) << 8, 1) << "an icon resource";
    EXPECT_EQ(byte(4) | byte(5) << 8, 1) << "one image";
    EXPECT_EQ(byte(6), 32);
    EXPECT_EQ(byte(7), 32);
    EXPECT_EQ(byte(8), 16) << "colours";
    EXPECT_EQ(byte(22 + 14) | byte(22 + 15) << 8, 4) << "bits a pixel";
}

TEST_F(HoverBench, CloseBoxOfTheMainFormEndsTheProgram) {
    Desktop()->CloseBox(FormDemo);
    Process();
    EXPECT_TRUE(Application->Terminated());
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
};

TEST_F(HoverBenchMainRoutine, CreatesTheMainFormFirstAndReturnsZeroWhenItCloses) {
    std::string title, caption;
    bool aboutHidden = false, mainIsDemo = false;
    Desktop()->OnIdleInput = [&] {
        title = Application->Title();
        caption = FormDemo->Caption();
        mainIsDemo = Application->MainForm() == FormDemo;
        aboutHidden = FormAbout && !FormAbout->Visible();
        Desktop()->Click(FormDemo->pnlExit->ClientToScreen(TPoint{5, 5}));
        return true;
    };
    EXPECT_EQ(HoverBenchMain(), 0);
    EXPECT_EQ(title, "QVTrackMouse Demo");
    EXPECT_EQ(caption, title);
    EXPECT_TRUE(mainIsDemo);
    EXPECT_TRUE(aboutHidden);
}

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

}  // namespace
