// Repainting: only what was invalidated is drawn again, parents first, in
// z-order, clipped to the parents; screen texts go where a form repaints.
#include "framework/ExtCtrls.h"
#include "framework/Windows.h"
#include "ControlsFixture.h"

namespace {

using namespace vcltest;

// Fills its bounds with its colour and counts its paints.
template <class TBase>
class TCountingOf : public TBase {
public:
    explicit TCountingOf(TComponent* owner) : TBase(owner) {}
    void Paint(TCanvas& Canvas) const override {
        ++Paints;
        Canvas.Brush.Color = this->Color();
        Canvas.FillRect(TRect{0, 0, this->Width(), this->Height()});
    }
    mutable int Paints = 0;
};
using TCounting = TCountingOf<TGraphicControl>;
using TCountingWindow = TCountingOf<TWinControl>;

class Repaint : public GraphicsTest {};

TEST_F(Repaint, SurfaceIsTheClientAreaOnceShown) {
    TForm* f = ShowForm(10, 10, 200, 120, clNavy);
    EXPECT_EQ(f->Surface().Width, 200);
    EXPECT_EQ(f->Surface().Height, 120);
    EXPECT_EQ(f->Surface().Pixel(199, 119), kNavy);
    f->SetClientWidth(250);
    Process();
    EXPECT_EQ(f->Surface().Width, 250);
    EXPECT_EQ(f->Surface().Pixel(249, 0), kNavy);
}

TEST_F(Repaint, OnlyTheInvalidatedControlIsPaintedAgain) {
    TForm* f = ShowForm(10, 10, 200, 120);
    auto* a = Make<TCounting>(f, 10, 10, 30, 30);
    auto* b = Make<TCounting>(f, 100, 10, 30, 30);
    Process();
    ASSERT_EQ(a->Paints, 1);
    ASSERT_EQ(b->Paints, 1);
    uint64_t version = f->SurfaceVersion();
    Process();  // nothing changed
    EXPECT_EQ(a->Paints, 1);
    EXPECT_EQ(f->SurfaceVersion(), version);
    a->SetColor(clRed);
    Process();
    EXPECT_EQ(a->Paints, 2);
    EXPECT_EQ(b->Paints, 1);
    EXPECT_GT(f->SurfaceVersion(), version);
    EXPECT_EQ(At(a, 5, 5), kRed);
}

TEST_F(Repaint, ControlsOverlappingAnInvalidatedOneArePaintedOverItAgain) {
    TForm* f = ShowForm(10, 10, 200, 120);
    auto* below = Make<TCounting>(f, 10, 10, 50, 50);
    auto* above = Make<TCounting>(f, 40, 40, 50, 50);
    above->SetColor(clNavy);
    Process();
    int before = above->Paints;
    below->SetColor(clRed);
    Process();
    EXPECT_EQ(above->Paints, before + 1);
    EXPECT_EQ(At(below, 45, 45), kNavy);  // the upper one stays on top
    EXPECT_EQ(At(below, 5, 5), kRed);
}

TEST_F(Repaint, WindowedControlsLieAboveGraphicOnes) {
    TForm* f = ShowForm(10, 10, 200, 120);
    auto* window = Make<TCountingWindow>(f, 10, 10, 50, 50);
    window->SetColor(clNavy);
    auto* graphic = Make<TCounting>(f, 30, 30, 50, 50);  // made later, still below
    graphic->SetColor(clRed);
    Process();
    EXPECT_EQ(At(graphic, 5, 5), kNavy);
    EXPECT_EQ(At(graphic, 45, 45), kRed);
}

TEST_F(Repaint, ChildrenAreClippedToTheirParentsClientArea) {
    TForm* f = ShowForm(10, 10, 200, 120);
    auto* panel = Make<TPanel>(f, 10, 10, 60, 60);
    panel->SetBorderStyle(bsSingle);
    auto* child = new TCounting(f);
    child->SetBounds(20, 20, 100, 100);  // reaches past the panel
    child->SetColor(clRed);
    child->SetParent(panel);
    Process();
    EXPECT_EQ(At(panel, 30, 30), kRed);
    EXPECT_EQ(At(panel, 58, 30), kLight);  // the panel's own border stays
    EXPECT_EQ(f->Surface().Pixel(75, 40), kFace);
}

TEST_F(Repaint, HiddenControlLeavesItsParentsBackground) {
    TForm* f = ShowForm(10, 10, 200, 120, clNavy);
    auto* a = Make<TCounting>(f, 10, 10, 30, 30);
    a->SetColor(clRed);
    Process();
    ASSERT_EQ(At(a, 5, 5), kRed);
    a->Hide();
    Process();
    EXPECT_EQ(f->Surface().Pixel(15, 15), kNavy);
}

TEST_F(Repaint, ScreenTextIsErasedWhereTheFormRepaints) {
    TForm* f = ShowForm(10, 10, 200, 120);
    auto* a = Make<TCounting>(f, 10, 10, 30, 30);
    Process();
    TPoint inside = a->Parent()->ClientToScreen(TPoint{15, 15});
    HDC dc = GetDC(nullptr);
    TextOutA(dc, inside.x, inside.y, "on the control", 14);
    TextOutA(dc, 600, 600, "on the desktop", 14);
    TextOutA(dc, inside.x + 100, inside.y, "elsewhere on the form", 21);
    ReleaseDC(nullptr, dc);
    a->Invalidate();
    Process();
    ASSERT_EQ(ScreenTexts().size(), 2u);
    EXPECT_EQ(ScreenTexts()[0].Text, "on the desktop");
    EXPECT_EQ(ScreenTexts()[1].Text, "elsewhere on the form");
    EraseScreenTexts(TRect{0, 0, 1024, 768});
}

}  // namespace
