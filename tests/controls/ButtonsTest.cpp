// Push buttons closing modal forms with their results, and speed buttons'
// hover (clicks, keys, Default and Cancel, groups: ScenarioTest.cpp).
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "framework/Buttons.h"
#include "framework/StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

class ButtonTest : public ControlsTest {
protected:
    // A dialog with a button per modal result, side by side.
    std::vector<TButton*> Dialog(std::initializer_list<int> results) {
        dialog = MakeForm(300, 200, 200, 100);
        std::vector<TButton*> buttons;
        for (int result : results) {
            auto* b = Make<TButton>(dialog, 80 * static_cast<int>(buttons.size()), 0, 75, 25);
            b->SetModalResult(result);
            buttons.push_back(b);
        }
        return buttons;
    }
    TForm* dialog = nullptr;
};

TEST_F(ButtonTest, ModalResultClosesTheModalFormWithIt) {
    auto buttons = Dialog({mrNone, mrYes});
    TNotifyLog plainClicks;
    buttons[0]->OnClick = plainClicks.Event();
    // The user clicks the button without a result first.
    WhenIdle({[&] { Desktop()->Click(ScreenOf(buttons[0], 5, 5)); },
              [&] { Desktop()->Click(ScreenOf(buttons[1], 5, 5)); }});
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    EXPECT_EQ(plainClicks.Count(), 1);
    EXPECT_FALSE(dialog->Showing());
}

TEST_F(ButtonTest, DialogKeysCloseAModalFormThroughItsButtons) {
    auto buttons = Dialog({mrOk, mrAbort});
    buttons[0]->SetDefault(true);
    buttons[1]->SetCancel(true);
    WhenIdle({[&] { Desktop()->Key(VK_RETURN); }});
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    WhenIdle({[&] { Desktop()->Key(VK_ESCAPE); }});
    EXPECT_EQ(dialog->ShowModal(), mrAbort);
}

TEST_F(ButtonTest, SpeedButtonHoverFollowsThePointerAndStillReachesTheForm) {
    auto* a = Make<TSpeedButton>(form, 10, 10);
    auto* b = Make<TSpeedButton>(form, 40, 10);
    b->SetFlat(true);
    TMessageRecorder recorder(form);
    MoveTo(b, 3, 3);
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_FALSE(a->MouseInControl());
    MoveTo(a, 3, 3);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_TRUE(a->MouseInControl());
    std::vector<std::pair<uint32_t, intptr_t>> seen;
    for (const TMessage& m : recorder.Messages)
        if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) seen.emplace_back(m.Msg, m.LParam);
    auto L = [](TControl* c) { return reinterpret_cast<intptr_t>(c); };
    EXPECT_EQ(seen, (std::vector<std::pair<uint32_t, intptr_t>>{
                        {CM_MOUSEENTER, L(b)}, {CM_MOUSELEAVE, L(b)}, {CM_MOUSEENTER, L(a)}}));
}

}  // namespace
