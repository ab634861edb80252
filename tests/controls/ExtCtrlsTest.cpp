// Panels: where aligned children go inside bevels and borders.
#include <gtest/gtest.h>

#include "StdControlsFixture.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

class PanelTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        panel = Make<TPanel>(form, 10, 10, 200, 100);
        top = Make<TLabel>(panel, 0, 0, 50, 10);
        top->SetAlign(alTop);
        rest = Make<TWinControl>(panel, 0, 0, 10, 10);
        rest->SetAlign(alClient);
    }
    TPanel* panel = nullptr;
    TLabel* top = nullptr;
    TWinControl* rest = nullptr;
};

}  // namespace

TEST_F(PanelTest, AlignedChildrenKeepClearOfTheOuterBevel) {
    EXPECT_EQ(top->BoundsRect(), (TRect{1, 1, 199, 11}));
    EXPECT_EQ(rest->BoundsRect(), (TRect{1, 11, 199, 99}));
}

TEST_F(PanelTest, BevelsBorderWidthAndBorderAllAddUp) {
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);  // both bevels: 4
    panel->SetBorderWidth(3);
    EXPECT_EQ(rest->BoundsRect(), (TRect{7, 17, 193, 93}));
    panel->SetBorderStyle(bsSingle);  // the client area itself shrinks by 2 a side
    EXPECT_EQ(panel->ClientWidth(), 196);
    EXPECT_EQ(rest->BoundsRect(), (TRect{7, 17, 189, 89}));
    EXPECT_EQ(rest->ClientOrigin(), panel->ClientToScreen(TPoint{7, 17}));
    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    panel->SetBorderWidth(0);
    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 196, 10}));
    EXPECT_EQ(rest->BoundsRect(), (TRect{0, 10, 196, 96}));
}
