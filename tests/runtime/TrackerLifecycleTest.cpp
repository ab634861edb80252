// Creating, starting and destroying trackers, and the lifetime hazards
// around the form's window procedure and the tracked controls.
#include "TrackerFixture.h"

using namespace vcl;
using namespace vcltest;

namespace {
using Access = TQVTrackMouseAccess;
class Lifecycle : public TrackerTest {};
}  // namespace

TEST_F(Lifecycle, FreshTrackerLeavesTheOwnerAlone) {
    TWndMethod before = form->WindowProc;
    auto* t = new TQVTrackMouse(form);
    EXPECT_TRUE(t->Bounding());
    EXPECT_EQ(t->Associate()->GetCount(), 0);
    EXPECT_EQ(t->TrackedControls()->Count(), 0);
    EXPECT_FALSE(Access::Active(t));
    EXPECT_EQ(form->WindowProc, before);
    EXPECT_FALSE(Access::OldWindowProc(t).Assigned());
}

TEST_F(Lifecycle, RunCopiesAssociateAndTakesOverTheOwnerOnce) {
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    TControl* b = Named(Graphic(form, 20, 0, 10, 10), "B");
    TControl* early = Named(Graphic(form, 40, 0, 10, 10), "Early");
    TMessageRecorder before(form);
    auto* t = new TQVTrackMouse(form);
    static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = a;
    static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = b;
    t->TrackedControls()->Add(early);  // entries already there stay in front
    Access::States(t)->Add(early);
    t->Run();
    EXPECT_TRUE(Access::Active(t));
    ASSERT_EQ(t->TrackedControls()->Count(), 3);
    EXPECT_EQ(t->TrackedControls()->Get(1), a);
    EXPECT_EQ(t->TrackedControls()->Get(2), b);
    EXPECT_EQ(Access::States(t)->Get(1), a);  // every control starts outside
    EXPECT_EQ(Access::States(t)->Get(2), b);
    EXPECT_NE(form->WindowProc, TWndMethod::Of<&TMessageRecorder::Hook>(&before));
    // The saved procedure is the one that was there.
    TMessage m;
    m.Msg = 0x7FFF;
    TWndMethod saved = Access::OldWindowProc(t);
    saved(m);
    ASSERT_FALSE(before.Messages.empty());
    EXPECT_EQ(before.Messages.back().Msg, 0x7FFFu);
    TWndMethod hooked = form->WindowProc;
    t->Run();  // a second Run does nothing
    EXPECT_EQ(t->TrackedControls()->Count(), 3);
    EXPECT_EQ(form->WindowProc, hooked);
    // Associate and TrackedControls are independent from now on.
    t->TrackedControls()->Remove(a);
    EXPECT_EQ(t->Associate()->GetCount(), 2);
    t->Associate()->Clear();
    EXPECT_EQ(t->TrackedControls()->Count(), 2);
}

TEST_F(Lifecycle, InTheDesignerLoadedFillsTheListsButNeverHooks) {
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    form->SetDesigning(true);
    TWndMethod before = form->WindowProc;
    auto* t = new TQVTrackMouse(form);
    EXPECT_TRUE(t->ComponentState().Contains(csDesigning));
    static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = a;
    t->Run();
    EXPECT_TRUE(Access::Active(t));
    EXPECT_EQ(t->TrackedControls()->Count(), 1);
    EXPECT_EQ(form->WindowProc, before);
    t->Run();
    EXPECT_EQ(t->TrackedControls()->Count(), 1);
}

TEST_F(Lifecycle, RemovalNotificationPrunesAssociateOnly) {
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    TQVTrackMouse* t = Track({a}, false);
    TForm* other = MakeForm(0, 0, 50, 50);
    other->InsertComponent(a);  // a leaves the tracker's owner, still alive
    EXPECT_EQ(t->Associate()->GetCount(), 0);
    EXPECT_EQ(t->TrackedControls()->Count(), 1);
    EXPECT_EQ(Access::States(t)->Count(), 1);
}

TEST_F(Lifecycle, DestroyedTrackedControlIsNeverReachedAgain) {
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    TControl* b = Named(Graphic(form, 20, 0, 10, 10), "B");
    TControl* c = Named(Graphic(form, 40, 0, 10, 10), "C");
    TQVTrackMouse* t = Track({a, b, c}, false);
    t->TrackedControls()->Add(b);  // listed twice
    form->Show();
    Process();
    b->Free();
    // Every entry of b went, with the state entry at the same index.
    ASSERT_EQ(t->TrackedControls()->Count(), 2);
    EXPECT_EQ(t->TrackedControls()->Get(0), a);
    EXPECT_EQ(t->TrackedControls()->Get(1), c);
    MoveTo(form, 45, 5);  // the sanitizers catch any visit to the freed control
    MoveTo(form, 25, 5);
    EXPECT_EQ(log.Take(), (Events{"enter C", "leave C"}));
}

TEST_F(Lifecycle, DestroyedTrackerIsSkippedAndTheFormKeepsItsProcedure) {
    TMessageRecorder original(form);
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    TQVTrackMouse* t = Track({a}, true);
    form->Show();
    Process();
    t->Free();
    original.Messages.clear();
    MoveTo(a, 2, 2);  // reaches the form's previous procedure, never the tracker
    EXPECT_FALSE(original.Messages.empty());
    EXPECT_TRUE(log.Take().empty());
}

TEST_F(Lifecycle, InnerOfTwoChainedTrackersDyingKeepsTheChainWhole) {
    TMessageRecorder original(form);
    const TWndMethod recorded = form->WindowProc;
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    TQVTrackMouse* inner = Track({a}, true);
    TEventLog outerLog;
    TQVTrackMouse* outer = Track({a}, true, &outerLog);
    form->Show();
    Process();
    inner->Free();
    original.Messages.clear();
    MoveTo(a, 2, 2);
    EXPECT_EQ(outerLog.Take(), (Events{"enter A"}));
    EXPECT_TRUE(log.Take().empty());
    EXPECT_FALSE(original.Messages.empty());
    outer->Free();
    original.Messages.clear();
    MoveTo(form, 200, 200);
    EXPECT_FALSE(original.Messages.empty());
    EXPECT_TRUE(outerLog.Take().empty());
    EXPECT_EQ(form->WindowProc, recorded) << "the dead hooks left the chain";
}

TEST_F(Lifecycle, LaterTrackerSeesEachMessageFirst) {
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    std::vector<std::string> order;
    TEventLog first, second;
    first.OnEvent = [&](const std::string&, TObject*) { order.push_back("first"); };
    second.OnEvent = [&](const std::string&, TObject*) { order.push_back("second"); };
    for (TEventLog* l : {&first, &second}) Track({a}, true, l);
    form->Show();
    Process();
    MoveTo(a, 1, 1);
    EXPECT_EQ(order, (std::vector<std::string>{"second", "first"}));
}

TEST_F(Lifecycle, HandlerThatFreesItsTrackerEndsThePassSafely) {
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    TControl* b = Named(Graphic(form, 5, 5, 10, 10), "B");
    TQVTrackMouse* t = Track({a, b}, false);
    TMessageRecorder after(form);  // installed after the tracker: sees the messages first
    TWeakRef<TQVTrackMouse> ref(t);
    log.OnEvent = [&](const std::string&, TObject*) {
        if (ref) ref->Free();
    };
    form->Show();
    Process();
    MoveTo(a, 7, 7);  // over both: the first report frees the tracker
    EXPECT_EQ(log.Take(), (Events{"enter A"}));
    EXPECT_FALSE(ref);
    MoveTo(form, 200, 200);
}
