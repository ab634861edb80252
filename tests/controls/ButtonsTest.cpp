// Push buttons (mouse, Space, Return, Default and Cancel, modal results)
// and speed buttons (pressing, groups, flat hover).
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "framework/Buttons.h"
#include "framework/StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

class ButtonTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ok = Make<TButton>(form, 10, 10);
        cancel = Make<TButton>(form, 100, 10);
        edit = Make<TEdit>(form, 10, 50);
        ok->SetDefault(true);
        cancel->SetCancel(true);
        ok->OnClick = okClicks.Event();
        cancel->OnClick = cancelClicks.Event();
    }
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
    // Input given when a modal loop waits for it, one step each time.
    void WhenIdle(std::vector<std::function<void()>> steps) {
        Desktop()->OnIdleInput = [steps, next = size_t{0}]() mutable {
            if (next == steps.size()) return false;
            steps[next++]();
            return true;
        };
    }
    TButton *ok = nullptr, *cancel = nullptr;
    TEdit* edit = nullptr;
    TForm* dialog = nullptr;
    TNotifyLog okClicks, cancelClicks;
};

}  // namespace

TEST_F(ButtonTest, MouseClickNeedsPressAndReleaseOverTheButton) {
    PressOn(cancel, 5, 5);
    EXPECT_TRUE(cancel->Pressed());
    MoveTo(cancel, 80, 5);  // dragged off: looks raised, still captured
    EXPECT_FALSE(cancel->Pressed());
    MoveTo(cancel, 6, 6);
    EXPECT_TRUE(cancel->Pressed());
    ReleaseOn(cancel, 7, 7);
    EXPECT_EQ(cancelClicks.Count(), 1);
    PressOn(cancel, 5, 5);
    ReleaseOn(cancel, 90, 5);
    EXPECT_FALSE(cancel->Pressed());
    EXPECT_EQ(cancelClicks.Count(), 1);
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndReturnClicksTheFocusedButtonOnly) {
    cancel->SetFocus();
    KeyDownOnly(VK_SPACE);
    EXPECT_TRUE(cancel->Pressed());
    EXPECT_EQ(cancelClicks.Count(), 0);
    Key(VK_SPACE);
    EXPECT_EQ(cancelClicks.Count(), 1);
    Key(VK_RETURN);  // the focused button takes Return, not the default one
    EXPECT_EQ(cancelClicks.Count(), 2);
    EXPECT_EQ(okClicks.Count(), 0);
}

TEST_F(ButtonTest, DefaultTakesReturnAndCancelTakesEscapeFromOtherControls) {
    edit->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(okClicks.Count(), 1);
    Key(VK_ESCAPE);
    EXPECT_EQ(cancelClicks.Count(), 1);
    Key(VK_RETURN, true);  // with Shift held it is not the dialog's Return
    ok->SetEnabled(false);
    Key(VK_RETURN);
    EXPECT_EQ(okClicks.Count(), 1);
}

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

TEST_F(ButtonTest, HandlerMayFreeTheFormOfTheButton) {
    TWeakRef<TForm> ref(form);
    okClicks.Then = [&](TObject*) { form->Free(); };
    ClickOn(ok, 5, 5);
    EXPECT_EQ(ref.Get(), nullptr);
}

namespace {

class SpeedButtonTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            buttons.push_back(Make<TSpeedButton>(form, 10 + 30 * i, 10));
            buttons.back()->OnClick = clicks.Event();
        }
    }
    std::vector<bool> Downs() const {
        std::vector<bool> r;
        for (auto* b : buttons) r.push_back(b->Down());
        return r;
    }
    std::vector<TSpeedButton*> buttons;
    TNotifyLog clicks;
};

}  // namespace

TEST_F(SpeedButtonTest, PressedWhileHeldOverAndClickedOnlyOnReleaseOver) {
    TSpeedButton* b = buttons[0];
    PressOn(b, 5, 5);
    EXPECT_TRUE(b->Pressed());
    MoveTo(b, 5, 40);
    EXPECT_FALSE(b->Pressed());
    ReleaseOn(b, 5, 40);
    EXPECT_EQ(clicks.Count(), 0);
    PressOn(b, 5, 5);
    ReleaseOn(b, 6, 6);
    EXPECT_EQ(clicks.Count(), 1);
    EXPECT_FALSE(b->Pressed());
    EXPECT_FALSE(b->Down());  // outside a group a button never stays down
}

TEST_F(SpeedButtonTest, GroupKeepsOneDownAndAllowAllUpLetsItUp) {
    for (auto* b : buttons) b->SetGroupIndex(1);
    ClickOn(buttons[0], 5, 5);
    ClickOn(buttons[2], 5, 5);
    EXPECT_EQ(Downs(), (std::vector<bool>{false, false, true}));
    ClickOn(buttons[2], 5, 5);  // the one down stays down
    EXPECT_EQ(Downs(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(clicks.Count(), 3);
    buttons[1]->SetAllowAllUp(true);  // for the whole group
    ClickOn(buttons[2], 5, 5);
    EXPECT_EQ(Downs(), (std::vector<bool>{false, false, false}));
    buttons[0]->SetGroupIndex(2);  // another group is left alone
    buttons[0]->SetDown(true);
    buttons[1]->SetDown(true);
    EXPECT_EQ(Downs(), (std::vector<bool>{true, true, false}));
}

TEST_F(SpeedButtonTest, HoverFollowsThePointerAndStillReachesTheForm) {
    TSpeedButton* b = buttons[1];
    b->SetFlat(true);
    TMessageRecorder recorder(form);
    MoveTo(b, 3, 3);
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_FALSE(buttons[0]->MouseInControl());
    MoveTo(buttons[0], 3, 3);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_TRUE(buttons[0]->MouseInControl());
    std::vector<std::pair<uint32_t, intptr_t>> seen;
    for (const TMessage& m : recorder.Messages)
        if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) seen.emplace_back(m.Msg, m.LParam);
    auto L = [](TControl* c) { return reinterpret_cast<intptr_t>(c); };
    EXPECT_EQ(seen, (std::vector<std::pair<uint32_t, intptr_t>>{{CM_MOUSEENTER, L(b)},
                                                               {CM_MOUSELEAVE, L(b)},
                                                               {CM_MOUSEENTER, L(buttons[0])}}));
}

TEST_F(SpeedButtonTest, HandlerMayFreeTheButtonItClicked) {
    clicks.Then = [](TObject* sender) { static_cast<TControl*>(sender)->Free(); };
    TWeakRef<TSpeedButton> ref(buttons[0]);
    ClickOn(buttons[0], 5, 5);
    EXPECT_EQ(ref.Get(), nullptr);
    ClickOn(form, 15, 15);  // where it was: nothing left to reach
    EXPECT_EQ(clicks.Count(), 1);
}
