// The tracker's opt-in extensions: the pointer-state query, child tracking,
// the dwell event, layout changes under a still pointer, and how the new
// properties are stored.
#include "TrackerFixture.h"

#include "framework/ExtCtrls.h"
#include "framework/MessageTrace.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

std::vector<std::string> Names(const std::vector<TControl*>& controls) {
    std::vector<std::string> r;
    for (TControl* c : controls) r.push_back(c->Name());
    return r;
}

using Strings = std::vector<std::string>;

// Both detection modes: the parameter is Bounding.
class Extensions : public TrackerTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        a = Named(Graphic(form, 10, 10, 50, 20), "A");
        b = static_cast<TWinControl*>(Named(Windowed(form, 100, 10, 120, 100), "B"));
        other = Named(Graphic(form, 10, 200, 50, 20), "Other");
        form->Show();
        Process();
    }
    TQVTrackMouse* TrackAB() {
        tracker = Track({a, b}, GetParam());
        tracker->SetName("T");
        tracker->OnMouseHover() = TQVTrackMouseEvent::Of<&TEventLog::Hover>(&log);
        return tracker;
    }
    Strings Under() const { return Names(tracker->ControlsUnderPointer()); }

    TControl* a;
    TWinControl* b;
    TControl* other;
    TQVTrackMouse* tracker = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Modes, Extensions, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Messaging" : "Geometric"; });

}  // namespace

TEST_P(Extensions, QueryFollowsTheEventsDelivered) {
    TrackAB();
    // Inside a handler the query already agrees with the event being told.
    std::vector<bool> seen;
    log.OnEvent = [&](const std::string&, TObject* s) { seen.push_back(tracker->IsPointerOver(static_cast<TControl*>(s))); };
    MoveTo(a, 5, 5);
    EXPECT_EQ(Under(), Strings{"A"});
    EXPECT_TRUE(tracker->IsPointerOver(a));
    EXPECT_FALSE(tracker->IsPointerOver(b));
    MoveTo(b, 5, 5);
    EXPECT_EQ(Under(), Strings{"B"});
    MoveTo(other, 5, 5);
    EXPECT_EQ(Under(), Strings{});
    EXPECT_EQ(log.Take(), (Events{"enter A", "leave A", "enter B", "leave B"}));
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
    EXPECT_FALSE(tracker->IsPointerOver(other));
    EXPECT_FALSE(tracker->IsPointerOver(nullptr));
}

TEST_P(Extensions, QueryAfterListChangesAndModeSwitches) {
    TrackAB();
    MoveTo(a, 5, 5);
    ASSERT_EQ(Under(), Strings{"A"});
    // Taken out of the list: no longer reported, even once it is back.
    tracker->TrackedControls()->Remove(a);
    EXPECT_EQ(Under(), Strings{});
    tracker->TrackedControls()->Add(a);
    tracker->TrackedControls()->Add(a);  // twice: listed once
    MoveTo(a, 6, 6);
    if (GetParam()) EXPECT_EQ(Under(), Strings{});  // no new enter from the framework
    else EXPECT_EQ(Under(), Strings{"A"});          // the pass sees it again
    // The other mode takes over from what was reported. The geometric mode
    // keeps its own states from before the switch, so leaving B after it
    // reports nothing, and the query follows the pointer.
    MoveTo(b, 5, 5);
    log.Take();
    tracker->SetBounding(!GetParam());
    EXPECT_EQ(Under(), Strings{"B"});
    MoveTo(other, 5, 5);
    if (GetParam()) {
        EXPECT_EQ(log.Take(), Events{});
        EXPECT_EQ(Under(), Strings{});
        MoveTo(b, 5, 5);
        MoveTo(other, 5, 5);
        EXPECT_EQ(log.Take(), (Events{"enter B", "leave B"}));
    } else {
        EXPECT_EQ(log.Take(), (Events{"leave B"}));
    }
    EXPECT_EQ(Under(), Strings{});
}

TEST_P(Extensions, ControlFreedWhileHoveredLeavesWithoutAnEvent) {
    TrackAB();
    MoveTo(b, 5, 5);
    log.Take();
    b->Free();
    Process();
    EXPECT_EQ(Under(), Strings{});
    EXPECT_EQ(log.Take(), Events{});
    MoveTo(a, 5, 5);
    EXPECT_EQ(log.Take(), Events{"enter A"});
}

TEST_P(Extensions, LayoutChangesUnderAStillPointerAreReportedAtIdle) {
    TrackAB();
    MoveTo(form, 300, 200);  // on the form, clear of every control
    log.Take();
    const bool messaging = GetParam();
    struct Step {
        const char* What;
        std::function<void()> Do;
        Events Geometric, Messaging;
    } steps[] = {
        {"moved under", [&] { a->SetBounds(290, 190, 30, 30); }, {"enter A"}, {"enter A"}},
        {"moved away", [&] { a->SetBounds(10, 10, 30, 30); }, {"leave A"}, {"leave A"}},
        {"grown over", [&] { a->SetBounds(10, 10, 320, 220); }, {"enter A"}, {"enter A"}},
        // The geometric mode goes by rectangles, which hiding leaves alone.
        {"hidden", [&] { a->Hide(); }, {}, {"leave A"}},
        {"shown", [&] { a->Show(); }, {}, {"enter A"}},
        {"freed", [&] { a->Free(); }, {}, {}},
    };
    for (const Step& s : steps) {
        s.Do();
        Process();
        EXPECT_EQ(log.Take(), messaging ? s.Messaging : s.Geometric) << s.What;
    }
    EXPECT_EQ(Under(), Strings{});
}

TEST_P(Extensions, DwellFiresOncePerEntryAfterHoverTime) {
    TrackAB();
    // Left just before the time: nothing.
    MoveTo(a, 5, 5);
    Wait(399);
    MoveTo(other, 5, 5);
    Wait(1000);
    EXPECT_EQ(log.Take(), (Events{"enter A", "leave A"}));
    // Stayed the time: once, however long it stays.
    MoveTo(a, 5, 5);
    Wait(400);
    Wait(2000);
    EXPECT_EQ(log.Take(), (Events{"enter A", "hover A"}));
    // Left right after: the hover stands, a new entry starts again.
    MoveTo(other, 5, 5);
    MoveTo(a, 5, 5);
    Wait(400);
    EXPECT_EQ(log.Take(), (Events{"leave A", "enter A", "hover A"}));
    // Two controls in a row: the time counts from entering the second.
    MoveTo(other, 5, 5);
    MoveTo(a, 5, 5);
    Wait(200);
    MoveTo(b, 5, 5);
    Wait(200);
    EXPECT_EQ(log.Take(), (Events{"leave A", "enter A", "leave A", "enter B"}));
    Wait(200);
    EXPECT_EQ(log.Take(), (Events{"hover B"}));
}

TEST_P(Extensions, WithoutAnEnterHandlerTheQueryAndTheDwellFollowThePointer) {
    TrackAB()->OnMouseEnter() = TQVTrackMouseEvent();
    // Twice: a later visit gets its own dwell.
    for (int visit = 0; visit < 2; ++visit) {
        MoveTo(a, 5, 5);
        EXPECT_TRUE(tracker->IsPointerOver(a)) << visit;
        MoveTo(other, 5, 5);
        EXPECT_FALSE(tracker->IsPointerOver(a)) << visit;
        Wait(1000);  // no dwell for a control the pointer left
        // The geometric mode never saw an entry to pair a leave with.
        EXPECT_EQ(log.Take(), GetParam() ? Events{"leave A"} : Events{}) << visit;
        MoveTo(a, 5, 5);
        Wait(400);
        EXPECT_EQ(log.Take(), Events{"hover A"}) << visit;
        MoveTo(other, 5, 5);
        log.Take();
    }
}

TEST_P(Extensions, HoverTimeZeroFiresRightAfterTheEntry) {
    TrackAB()->SetHoverTime(0);
    MoveTo(a, 5, 5);
    EXPECT_EQ(log.Take(), (Events{"enter A", "hover A"}));
    Wait(1000);
    EXPECT_EQ(log.Take(), Events{});
}

TEST_P(Extensions, DwellRunsInsideAModalLoop) {
    // A modal box with a tracker of its own: its timer runs in the box's loop.
    TForm* box = MakeForm(500, 400, 200, 100);
    TControl* inBox = Named(Make<TGraphicControl>(box, 10, 10, 100, 50), "InBox");
    auto* t = new TQVTrackMouse(box);
    static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = inBox;
    t->SetBounding(GetParam());
    t->SetHoverTime(300);
    log.Attach(t);
    struct TCloser : TObject {
        TForm* Box;
        TEventLog* Log;
        void Hover(TObject* s) {
            Log->Events.push_back("hover " + static_cast<TComponent*>(s)->Name());
            Box->SetModalResult(mrOk);
        }
    } closer;
    closer.Box = box;
    closer.Log = &log;
    t->OnMouseHover() = TQVTrackMouseEvent::Of<&TCloser::Hover>(&closer);
    t->Run();
    int step = 0;
    Desktop()->OnIdleInput = [&] {
        switch (step++) {
            case 0: Desktop()->MoveTo(ScreenOf(inBox, 5, 5)); return true;
            case 1: Desktop()->Wait(300); return true;
            default: return false;
        }
    };
    EXPECT_EQ(box->ShowModal(), mrOk);
    Desktop()->OnIdleInput = nullptr;
    Events events = log.Take();
    events.resize(std::min<size_t>(events.size(), 2));  // then a leave, as the box closes in the messaging mode
    EXPECT_EQ(events, (Events{"enter InBox", "hover InBox"}));
}

// --- Child tracking (the messaging mode) ---

class ChildTracking : public TrackerTest {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        outer = static_cast<TWinControl*>(Named(Windowed(form, 10, 10, 200, 150), "Outer"));
        inner = static_cast<TWinControl*>(Named(Windowed(outer, 20, 20, 120, 80), "Inner"));
        leaf = Named(Graphic(inner, 10, 10, 40, 20), "Leaf");
        sibling = Named(Graphic(outer, 150, 10, 30, 30), "Sibling");
        form->Show();
        Process();
    }
    TQVTrackMouse* TrackWithChildren(std::initializer_list<TControl*> controls) {
        TQVTrackMouse* t = Track(controls, true);
        t->SetTrackChildren(true);
        return t;
    }
    TWinControl* outer;
    TWinControl* inner;
    TControl* leaf;
    TControl* sibling;
};

TEST_F(ChildTracking, DescendantsCountAsTheTrackedControl) {
    TQVTrackMouse* t = TrackWithChildren({outer});
    MoveTo(leaf, 5, 5);  // straight onto a grandchild from outside
    EXPECT_EQ(log.Take(), Events{"enter Outer"});
    EXPECT_EQ(log.Senders.back(), outer);
    MoveTo(inner, 100, 70);
    MoveTo(outer, 5, 5);
    MoveTo(sibling, 5, 5);
    MoveTo(leaf, 5, 5);
    EXPECT_EQ(log.Take(), Events{});
    EXPECT_TRUE(t->IsPointerOver(outer));
    MoveScreen(1, 1);
    EXPECT_EQ(log.Take(), Events{"leave Outer"});
    // Without the option, the framework's own notifications stand.
    t->SetTrackChildren(false);
    MoveTo(outer, 5, 5);
    MoveTo(inner, 100, 70);
    EXPECT_EQ(log.Take(), (Events{"enter Outer", "leave Outer"}));
}

TEST_F(ChildTracking, ATrackedChildHasItsOwnEventsInside) {
    TrackWithChildren({outer, inner});
    MoveTo(outer, 5, 5);
    MoveTo(leaf, 5, 5);
    MoveTo(outer, 5, 5);
    MoveTo(leaf, 5, 5);
    MoveScreen(1, 1);
    EXPECT_EQ(log.Take(), (Events{"enter Outer", "enter Inner", "leave Inner", "enter Inner", "leave Inner",
                                  "leave Outer"}));
}

TEST_F(ChildTracking, ChildFreedUnderThePointerKeepsTheAreaEntered) {
    TQVTrackMouse* t = TrackWithChildren({outer});
    MoveTo(leaf, 5, 5);
    leaf->Free();
    Process();
    inner->Free();
    Process();
    EXPECT_EQ(log.Take(), Events{"enter Outer"});
    EXPECT_TRUE(t->IsPointerOver(outer));
    MoveScreen(1, 1);
    EXPECT_EQ(log.Take(), Events{"leave Outer"});
}

TEST_F(ChildTracking, AChildMovedOutOfTheAreaTakesThePointerWithIt) {
    TQVTrackMouse* t = TrackWithChildren({outer});
    MoveTo(inner, 100, 70);
    EXPECT_EQ(log.Take(), Events{"enter Outer"});
    // Onto the form at the same place, still under the pointer: the pointer
    // is over nothing of Outer's any more.
    inner->SetParent(form);
    inner->SetBounds(30, 30, 120, 80);
    Process();
    EXPECT_EQ(log.Take(), Events{"leave Outer"});
    EXPECT_FALSE(t->IsPointerOver(outer));
    MoveTo(form, 300, 200);
    MoveTo(inner, 100, 70);
    EXPECT_EQ(log.Take(), Events{});
    // The same move made by a handler, with the pointer then going to the
    // bare form before any idle moment.
    inner->SetParent(outer);
    inner->SetBounds(20, 20, 120, 80);
    MoveTo(form, 300, 200);
    log.Take();
    log.OnEvent = [&](const std::string& e, TObject*) {
        if (e == "enter Outer") inner->SetParent(form);
    };
    Desktop()->MoveTo(ScreenOf(inner, 100, 70));
    Desktop()->MoveTo(ScreenOf(form, 300, 200));
    Process();
    log.OnEvent = nullptr;
    EXPECT_FALSE(t->IsPointerOver(outer));
    const Events events = log.Take();
    EXPECT_EQ(events, (Events{"enter Outer", "leave Outer"}));
}

// --- Storage ---

TEST(ExtensionsStorage, NewPropertiesRoundTripAndStayOutWhenDefault) {
    RegisterExtControls();
    RegisterQVTrackMouse();
    const std::string text =
        "object Form1: TForm\n"
        "  Left = 0\n"
        "  Top = 0\n"
        "  object T: TQVTrackMouse\n"
        "    Associate = <>\n"
        "    Bounding = False\n"
        "    TrackChildren = True\n"
        "    HoverTime = 250\n"
        "  end\n"
        "  object Tick: TTimer\n"
        "    Enabled = False\n"
        "    Interval = 50\n"
        "  end\n"
        "end\n";
    auto* form = new TForm(nullptr);
    ReadComponentFromText(text, "ext.dfm", form);
    auto* t = static_cast<TQVTrackMouse*>(form->FindComponent("T"));
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->TrackChildren());
    EXPECT_EQ(t->HoverTime(), 250u);
    auto* timer = static_cast<TTimer*>(form->FindComponent("Tick"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 50u);
    EXPECT_FALSE(timer->Enabled());
    const std::string written = WriteComponentToText(form, "TForm");
    EXPECT_NE(written.find("    TrackChildren = True\n    HoverTime = 250\n"), std::string::npos) << written;
    EXPECT_NE(written.find("    Enabled = False\n    Interval = 50\n"), std::string::npos) << written;
    // Back to the defaults: nothing of them is written.
    t->SetTrackChildren(false);
    t->SetHoverTime(400);
    const std::string plain = WriteComponentToText(form, "TForm");
    EXPECT_EQ(plain.find("TrackChildren"), std::string::npos);
    EXPECT_EQ(plain.find("HoverTime"), std::string::npos);
    form->Free();
}

// --- Message trace ---

TEST_P(Extensions, TraceShowsMessagesTheControlsTheyNameAndTheHandlersRun) {
    TrackAB();
    Strings lines;
    SetMessageTrace([&](const std::string& l) { lines.push_back(l); });
    MoveTo(a, 5, 5);
    SetMessageTrace(nullptr);
    MoveTo(other, 5, 5);  // off again: nothing more
    auto has = [&](const std::string& l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); };
    EXPECT_TRUE(has("Form1: CM_MOUSEENTER wParam=0 lParam=A")) << ::testing::PrintToString(lines);
    EXPECT_TRUE(has("Form1: WM_SETCURSOR wParam=Form1 lParam=$2000001")) << ::testing::PrintToString(lines);
    EXPECT_TRUE(has("  T: pointer over A")) << ::testing::PrintToString(lines);
    EXPECT_TRUE(has("  T.OnMouseEnter(A)"));
    EXPECT_FALSE(has("  T.OnMouseLeave(A)"));
    // The handler's line follows the message that caused it.
    auto at = [&](const std::string& l) { return std::find(lines.begin(), lines.end(), l) - lines.begin(); };
    EXPECT_LT(at("Form1: CM_MOUSEENTER wParam=0 lParam=A"), at("  T.OnMouseEnter(A)"));
}

// --- Code-only conveniences: lambdas with a context, AddControl ---

TEST_F(ChildTracking, LambdaHandlersLiveAsLongAsTheirContext) {
    auto* tracker = new TQVTrackMouse(form);
    tracker->SetName("T");
    tracker->Associate()->AddControl(outer);
    tracker->Run();
    tracker->Associate()->AddControl(sibling);  // once running, tracked at once
    auto* context = new TComponent(nullptr);
    auto captured = std::make_shared<int>(0);
    Strings seen;
    tracker->OnMouseEnter() = TQVTrackMouseEvent::Of(context, [&seen, captured](TObject* s) {
        seen.push_back(static_cast<TComponent*>(s)->Name());
    });
    MoveTo(outer, 5, 5);
    MoveTo(sibling, 5, 5);
    EXPECT_EQ(seen, (Strings{"Outer", "Sibling"}));
    EXPECT_EQ(captured.use_count(), 2);
    // Not a method of the form: the writer leaves it out.
    EXPECT_EQ(WriteComponentToText(form).find("OnMouseEnter"), std::string::npos);
    // The context goes: the callable with it, and the event does nothing.
    context->Free();
    EXPECT_EQ(captured.use_count(), 1);
    MoveScreen(1, 1);
    MoveTo(outer, 5, 5);
    EXPECT_EQ(seen.size(), 2u);
}
