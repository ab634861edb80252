// Handlers that free, hide or move what the framework is in the middle of
// handling: the control that raised the event, the pressed control, the
// form, siblings being notified, the focused control. Run under ASan, each
// case reaches freed memory without its fix.
#include <gtest/gtest.h>

#include <functional>

#include "ControlsFixture.h"
#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"

using namespace vcl;
using namespace vcltest;

namespace {

using Lifetime = ControlsTest;

TEST_F(Lifetime, AHandlerMayFreeTheControlItRunsForOrItsForm) {
    auto* check = Make<TCheckBox>(form, 10, 10);
    auto* edit = Make<TEdit>(form, 10, 40);
    auto* speed = Make<TSpeedButton>(form, 10, 70);
    auto* list = Make<TCheckListBox>(form, 10, 100, 204, 69);
    auto* button = Make<TButton>(form, 250, 10);
    list->Items()->Add("one");
    TNotifyLog handler;
    handler.Then = [&](TObject* sender) { static_cast<TControl*>(sender)->Free(); };
    for (TNotifyEvent* e : {&check->OnClick, &edit->OnChange, &speed->OnClick, &list->OnClick, &list->OnClickCheck})
        *e = handler.Event();
    const TWeakRef<TControl> freed[] = {check, edit, speed, list};
    ClickOn(check, 5, 5);
    edit->SetFocus();
    Type("ab");  // the second character arrives with no edit focused
    const TPoint where = ScreenOf(speed, 5, 5);
    ClickOn(speed, 5, 5);
    Desktop()->Click(where);  // nothing left to reach there
    Process();
    ClickOn(list, 2, 3);  // on the item's box: no toggle after the list is gone
    for (const auto& ref : freed) EXPECT_FALSE(ref);
    EXPECT_EQ(handler.Count(), 4);
    // The form of the clicked button.
    TWeakRef<TForm> ref(form);
    handler.Then = [&](TObject*) { ref->Free(); };
    button->OnClick = handler.Event();
    ClickOn(button, 5, 5);
    EXPECT_FALSE(ref);
    form = nullptr;
}

TEST_F(Lifetime, TheFocusChangeOfAPressFreesOrHidesThePressedControl) {
    for (bool hideFirst : {false, true}) {
        SCOPED_TRACE(hideFirst ? "OnEnter hides it, OnExit frees it" : "OnEnter frees it");
        auto* edit = Make<TEdit>(form, 10, 10, 80, 21);
        TWeakRef<TEdit> ref(edit);
        TNotifyLog enter, exit;
        edit->OnEnter = enter.Event();
        edit->OnExit = exit.Event();
        enter.Then = [&](TObject*) { hideFirst ? ref->Hide() : ref->Free(); };
        exit.Then = [&](TObject*) {
            if (ref) ref->Free();
        };
        ClickOn(edit, 10, 10);
        EXPECT_FALSE(ref);
    }
}

TEST_F(Lifetime, AReleasedFormWaitsForItsHandlersAcrossNestedLoops) {
    auto* button = Make<TButton>(form, 10, 10, 80, 25);
    TWeakRef<TForm> ref(form);
    form->OnClose = TCloseEvent::Of(form, [](TObject*, TCloseAction& Action) { Action = caFree; });
    TNotifyLog click;
    button->OnClick = click.Event();
    bool wholeAfterLoops = false;
    click.Then = [&](TObject*) {
        ref->Close();  // OnClose answers caFree: a release
        Application->ProcessMessages();
        Application->ProcessMessages();
        wholeAfterLoops = ref && ref->Caption() == form->Caption();
        ref->Close();  // Close on a released form is harmless
    };
    ClickOn(button, 5, 5);
    EXPECT_TRUE(wholeAfterLoops);
    EXPECT_FALSE(ref);
    form = nullptr;
}

TEST_F(Lifetime, AComponentFreeingAnEarlierSiblingInNotificationSkipsNoOne) {
    struct TCounter : TComponent {
        using TComponent::TComponent;
        std::function<void()> OnRemove;
        const TComponent* Watched = nullptr;
        int Told = 0;
        void Notification(TComponent* C, TOperation Op) override {
            TComponent::Notification(C, Op);
            if (Op != opRemove || C != Watched) return;
            ++Told;
            if (OnRemove) OnRemove();
        }
    };
    auto* early = new TCounter(form);
    auto* killer = new TCounter(form);
    auto* after1 = new TCounter(form);
    auto* after2 = new TCounter(form);
    auto* leaving = new TComponent(form);
    for (TCounter* c : {early, killer, after1, after2}) c->Watched = leaving;
    TWeakRef<TComponent> earlyRef(early);
    killer->OnRemove = [&] {
        if (earlyRef) earlyRef->Free();
    };
    leaving->Free();
    EXPECT_FALSE(earlyRef);
    EXPECT_EQ(after1->Told, 1);
    EXPECT_EQ(after2->Told, 1);
}

TEST_F(Lifetime, ACloseRequestForAFreedFormClosesNothing) {
    TForm* doomed = MakeForm(10, 10, 50, 50);
    doomed->Show();
    Desktop()->CloseBox(doomed);  // queued with the form held weakly
    doomed->Free();
    TForm* next = MakeForm(10, 10, 50, 50);
    next->Show();
    Process();
    EXPECT_TRUE(next->Visible());
    TInputEvent e;
    e.Window = next;
    next->Free();
    EXPECT_EQ(e.Window.Get(), nullptr);
}

TEST_F(Lifetime, DeletingAWindowedControlOrAFormIsAsSafeAsFree) {
    auto* panel = Make<TPanel>(form, 0, 0, 100, 100);
    TWeakRef<TButton> child(Make<TButton>(panel, 5, 5, 20, 20));  // owned by the form, parented by the panel
    delete panel;
    EXPECT_FALSE(child) << "children go with their parent, as with Free";
    EXPECT_EQ(form->ControlCount(), 0);
    TForm* other = MakeForm(0, 0, 50, 50);
    Make<TButton>(other, 1, 1, 10, 10);
    other->Show();
    delete other;
    Process();
}

TEST_F(Lifetime, ReparentingTheFocusedControlWhoseOnExitFreesIt) {
    auto* edit = Make<TEdit>(form, 10, 10, 80, 21);
    auto* panel = Make<TPanel>(form, 100, 10, 80, 50);
    edit->SetFocus();
    TWeakRef<TEdit> ref(edit);
    TNotifyLog exit;
    edit->OnExit = exit.Event();
    exit.Then = [&](TObject*) { ref->Free(); };
    edit->SetParent(panel);
    EXPECT_FALSE(ref);
    EXPECT_EQ(panel->ControlCount(), 0);
}

}  // namespace
