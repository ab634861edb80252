// Every control kind in the classic look, on a reference form shown on the
// headless desktop and read back from a screenshot at chosen points.
#include <array>
#include <functional>

#include "ControlsFixture.h"
#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Windows.h"

namespace {

using namespace vcltest;

class Paint : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        form = ShowForm(100, 80, 420, 260);
        panel = Make<TPanel>(form, 10, 10, 100, 40);
        panel->SetColor(clTeal);
        panel->SetCaption("");
        bevel = Make<TBevel>(form, 120, 10, 60, 40);
        edit = Make<TEdit>(form, 190, 10, 100, 21);
        edit->SetText("Edit");
        button = Make<TButton>(form, 300, 10, 75, 25);
        button->SetCaption("Button");
        check = Make<TCheckBox>(form, 10, 60, 90, 17);
        check->SetCaption("Check");
        radio = Make<TRadioButton>(form, 110, 60, 90, 17);
        radio->SetCaption("Radio");
        label = Make<TLabel>(form, 210, 60, 80, 16);
        label->SetAutoSize(false);  // a fixed box, where the alignment shows
        label->SetBounds(210, 60, 80, 16);
        label->SetCaption("Label");
        label->Font()->SetColor(clRed);
        speed = Make<TSpeedButton>(form, 300, 60, 80, 25);
        speed->SetCaption("Speed");
        speed->SetFlat(true);
        list = Make<TCheckListBox>(form, 10, 100, 200, 80);
        list->SetItemHeight(18);
        list->Items()->Add("First");
        list->Items()->Add("Second");
        list->Items()->Add("Third");
        Process();
    }

    // A pixel of a control from a screenshot of the desktop.
    uint32_t Shot(const TControl* c, int32_t x, int32_t y) {
        TBitmapData screen = Desktop()->Screenshot();
        TPoint p = c->Parent() ? c->Parent()->ClientToScreen(TPoint{c->Left() + x, c->Top() + y})
                               : c->ClientToScreen(TPoint{x, y});
        return screen.Pixel(p.x, p.y);
    }
    // Pixels of a control, each {x, y, rgb}.
    void ExpectShots(const TControl* c, std::initializer_list<std::array<int64_t, 3>> probes) {
        for (const auto& [x, y, rgb] : probes)
            EXPECT_EQ(Shot(c, int32_t(x), int32_t(y)), uint32_t(rgb)) << x << "," << y;
    }
    void ClickOn(const TControl* c, int32_t x, int32_t y) {
        Desktop()->Click(c->Parent()->ClientToScreen(TPoint{c->Left() + x, c->Top() + y}));
        Process();
    }

    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TBevel* bevel = nullptr;
    TEdit* edit = nullptr;
    TButton* button = nullptr;
    TCheckBox* check = nullptr;
    TRadioButton* radio = nullptr;
    TLabel* label = nullptr;
    TSpeedButton* speed = nullptr;
    TCheckListBox* list = nullptr;
};

TEST_F(Paint, FormClientAreaIsItsColour) {
    EXPECT_EQ(Shot(form, 0, 0), kFace);  // the form's own client corner
    EXPECT_EQ(Shot(panel, -5, -5), kFace);
    form->SetColor(clNavy);
    Process();
    EXPECT_EQ(Shot(panel, -5, -5), kNavy);
}

TEST_F(Paint, PanelIsFilledWithItsColourInsideARaisedBevel) {
    ExpectShots(panel, {{50, 20, kTeal}, {0, 0, kWhite}, {50, 0, kWhite}, {99, 39, kShadow}, {99, 20, kShadow}});
    panel->SetBevelOuter(bvLowered);
    panel->SetBevelInner(bvRaised);
    Process();
    ExpectShots(panel, {{0, 0, kShadow}, {1, 1, kWhite}, {98, 38, kShadow}, {99, 39, kWhite}});
}

TEST_F(Paint, PanelCaptionIsInItsFontColour) {
    panel->SetCaption("Caption");
    panel->Font()->SetColor(clWhite);
    Process();
    EXPECT_GT(Count(panel, TRect{2, 2, 98, 38}, kWhite), 10);
    // Centred: nothing near the left and right bevels.
    EXPECT_EQ(Count(panel, TRect{2, 2, 15, 38}, kWhite), 0);
    EXPECT_EQ(Count(panel, TRect{85, 2, 98, 38}, kWhite), 0);
}

TEST_F(Paint, LoweredBevelHasShadowTopLeftAndHighlightBottomRight) {
    // (30, 20): a bevel fills nothing
    ExpectShots(
        bevel,
        {{0, 0, kShadow}, {30, 0, kShadow}, {0, 20, kShadow}, {59, 20, kWhite}, {30, 39, kWhite}, {30, 20, kFace}});
    bevel->SetStyle(bsRaised);
    Process();
    ExpectShots(bevel, {{0, 20, kWhite}, {59, 20, kShadow}});
}

TEST_F(Paint, EditIsAWhiteFieldWithADarkTopLeftEdge) {
    ExpectShots(
        edit, {{0, 0, kShadow}, {1, 1, kBlack}, {50, 1, kBlack}, {99, 20, kWhite}, {98, 19, kLight}, {90, 10, kWhite}});
    EXPECT_GT(Count(edit, TRect{2, 2, 40, 19}, kBlack), 5);  // the text
}

TEST_F(Paint, FocusedEditShowsItsSelectionHighlighted) {
    EXPECT_EQ(Count(edit, TRect{2, 2, 98, 19}, kNavy), 0);
    edit->SetFocus();
    edit->SelectAll();
    Process();
    EXPECT_GT(Count(edit, TRect{2, 2, 98, 19}, kNavy), 20);
    EXPECT_GT(Count(edit, TRect{2, 2, 40, 19}, kWhite), 5);  // the selected text
}

TEST_F(Paint, ButtonIsARaisedFace) {
    ExpectShots(button, {{0, 0, kWhite}, {74, 24, kBlack}, {73, 23, kShadow}, {5, 12, kFace}});
    EXPECT_GT(Count(button, TRect{2, 2, 73, 23}, kBlack), 10);  // the caption
}

TEST_F(Paint, FocusedButtonHasABlackFrameAndAFocusRectangle) {
    button->SetFocus();
    Process();
    ExpectShots(button, {{0, 0, kBlack}, {1, 1, kWhite}});
    // The dotted rectangle four pixels in.
    int dots = 0;
    for (int32_t x = 4; x < 71; ++x) dots += Shot(button, x, 4) != kFace;
    EXPECT_GT(dots, 20);
    EXPECT_LT(dots, 50);
}

TEST_F(Paint, PressedButtonLooksPushedIn) {
    Desktop()->MoveTo(button->ClientToScreen(TPoint{30, 12}));
    Desktop()->Press();
    Process();
    ASSERT_TRUE(button->Pressed());
    ExpectShots(button, {{0, 0, kBlack}, {1, 1, kShadow}, {73, 23, kShadow}});
    Desktop()->Release();
    Process();
}

TEST_F(Paint, CheckMarkShowsOnlyAfterAClick) {
    const int32_t top = (17 - 13) / 2;
    TRect box{2, top + 2, 11, top + 11};  // inside the sunken edge
    ExpectShots(check, {{0, top, kShadow}, {1, top + 1, kBlack}});
    EXPECT_EQ(Count(check, box, kWhite), 81);
    ClickOn(check, 6, 8);
    ASSERT_TRUE(check->Checked());
    EXPECT_GT(Count(check, box, kBlack), 10);
    EXPECT_GT(Count(check, box, kWhite), 30);
}

TEST_F(Paint, CheckBoxCaptionIsInItsFontColourBesideTheBox) {
    check->Font()->SetColor(clRed);
    Process();
    EXPECT_GT(Count(check, TRect{15, 0, 90, 17}, kRed), 5);
    EXPECT_EQ(Count(check, TRect{0, 0, 14, 17}, kRed), 0);
}

TEST_F(Paint, RadioButtonShowsADotWhenChecked) {
    const int32_t top = (17 - 12) / 2;
    ExpectShots(radio, {{5, top + 5, kWhite}, {4, top, kShadow}, {5, top + 11, kWhite}});
    radio->SetChecked(true);
    Process();
    // (4, top + 4) is the dot's cut corner
    ExpectShots(radio, {{5, top + 5, kBlack}, {6, top + 6, kBlack}, {4, top + 4, kWhite}});
}

TEST_F(Paint, CheckListBoxShowsEachItemsMark) {
    list->SetChecked(1, true);
    Process();
    // Items sit inside the 2-pixel edge, the box a pixel into each.
    auto boxInk = [&](int item) {
        int32_t top = 2 + item * 18 + (18 - 13) / 2;
        return Count(list, TRect{2 + 1 + 2, top + 2, 2 + 1 + 11, top + 11}, kBlack);
    };
    EXPECT_EQ(boxInk(0), 0);
    EXPECT_GT(boxInk(1), 10);
    EXPECT_EQ(boxInk(2), 0);
    ExpectShots(list, {{0, 0, kShadow}, {1, 1, kBlack}});
    EXPECT_GT(Count(list, TRect{20, 2, 100, 20}, kBlack), 5);  // "First"
}

TEST_F(Paint, CheckListBoxHighlightsTheSelectedItemsText) {
    list->SetItemIndex(2);
    Process();
    EXPECT_GT(Count(list, TRect{20, 2 + 36, 190, 2 + 54}, kNavy), 100);
    EXPECT_EQ(Count(list, TRect{2, 2 + 36, 16, 2 + 54}, kNavy), 0);  // not the check box
    EXPECT_EQ(Count(list, TRect{20, 2, 190, 2 + 36}, kNavy), 0);
}

TEST_F(Paint, CheckListBoxLaysItemsOutInColumns) {
    list->SetColumns(2);
    for (int i = 0; i < 5; ++i) list->Items()->Add("More");
    list->SetChecked(4, true);  // 4 rows a column: the first of the second column
    Process();
    TRect r = list->ItemRect(4);
    EXPECT_EQ(r.Left, 98);
    EXPECT_GT(Count(list, TRect{2 + r.Left + 3, 2 + 4, 2 + r.Left + 12, 2 + 13}, kBlack), 10);
}

TEST_F(Paint, LabelTextIsInItsFontColour) {
    EXPECT_GT(Count(label, TRect{0, 0, 80, 16}, kRed), 5);
    EXPECT_EQ(Shot(label, 79, 0), kFace);  // filled with its (parent's) colour
    label->SetAlignment(taRightJustify);
    Process();
    EXPECT_EQ(Count(label, TRect{0, 0, 40, 16}, kRed), 0);
    EXPECT_GT(Count(label, TRect{40, 0, 80, 16}, kRed), 5);
}

TEST_F(Paint, WordWrappedLabelBreaksBetweenWords) {
    label->SetWordWrap(true);
    label->SetCaption("one two three four");
    label->SetHeight(60);
    Process();
    EXPECT_GT(Count(label, TRect{0, 13, 80, 26}, kRed), 5);  // a second line
}

TEST_F(Paint, FlatSpeedButtonShowsItsFrameOnlyWhileThePointerIsOver) {
    ExpectShots(speed, {{0, 0, kFace}, {79, 24, kFace}});
    Desktop()->MoveTo(speed->Parent()->ClientToScreen(TPoint{speed->Left() + 40, speed->Top() + 12}));
    Process();
    ASSERT_TRUE(speed->MouseInControl());
    ExpectShots(speed, {{0, 0, kWhite}, {79, 24, kShadow}});
    Desktop()->MoveTo(TPoint{5, 5});
    Process();
    EXPECT_EQ(Shot(speed, 0, 0), kFace);
}

TEST_F(Paint, PressedSpeedButtonIsSunken) {
    Desktop()->MoveTo(speed->Parent()->ClientToScreen(TPoint{speed->Left() + 40, speed->Top() + 12}));
    Desktop()->Press();
    Process();
    ASSERT_TRUE(speed->Pressed());
    ExpectShots(speed, {{0, 0, kShadow}, {79, 24, kWhite}});
    Desktop()->Release();
    Process();
}

TEST_F(Paint, MessageBoxErrorIconIsARedDiscWithAWhiteCross) {
    uint32_t disc = 0, cross = 0;
    Desktop()->OnIdleInput = [&] {
        TCustomForm* box = Screen->ActiveForm();
        if (!box || box == form) return false;
        TBitmapData screen = Desktop()->Screenshot();
        TPoint icon = box->ClientToScreen(TPoint{12, 12});  // the icon's place in the box
        disc = screen.Pixel(icon.x + 5, icon.y + 16);
        cross = screen.Pixel(icon.x + 16, icon.y + 16);
        Desktop()->Key(VK_RETURN);
        return true;
    };
    EXPECT_EQ(MessageBoxA(nullptr, "Failed", "Error", MB_OK | MB_ICONERROR), IDOK);
    Desktop()->OnIdleInput = nullptr;
    EXPECT_EQ(disc, kRed);
    EXPECT_EQ(cross, kWhite);
}

}  // namespace
