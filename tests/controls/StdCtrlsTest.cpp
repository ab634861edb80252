// Edit boxes and labels driven as a user drives them (check boxes and radio
// buttons: ScenarioTest.cpp).
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "DataCases.h"
#include "ProgramFixture.h"
#include "framework/Canvas.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"
#include "framework/platform/headless/InputScript.h"

using namespace vcl;
using namespace vcltest;

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
    // Runs the steps of a case of data/edit.txt; the edit's state then.
    std::string Run(const std::string& Steps) {
        for (size_t at = 0, end = 0; at < Steps.size(); at = end + 2) {
            end = std::min(Steps.find("; ", at), Steps.size());
            const std::string step = Steps.substr(at, end - at), name = step.substr(4, step.find(' ', 4) - 4),
                              value = step.substr(std::min(step.find(' ', 4) + 1, step.size()));
            if (step.starts_with("type ")) Type(step.substr(5));
            else if (step.starts_with("key ")) ScriptKey(step.substr(4));
            else if (name == "Text") edit->SetText(value);
            else if (name == "SelText") edit->SetSelText(value);
            else if (name == "SelStart") edit->SetSelStart(std::stoi(value));
            else if (name == "SelLength") edit->SetSelLength(std::stoi(value));
            else if (name == "MaxLength") edit->SetMaxLength(std::stoi(value));
            else if (name == "ReadOnly") edit->SetReadOnly(value == "True");
            else ADD_FAILURE() << "unknown step " << step;
        }
        return "'" + edit->Text() + "' sel " + std::to_string(edit->SelStart()) + "+" +
               std::to_string(edit->SelLength()) + " caret " + std::to_string(edit->CaretPos()) + " changes " +
               std::to_string(changes.Count());
    }
    void ScriptKey(const std::string& Name) {
        TInputScript script("key " + Name, "edit.txt");
        while (script.Step(*Desktop())) Process();
        Process();
    }
    TEdit* edit = nullptr;
    TNotifyLog changes;
};

}  // namespace

TEST_F(EditTest, KeysTypingAndSettersGiveTheStatesOfTheDataFile) {
    for (const TDataCase& c : ReadCases(QV_TEST_DATA_DIR "/edit.txt")) {
        edit->SetMaxLength(0);
        edit->SetReadOnly(false);
        edit->SetText("");
        changes.Senders.clear();
        EXPECT_EQ(Run(c.Input), c.Expected) << c.Where;
    }
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
    ReadComponentFromText(Slurp(QV_TEST_DATA_DIR "/Labels.dfm"), "Labels.dfm", read);
    auto* a = static_cast<TControl*>(read->FindComponent("A"));
    auto* b = static_cast<TControl*>(read->FindComponent("B"));
    TBitmapData none;
    TCanvas canvas(none);
    canvas.Font()->Assign(a->Font());
    EXPECT_EQ(a->BoundsRect(), Bounds(0, 0, canvas.TextWidth("Hi"), canvas.TextHeight("Hi")));
    EXPECT_EQ(b->BoundsRect(), Bounds(0, 0, 999, 99));
}
