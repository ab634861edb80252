// What reaches a form beyond the scenarios of data/input.txt (see
// ScenarioTest.cpp): WindowProc chaining, modal state, and alignment.
#include <gtest/gtest.h>

#include "ControlsFixture.h"

using namespace vcl;
using namespace vcltest;

namespace {

class Input : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        form = MakeForm(100, 100, 400, 300);
        form->Show();
        Process();
    }
    TForm* form = nullptr;
};

TEST_F(Input, ChainedWindowProcsRunLastInstalledFirst) {
    std::vector<std::string> order;
    TMessageRecorder first(form, &order, "first");
    TMessageRecorder second(form, &order, "second");
    form->Perform(WM_NULL, 0, 0);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], "second");
    EXPECT_EQ(order[1], "first");
    // The replaced procedure receives every later message, input included.
    order.clear();
    MoveTo(form, 200, 200);
    EXPECT_FALSE(order.empty());
}

TEST_F(Input, ModalFormShutsOutOtherFormsButTheyKeepSeeingMoves) {
    TControl* g = Graphic(form, 10, 10, 50, 20);
    TWinControl* p = Windowed(form, 100, 10, 120, 100);
    TForm* dialog = MakeForm(600, 100, 200, 150);
    TMouseLog logG(g);
    MoveTo(g, 1, 1);
    TMessageRecorder recorder(form);
    std::vector<std::pair<uint32_t, intptr_t>> notes;
    WhenIdle({[&] {
                  Desktop()->Click(ScreenOf(g, 5, 5));  // refused
                  Desktop()->MoveTo(ScreenOf(p, 110, 90));
              },
              [&] {
                  for (const TMessage& m : recorder.Messages)
                      if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) notes.emplace_back(m.Msg, m.LParam);
                  Desktop()->CloseBox(dialog);
              }});
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(dialog->Visible());  // hidden, not freed
    EXPECT_EQ(logG.Downs, 0);
    const auto L = [](TControl* c) { return reinterpret_cast<intptr_t>(c); };
    EXPECT_EQ(notes, (std::vector<std::pair<uint32_t, intptr_t>>{{CM_MOUSELEAVE, L(g)}, {CM_MOUSEENTER, L(p)}}));
}

TEST_F(Input, AlignedChildrenFillTheClientAreaInOrder) {
    TForm* f = MakeForm(0, 0, 200, 100);
    TWinControl* top1 = Windowed(f, 0, 50, 10, 20);
    TWinControl* top0 = Windowed(f, 0, 0, 10, 10);
    TWinControl* bottom = Windowed(f, 0, 0, 10, 15);
    TWinControl* left = Windowed(f, 0, 0, 30, 10);
    TWinControl* right = Windowed(f, 0, 0, 40, 10);
    TWinControl* client = Windowed(f, 0, 0, 10, 10);
    top1->SetAlign(alTop);
    top0->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    left->SetAlign(alLeft);
    right->SetAlign(alRight);
    client->SetAlign(alClient);
    EXPECT_EQ(top0->BoundsRect(), (TRect{0, 0, 200, 10}));  // smaller Top goes first
    EXPECT_EQ(top1->BoundsRect(), (TRect{0, 10, 200, 30}));
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 85, 200, 100}));
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 30, 30, 85}));
    EXPECT_EQ(right->BoundsRect(), (TRect{160, 30, 200, 85}));
    EXPECT_EQ(client->BoundsRect(), (TRect{30, 30, 160, 85}));
    f->SetClientHeight(120);  // resizing realigns
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 105, 200, 120}));
    top0->Hide();  // hidden controls leave their room
    EXPECT_EQ(top1->BoundsRect(), (TRect{0, 0, 200, 20}));
}

}  // namespace
