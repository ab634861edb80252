// Check boxes, radio buttons and edit boxes driven as a user drives them.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "framework/Canvas.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

class CheckBoxTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        box = Make<TCheckBox>(form, 10, 10);
        box->OnClick = clicks.Event();
    }
    TCheckBox* box = nullptr;
    TNotifyLog clicks;
};

}  // namespace

TEST_F(CheckBoxTest, UserClickTogglesWithOneOnClickSeeingTheNewState) {
    std::vector<bool> seen;
    clicks.Then = [&](TObject*) { seen.push_back(box->Checked()); };
    ClickOn(box, 5, 5);
    ClickOn(box, 5, 5);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    box->SetFocus();
    Key(VK_SPACE);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

TEST_F(CheckBoxTest, CodeRaisesOnClickOnlyForANewValue) {
    box->SetChecked(true);
    EXPECT_EQ(clicks.Count(), 1);
    box->SetChecked(true);
    box->SetState(cbChecked);
    EXPECT_EQ(clicks.Count(), 1);
    box->SetState(cbGrayed);
    EXPECT_EQ(clicks.Count(), 2);
    box->SetChecked(false);
    EXPECT_EQ(clicks.Count(), 3);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBoxTest, GrayedJoinsTheUserCycleOnlyWithAllowGrayed) {
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        ClickOn(box, 5, 5);
        states.push_back(box->State());
    }
    box->SetAllowGrayed(true);
    for (int i = 0; i < 3; ++i) {
        ClickOn(box, 5, 5);
        states.push_back(box->State());
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbChecked, cbUnchecked, cbGrayed,
                                                   cbChecked}));
}

TEST_F(CheckBoxTest, SpaceActsOnReleaseAndOnlyWhenPressedHere) {
    box->SetFocus();
    KeyDownOnly(VK_SPACE);
    EXPECT_TRUE(box->Pressed());
    EXPECT_FALSE(box->Checked());
    Key(VK_SPACE);  // the release of a press that went down here
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(box->Pressed());
    // A release whose press went down on another control does nothing.
    auto* other = Make<TCheckBox>(form, 10, 40);
    other->SetFocus();
    KeyDownOnly(VK_SPACE);
    box->SetFocus();
    TInputEvent up;
    up.Kind = TInputEvent::KeyUp;
    up.Key = VK_SPACE;
    Desktop()->Inject(up);
    Process();
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(other->Checked());
    EXPECT_EQ(clicks.Count(), 1);
}

TEST_F(CheckBoxTest, ReleaseAwayFromTheBoxCancelsTheClick) {
    PressOn(box, 5, 5);
    EXPECT_TRUE(box->Pressed());
    MoveTo(box, 200, 5);
    EXPECT_FALSE(box->Pressed());
    ReleaseOn(box, 200, 5);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks.Count(), 0);
}

TEST_F(CheckBoxTest, HandlerMayFreeTheBoxItClicked) {
    clicks.Then = [&](TObject* sender) { static_cast<TControl*>(sender)->Free(); };
    TWeakRef<TCheckBox> ref(box);
    ClickOn(box, 5, 5);  // ASan reports any use of the box after its OnClick
    EXPECT_EQ(ref.Get(), nullptr);
}

namespace {

class RadioTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            radios.push_back(Make<TRadioButton>(form, 10, 10 + 20 * i));
            logs.push_back(std::make_unique<TNotifyLog>());
            radios.back()->OnClick = logs.back()->Event();
        }
    }
    std::vector<bool> Checks() const {
        std::vector<bool> r;
        for (auto* b : radios) r.push_back(b->Checked());
        return r;
    }
    std::vector<int> Clicks() const {
        std::vector<int> r;
        for (auto& l : logs) r.push_back(l->Count());
        return r;
    }
    std::vector<TRadioButton*> radios;
    std::vector<std::unique_ptr<TNotifyLog>> logs;
};

}  // namespace

TEST_F(RadioTest, CheckingOneClearsItsSiblingsSilently) {
    radios[0]->SetChecked(true);
    ClickOn(radios[2], 5, 5);
    EXPECT_EQ(Checks(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Clicks(), (std::vector<int>{1, 0, 1}));
    radios[1]->SetFocus();
    Key(VK_SPACE);
    EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Clicks(), (std::vector<int>{1, 1, 1}));
}

TEST_F(RadioTest, UserClickNeverUnchecksNorClicksAgain) {
    ClickOn(radios[1], 5, 5);
    ClickOn(radios[1], 5, 5);
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_EQ(Clicks(), (std::vector<int>{0, 1, 0}));
    radios[1]->SetChecked(false);  // only code clears it, and says nothing
    EXPECT_EQ(Clicks(), (std::vector<int>{0, 1, 0}));
}

TEST_F(RadioTest, ButtonsOfAnotherParentAreAnotherGroup) {
    auto* group = Make<TWinControl>(form, 200, 10, 150, 100);
    auto* inner = Make<TRadioButton>(group, 5, 5);
    radios[0]->SetChecked(true);
    inner->SetChecked(true);
    EXPECT_TRUE(radios[0]->Checked());
    EXPECT_TRUE(inner->Checked());
}

namespace {

class EditTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        edit = Make<TEdit>(form, 10, 10);
        edit->SetText("");
        edit->OnChange = changes.Event();
        edit->SetFocus();
    }
    TEdit* edit = nullptr;
    TNotifyLog changes;
};

}  // namespace

TEST_F(EditTest, TypingInsertsAtTheCaretAndReplacesTheSelection) {
    Type("abcd");
    Key(VK_LEFT);
    Key(VK_LEFT);
    Type("X");
    EXPECT_EQ(edit->Text(), "abXcd");
    Key(VK_LEFT, true);  // selects "bX" backwards
    Key(VK_LEFT, true);
    EXPECT_EQ(edit->SelText(), "bX");
    Type("-");
    EXPECT_EQ(edit->Text(), "a-cd");
    EXPECT_EQ(edit->CaretPos(), 2);
}

TEST_F(EditTest, ShiftExtendsFromTheAnchorAndArrowsCollapse) {
    Type("hello");
    Key(VK_HOME);
    Key(VK_RIGHT);
    Key(VK_END, true);
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 4);
    Key(VK_LEFT);  // collapses to the start of the selection
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->CaretPos(), 1);
    Key(VK_END, true);
    Key(VK_RIGHT);  // ... or to its end
    EXPECT_EQ(edit->CaretPos(), 5);
    Key(VK_HOME, true);
    Key(VK_RIGHT, true);  // the caret end moves, the anchor stays
    EXPECT_EQ(edit->SelText(), "ello");
}

TEST_F(EditTest, BackspaceAndDeleteTakeTheSelectionOrOneCharacter) {
    Type("abcdef");
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "bcde");
    Key(VK_BACK);  // nothing before the caret
    Key(VK_RIGHT);
    Key(VK_END, true);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "b");
    Key(VK_DELETE);  // nothing after the caret
    EXPECT_EQ(edit->Text(), "b");
}

TEST_F(EditTest, OnChangeRunsForEveryRealChangeTypedOrSet) {
    Type("ab");
    EXPECT_EQ(changes.Count(), 2);
    Key(VK_LEFT);
    Key(VK_DELETE);
    Key(VK_DELETE);  // nothing left after the caret: no change
    EXPECT_EQ(changes.Count(), 3);
    edit->SetText("xyz");
    edit->SetText("xyz");
    EXPECT_EQ(changes.Count(), 4);
    EXPECT_EQ(edit->CaretPos(), 0);  // text set by program starts over
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    edit->SetSelText("YY");
    EXPECT_EQ(edit->Text(), "xYYz");
    EXPECT_EQ(changes.Count(), 5);
}

TEST_F(EditTest, MaxLengthAndReadOnlyLimitTheUserOnly) {
    edit->SetMaxLength(3);
    Type("abcde");
    EXPECT_EQ(edit->Text(), "abc");
    Key(VK_LEFT, true);
    Type("XY");  // replaces one character: room for one
    EXPECT_EQ(edit->Text(), "abX");
    edit->SetText("longer than three");
    EXPECT_EQ(edit->Text(), "longer than three");
    edit->SetReadOnly(true);
    edit->SetText("ro");
    Key(VK_END);
    Type("z");
    Key(VK_BACK);
    EXPECT_EQ(edit->Text(), "ro");
    Key(VK_HOME, true);  // selecting still works
    EXPECT_EQ(edit->SelText(), "ro");
}

TEST_F(EditTest, ControlCharactersNeverEnterTheText) {
    Type(std::string("a\b\t\x7f\rb", 6));
    EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(EditTest, HandlerMayFreeTheEditWhileTyping) {
    changes.Then = [&](TObject* sender) { static_cast<TControl*>(sender)->Free(); };
    TWeakRef<TEdit> ref(edit);
    Type("ab");  // the second character arrives with no edit focused
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_EQ(changes.Count(), 1);
}

namespace {

// Where Paint puts each character boundary of an edit's text that is not
// scrolled: one pixel in, then the text's width up to it.
std::vector<int32_t> Boundaries(TControl* c, const std::string& text) {
    TBitmapData none;
    TCanvas canvas(none);
    canvas.Font()->Assign(c->Font());
    std::vector<int32_t> x;
    for (size_t i = 0; i <= text.size(); ++i) x.push_back(1 + canvas.TextWidth(text.substr(0, i)));
    return x;
}

}  // namespace

TEST_F(EditTest, ClickPutsTheCaretAtTheNearestBoundaryEvenWhenScrolled) {
    edit->SetText("MWM");
    std::vector<int32_t> x = Boundaries(edit, "MWM");
    struct {
        int Char;
        double Across;  // how far across that character
        int Caret;
    } cases[] = {{0, 0.25, 0}, {0, 0.75, 1}, {1, 0.3, 1}, {2, 0.75, 3}, {2, 3.0, 3}};
    for (const auto& c : cases) {
        const size_t i = static_cast<size_t>(c.Char);
        ClickOn(edit, x[i] + static_cast<int32_t>(c.Across * (x[i + 1] - x[i])), 5);
        EXPECT_EQ(edit->CaretPos(), c.Caret) << c.Char << " " << c.Across;
    }
    // Scrolled to keep the caret at the end in view, the end is at the
    // right edge of the room.
    const std::string longer(40, 'W');
    edit->SetText(longer);
    Key(VK_END);
    ClickOn(edit, edit->ClientWidth() - 2, 5);
    EXPECT_EQ(edit->CaretPos(), 40);
}

TEST_F(EditTest, DoubleClickSelectsTheWordOrRunUnderThePointer) {
    const std::string text = "foo_bar1  ,x";
    edit->SetText(text);
    std::vector<int32_t> x = Boundaries(edit, text);
    auto middle = [&](size_t i) { return (x[i] + x[i + 1]) / 2; };
    struct {
        size_t Char;
        const char* Selected;
    } words[] = {{4, "foo_bar1"}, {9, "  "}, {10, ","}, {11, "x"}};
    for (const auto& w : words) {
        ClickOn(edit, middle(w.Char), 5);
        ClickOn(edit, middle(w.Char), 5);
        EXPECT_EQ(edit->SelText(), w.Selected) << w.Char;
        EXPECT_EQ(edit->CaretPos(), edit->SelStart() + edit->SelLength());
    }
    // Anything between the presses makes the second a single click, and so
    // does a double click before them.
    const std::pair<const char*, std::function<void()>> between[] = {
        {"a key", [&] { Key(VK_SHIFT); }},
        {"a move away", [&] { MoveTo(edit, middle(4) + 3, 5); }},
        {"a double click", [&] { ClickOn(edit, middle(4), 5); }},
    };
    for (const auto& [what, act] : between) {
        MoveTo(edit, 0, 0);
        ClickOn(edit, middle(4), 5);
        act();
        ClickOn(edit, middle(4), 5);
        EXPECT_EQ(edit->SelLength(), 0) << what;
    }
}

using LabelTest = ControlsTest;

TEST_F(LabelTest, AutoSizeFollowsTheCaptionAsDrawn) {
    auto* label = Make<TLabel>(form, 100, 10, 200, 50);
    TBitmapData none;
    TCanvas canvas(none);
    // The bounds of text of so many lines, the widest given, at Left.
    auto fitted = [&](int32_t left, const std::string& widest, int lines) {
        canvas.Font()->Assign(label->Font());
        return Bounds(left, 10, canvas.TextWidth(widest), lines * canvas.TextHeight(widest));
    };
    label->SetCaption("Hello");
    EXPECT_EQ(label->BoundsRect(), fitted(100, "Hello", 1));
    label->Font()->SetHeight(-24);
    EXPECT_EQ(label->BoundsRect(), fitted(100, "Hello", 1));
    label->SetCaption("Hi\nthere");
    EXPECT_EQ(label->BoundsRect(), fitted(100, "there", 2));
    const int32_t right = label->BoundsRect().Right;
    label->SetAlignment(taRightJustify);
    label->SetCaption("Hi");
    EXPECT_EQ(label->BoundsRect(), fitted(right - fitted(0, "Hi", 1).Width(), "Hi", 1));
    label->SetAutoSize(false);
    label->SetBounds(100, 10, 60, 20);
    label->SetCaption("one two three four");
    EXPECT_EQ(label->BoundsRect(), Bounds(100, 10, 60, 20));
    label->SetWordWrap(true);
    label->SetAutoSize(true);  // wrapped: the width stays, the height takes the lines
    EXPECT_EQ(label->Width(), 60);
    EXPECT_GE(label->Height(), fitted(100, "", 2).Height());
    EXPECT_EQ(label->Height() % fitted(100, "", 1).Height(), 0);
    label->SetWordWrap(false);
    label->SetAlign(alTop);  // aligned at the top: the parent's width, the text's height
    label->SetCaption("x");
    EXPECT_EQ(label->BoundsRect(), Bounds(0, 0, form->ClientWidth(), fitted(0, "x", 1).Height()));
}

TEST_F(LabelTest, FormFileLabelsFitTheirCaptionOnceReadUnlessAutoSizeIsOff) {
    RegisterStdControls();
    auto* read = new TForm(Application);
    ReadComponentFromText("object F: TForm\n"
                          "  object A: TLabel\n    Width = 999\n    Height = 99\n    Caption = 'Hi'\n"
                          "    Font.Height = -20\n  end\n"
                          "  object B: TLabel\n    Width = 999\n    Height = 99\n    AutoSize = False\n"
                          "    Caption = 'Hi'\n  end\nend\n",
                          "labels.dfm", read);
    auto* a = static_cast<TControl*>(read->FindComponent("A"));
    auto* b = static_cast<TControl*>(read->FindComponent("B"));
    TBitmapData none;
    TCanvas canvas(none);
    canvas.Font()->Assign(a->Font());
    EXPECT_EQ(a->BoundsRect(), Bounds(0, 0, canvas.TextWidth("Hi"), canvas.TextHeight("Hi")));
    EXPECT_EQ(b->BoundsRect(), Bounds(0, 0, 999, 99));
}
