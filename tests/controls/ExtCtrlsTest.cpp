// Panels: where aligned children go inside bevels and borders.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

class PanelTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        panel = Make<TPanel>(form, 10, 10, 200, 100);
        top = Make<TBevel>(panel, 0, 0, 50, 10);
        top->SetAlign(alTop);
        rest = Make<TWinControl>(panel, 0, 0, 10, 10);
        rest->SetAlign(alClient);
    }
    TPanel* panel = nullptr;
    TBevel* top = nullptr;
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

TEST_F(PanelTest, ChildrenAlignedInAPanelOfAFormFileAreLaidOutOnceItLoads) {
    RegisterFormClasses();
    RegisterStdControls();
    RegisterExtControls();
    auto* loaded = new TForm(Application);
    ReadComponentFromText("object F: TForm\n  object P: TPanel\n    Width = 300\n    Height = 200\n"
                          "    object C: TPanel\n      Align = alClient\n    end\n"
                          "    object T: TButton\n      Align = alTop\n    end\n  end\nend\n",
                          "aligned.dfm", loaded);
    EXPECT_EQ(static_cast<TControl*>(loaded->FindComponent("T"))->BoundsRect(), (TRect{1, 1, 299, 26}));
    EXPECT_EQ(static_cast<TControl*>(loaded->FindComponent("C"))->BoundsRect(), (TRect{1, 26, 299, 199}));
}
