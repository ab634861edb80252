// The messaging mode: the framework's enter and leave notifications for
// tracked controls, driven by real pointer moves and by hand-made messages.
#include "TrackerFixture.h"

using namespace vcl;
using namespace vcltest;

namespace {

class Messaging : public TrackerTest {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        label = Named(Graphic(form, 10, 10, 50, 20), "Label1");
        panel = static_cast<TWinControl*>(Named(Windowed(form, 100, 10, 120, 100), "Panel1"));
        child = Named(Graphic(panel, 10, 10, 30, 20), "Child");
        untracked = Named(Graphic(form, 10, 200, 50, 20), "Other");
    }
    TControl* label;
    TWinControl* panel;
    TControl* child;
    TControl* untracked;
};

}  // namespace

TEST_F(Messaging, PointerCrossingTrackedControlsReportsEnterAndLeave) {
    Track({label, panel}, true);
    form->Show();
    MoveTo(label, 5, 5);
    MoveTo(untracked, 5, 5);
    MoveTo(panel, 100, 90);
    MoveTo(child, 5, 5);  // the panel's own child: the panel is left
    MoveScreen(1, 1);
    EXPECT_EQ(log.Take(), (Events{"enter Label1", "leave Label1", "enter Panel1", "leave Panel1"}));
    ASSERT_FALSE(log.Senders.empty());
    EXPECT_EQ(log.Senders[0], label);
}

TEST_F(Messaging, HandledNotificationReachesTheFormWithResultZero) {
    TMessageRecorder original(form);
    TQVTrackMouse* t = Track({label}, true);
    for (bool children : {false, true}) {
        t->SetTrackChildren(children);
        original.Messages.clear();
        TMessage m;
        m.Msg = children ? CM_MOUSELEAVE : CM_MOUSEENTER;
        m.LParam = reinterpret_cast<intptr_t>(label);
        m.Result = 77;
        // The handler still sees the record as it came: Result is written
        // only after it returns.
        intptr_t seen = -1;
        log.OnEvent = [&](const std::string&, TObject*) { seen = m.Result; };
        form->WindowProc(m);
        EXPECT_EQ(log.Take(), (Events{children ? "leave Label1" : "enter Label1"}));
        EXPECT_EQ(seen, 77) << children;
        EXPECT_EQ(m.Result, 0);
        ASSERT_EQ(original.Messages.size(), 1u);  // passed on exactly once
        EXPECT_EQ(original.Messages[0].Result, 0);
        EXPECT_EQ(original.Messages[0].LParam, reinterpret_cast<intptr_t>(label));
    }
}

TEST_F(Messaging, UntrackedOrUnhandledNotificationsLeaveResultAlone) {
    TQVTrackMouse* t = Track({label}, true);
    TMessage m;
    m.Msg = CM_MOUSEENTER;
    m.LParam = reinterpret_cast<intptr_t>(untracked);
    m.Result = 77;
    form->WindowProc(m);
    EXPECT_EQ(m.Result, 77);
    t->OnMouseLeave() = TQVTrackMouseEvent();  // unassigned
    m.Msg = CM_MOUSELEAVE;
    m.LParam = reinterpret_cast<intptr_t>(label);
    form->WindowProc(m);
    EXPECT_EQ(m.Result, 77);
    // An object part alone does not make the event assigned.
    t->OnMouseLeave().SetData(&log);
    form->WindowProc(m);
    EXPECT_EQ(m.Result, 77);
    EXPECT_TRUE(log.Take().empty());
}

TEST_F(Messaging, ZeroLParamNamesTheOwnerOnlyForEnterAndLeave) {
    TMessageRecorder original(form);
    TQVTrackMouse* t = Track({label}, true);
    t->TrackedControls()->Add(form);
    original.Messages.clear();
    form->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(log.Take(), (Events{"enter Form1"}));
    form->Perform(CM_MOUSELEAVE, 0, 0);
    form->Perform(WM_MOUSEMOVE, 0, 0);  // a mouse message at client 0,0
    ASSERT_EQ(original.Messages.size(), 3u);
    EXPECT_EQ(original.Messages[1].LParam, reinterpret_cast<intptr_t>(static_cast<TControl*>(form)));
    EXPECT_EQ(original.Messages[2].LParam, 0);
    // The owner entered for real: its own client area.
    form->Show();
    MoveTo(label, 5, 5);
    log.Take();
    MoveTo(form, 300, 250);
    EXPECT_EQ(log.Take(), (Events{"leave Label1", "enter Form1"}));
}

TEST_F(Messaging, ControlListedTwiceReportsOncePerNotification) {
    TQVTrackMouse* t = Track({label}, true);
    t->TrackedControls()->Add(label);
    form->Show();
    MoveTo(label, 5, 5);
    MoveTo(form, 300, 250);
    EXPECT_EQ(log.Take(), (Events{"enter Label1", "leave Label1"}));
}

TEST_F(Messaging, HandlerPumpingMessagesDoesNotReportTheCrossingTwice) {
    Track({label, panel}, true);
    form->Show();
    log.OnEvent = [&](const std::string&, TObject*) {
        Application->ProcessMessages();  // idle work re-enters the form's procedure
        form->Perform(WM_NULL, 0, 0);
    };
    MoveTo(label, 5, 5);
    EXPECT_EQ(log.Take(), (Events{"enter Label1"}));
}

TEST_F(Messaging, NotificationsKeepComingWhileAnotherFormIsModal) {
    Track({label}, true);
    form->Show();
    TForm* dialog = MakeForm(600, 400, 100, 100);
    int step = 0;
    Desktop()->OnIdleInput = [&]() -> bool {
        switch (step++) {
            case 0: Desktop()->MoveTo(ScreenOf(label, 3, 3)); return true;
            case 1: Desktop()->CloseBox(dialog); return true;
            default: return false;
        }
    };
    dialog->ShowModal();
    EXPECT_EQ(log.Take(), (Events{"enter Label1"}));
}
