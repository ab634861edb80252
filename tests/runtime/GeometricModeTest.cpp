// The geometric mode: the cursor against each tracked control's client
// rectangle on every message, with an inside/outside state per control.
#include "TrackerFixture.h"

using namespace vcl;
using namespace vcltest;

namespace {

using Access = TQVTrackMouseAccess;

class Geometric : public TrackerTest {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        a = Named(Graphic(form, 10, 10, 50, 20), "A");
        b = Named(Graphic(form, 100, 10, 50, 20), "B");
        c = Named(Graphic(form, 200, 10, 50, 20), "C");
        form->Show();
        Process();
    }
    // The state entries as i (inside) and o (outside).
    std::string States(TQVTrackMouse* t) {
        std::string s;
        for (int i = 0; i < Access::States(t)->Count(); ++i) s += Access::States(t)->Get(i) ? 'o' : 'i';
        return s;
    }
    TControl *a, *b, *c;
};

}  // namespace

TEST_F(Geometric, FirstMessageEntersWhatIsUnderThePointerThenOnlyChangesReport) {
    MoveTo(a, 5, 5);  // before the tracker starts
    TQVTrackMouse* t = Track({a, b}, false);
    EXPECT_TRUE(log.Take().empty());
    form->Perform(WM_NULL, 0, 0);  // any message runs a pass
    EXPECT_EQ(log.Take(), (Events{"enter A"}));
    MoveTo(a, 6, 6);
    form->Perform(WM_PAINT, 0, 0);
    EXPECT_TRUE(log.Take().empty());
    MoveTo(b, 5, 5);
    EXPECT_EQ(log.Take(), (Events{"leave A", "enter B"}));
    EXPECT_EQ(States(t), "oi");
}

TEST_F(Geometric, RightAndBottomEdgesAreOutsideAndEmptyControlsNeverEntered) {
    TControl* empty = Named(Graphic(form, 300, 10, 0, 20), "Empty");
    Track({a, empty}, false);
    MoveTo(a, 49, 19);
    EXPECT_EQ(log.Take(), (Events{"enter A"}));
    MoveTo(a, 50, 5);  // the column just right of the client area
    EXPECT_EQ(log.Take(), (Events{"leave A"}));
    MoveTo(a, 5, 19);
    MoveTo(a, 5, 20);  // the row just below
    EXPECT_EQ(log.Take(), (Events{"enter A", "leave A"}));
    MoveTo(form, 300, 15);  // on the zero-width control's left edge
    EXPECT_TRUE(log.Take().empty());
}

TEST_F(Geometric, VisibilityAndOverlapPlayNoPart) {
    auto* panel = static_cast<TWinControl*>(Named(Windowed(form, 10, 100, 100, 80), "Panel"));
    TControl* inner = Named(Graphic(panel, 10, 10, 20, 20), "Inner");
    b->Hide();
    Track({panel, inner, b}, false);
    MoveTo(inner, 5, 5);
    EXPECT_EQ(log.Take(), (Events{"enter Panel", "enter Inner"}));
    MoveTo(b, 5, 5);  // hidden, yet its rectangle counts
    EXPECT_EQ(log.Take(), (Events{"leave Panel", "leave Inner", "enter B"}));
}

TEST_F(Geometric, WithOnlyOneHandlerTheStateMovesOnlyOneWay) {
    TQVTrackMouse* t = Track({a}, false);
    t->OnMouseLeave() = TQVTrackMouseEvent();
    MoveTo(a, 5, 5);
    MoveTo(form, 300, 250);
    MoveTo(a, 5, 5);
    EXPECT_EQ(log.Take(), (Events{"enter A"}));  // stays inside for good
    EXPECT_EQ(States(t), "i");

    TEventLog leaveOnly;
    auto* t2 = new TQVTrackMouse(form);
    static_cast<TQVControlItem*>(t2->Associate()->Add())->TheControl = b;
    t2->SetBounding(false);
    leaveOnly.Attach(t2, /*enter=*/false, /*leave=*/true);
    t2->Run();
    MoveTo(b, 5, 5);
    MoveTo(form, 300, 250);
    EXPECT_TRUE(leaveOnly.Take().empty());  // never leaves the outside state
}

TEST_F(Geometric, ControlAddedBetweenMessagesGetsAStateAndItsEnter) {
    TQVTrackMouse* t = Track({a}, false);
    MoveTo(b, 5, 5);
    log.Take();
    t->TrackedControls()->Add(b);
    EXPECT_EQ(Access::States(t)->Count(), 1);
    form->Perform(WM_NULL, 0, 0);
    EXPECT_EQ(Access::States(t)->Count(), 2);
    EXPECT_EQ(log.Take(), (Events{"enter B"}));
}

TEST_F(Geometric, RemovingControlsDropsTheLastStateEntries) {
    TQVTrackMouse* t = Track({a, b, c}, false);
    MoveTo(a, 5, 5);
    EXPECT_EQ(States(t), "ioo");
    t->TrackedControls()->Remove(a);  // from the front: the others shift
    MoveTo(a, 6, 6);
    // b took over a's inside state and is now found outside: a leave for b.
    EXPECT_EQ(log.Take(), (Events{"enter A", "leave B"}));
    EXPECT_EQ(States(t), "oo");
    t->TrackedControls()->Remove(c);
    form->Perform(WM_NULL, 0, 0);
    EXPECT_EQ(States(t), "o");
}

TEST_F(Geometric, SwitchingBackFromMessagingReportsTheMissedLeave) {
    TQVTrackMouse* t = Track({a}, false);
    MoveTo(a, 5, 5);
    t->SetBounding(true);
    MoveTo(form, 300, 250);  // the messaging mode reports this leave
    EXPECT_EQ(log.Take(), (Events{"enter A", "leave A"}));
    t->SetBounding(false);
    form->Perform(WM_NULL, 0, 0);  // the state still says inside
    EXPECT_EQ(log.Take(), (Events{"leave A"}));
}

TEST_F(Geometric, ControlListedTwiceReportsTwicePerCrossing) {
    TQVTrackMouse* t = Track({a}, false);
    t->TrackedControls()->Add(a);
    MoveTo(a, 5, 5);
    MoveTo(form, 300, 250);
    EXPECT_EQ(log.Take(), (Events{"enter A", "enter A", "leave A", "leave A"}));
}

TEST_F(Geometric, HandlerRemovingControlsMidPassStaysInRange) {
    TQVTrackMouse* t = Track({a, b, c}, false);
    log.OnEvent = [&](const std::string&, TObject*) {
        while (t->TrackedControls()->Count() > 1) t->TrackedControls()->Delete(t->TrackedControls()->Count() - 1);
    };
    TControl* big = Named(Graphic(form, 0, 0, 400, 300), "Big");
    t->TrackedControls()->Put(0, big);
    MoveTo(form, 120, 15);  // inside Big and B: the first report empties the rest
    EXPECT_EQ(log.Take(), (Events{"enter Big"}));
    EXPECT_EQ(t->TrackedControls()->Count(), 1);
}

TEST_F(Geometric, FailedCursorReadChangesNoState) {
    TQVTrackMouse* t = Track({a, b}, false);
    MoveTo(a, 5, 5);
    log.Take();
    std::string before = States(t);
    Desktop()->SetCursorReadable(false);
    a->SetLeft(300);  // the pointer is no longer over A
    form->Perform(WM_NULL, 0, 0);
    EXPECT_EQ(States(t), before);
    EXPECT_TRUE(log.Take().empty());
    Desktop()->SetCursorReadable(true);
    form->Perform(WM_NULL, 0, 0);
    EXPECT_EQ(log.Take(), (Events{"leave A"}));
}

TEST_F(Geometric, NestedPassFromAHandlerDoesNotReportTheCrossingAgain) {
    Track({a, b}, false);
    log.OnEvent = [&](const std::string&, TObject*) { form->Perform(WM_NULL, 0, 0); };
    MoveTo(a, 5, 5);
    EXPECT_EQ(log.Take(), (Events{"enter A"}));
}

TEST_F(Geometric, ClientRectangleExcludesAControlsBorder) {
    // A windowed control with a frame: its client area starts inside it.
    class TFramed : public TWinControl {
    public:
        explicit TFramed(TComponent* owner) : TWinControl(owner) { SetClientInsets(TRect{2, 2, 2, 2}); }
    };
    auto* framed = new TFramed(form);
    framed->SetName("Framed");
    framed->SetBounds(10, 150, 40, 20);
    framed->SetParent(form);
    Track({framed}, false);
    MoveScreen(framed->ClientOrigin().x - 1, framed->ClientOrigin().y);  // on the frame
    EXPECT_TRUE(log.Take().empty());
    MoveScreen(framed->ClientOrigin().x, framed->ClientOrigin().y);
    EXPECT_EQ(log.Take(), (Events{"enter Framed"}));
}
