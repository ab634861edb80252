// What reaches a form: enter and leave notifications, the set-cursor stream,
// mouse routing and capture, modal state, and WindowProc chaining.
#include <gtest/gtest.h>

#include <algorithm>

#include "ControlsFixture.h"

using namespace vcl;
using namespace vcltest;

namespace {

// A form with: a graphic control G directly on it, a windowed panel P1 with
// a nested windowed panel P2 that holds a graphic control G2, and two
// overlapping windowed siblings W1 (below) and W2 (above).
class Input : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        form = MakeForm(100, 100, 400, 300);
        G = Graphic(form, 10, 10, 50, 20);
        P1 = Windowed(form, 100, 10, 120, 100);
        P2 = Windowed(P1, 10, 10, 80, 60);
        G2 = Graphic(P2, 5, 5, 30, 20);
        W1 = Windowed(form, 250, 10, 60, 60);
        W2 = Windowed(form, 280, 40, 60, 60);
        form->Show();
        recorder = std::make_unique<TMessageRecorder>(form);
        Process();
    }
    void TearDown() override {
        recorder.reset();
        DesktopTest::TearDown();
    }
    using Notes = std::vector<std::pair<uint32_t, intptr_t>>;
    // Notifications that reached the form since the last call.
    Notes Notifications() {
        Notes r;
        for (const TMessage& m : recorder->Messages)
            if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) r.emplace_back(m.Msg, m.LParam);
        recorder->Messages.clear();
        return r;
    }
    static intptr_t L(TControl* c) { return reinterpret_cast<intptr_t>(c); }

    TForm* form;
    TControl *G, *G2;
    TWinControl *P1, *P2, *W1, *W2;
    std::unique_ptr<TMessageRecorder> recorder;
};

}  // namespace

TEST_F(Input, EnterAndLeaveReachTheFormNamingTheControl) {
    MoveTo(form, 200, 250);  // the form's own client area
    EXPECT_EQ(Notifications(), (Notes{{CM_MOUSEENTER, 0}}));
    MoveTo(G, 5, 5);
    EXPECT_EQ(Notifications(), (Notes{{CM_MOUSELEAVE, 0}, {CM_MOUSEENTER, L(G)}}));
    MoveTo(G2, 1, 1);  // a graphic control two windowed parents down
    EXPECT_EQ(Notifications(), (Notes{{CM_MOUSELEAVE, L(G)}, {CM_MOUSEENTER, L(G2)}}));
    MoveTo(P2, 70, 50);  // the nested panel itself
    EXPECT_EQ(Notifications(), (Notes{{CM_MOUSELEAVE, L(G2)}, {CM_MOUSEENTER, L(P2)}}));
    MoveTo(P1, 110, 90);
    EXPECT_EQ(Notifications(), (Notes{{CM_MOUSELEAVE, L(P2)}, {CM_MOUSEENTER, L(P1)}}));
    MoveScreen(5, 5);  // onto the desktop: a leave like any other
    EXPECT_EQ(Notifications(), (Notes{{CM_MOUSELEAVE, L(P1)}}));
    MoveScreen(6, 6);  // staying off the form reports nothing
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(Input, EveryControlOnTheWayIsToldAsTheNotificationBubbles) {
    TMessageRecorder onP1(P1);
    MoveTo(G2, 1, 1);
    EXPECT_TRUE(std::any_of(onP1.Messages.begin(), onP1.Messages.end(),
                            [&](const TMessage& m) { return m.Msg == CM_MOUSEENTER && m.LParam == L(G2); }));
}

TEST_F(Input, TopmostOfOverlappingSiblingsIsUnderThePointer) {
    MoveTo(W1, 40, 40);  // inside both W1 and W2: W2 was created later
    EXPECT_EQ(Application->MouseControl(), W2);
    W2->BringToFront();
    W1->BringToFront();
    Process();
    MoveTo(W1, 41, 41);
    EXPECT_EQ(Application->MouseControl(), W1);
    // A graphic control never lies above a windowed sibling.
    TControl* under = Graphic(form, 250, 10, 20, 20);
    Process();
    MoveTo(under, 5, 5);
    EXPECT_EQ(Application->MouseControl(), W1);
}

TEST_F(Input, HiddenControlsAreNotUnderThePointerDisabledOnesAre) {
    G->Hide();
    MoveTo(form, 15, 15);
    EXPECT_EQ(Application->MouseControl(), form);
    G->Show();
    G->SetEnabled(false);
    MoveTo(form, 16, 16);
    EXPECT_EQ(Application->MouseControl(), G);
}

TEST_F(Input, ClientEdgesBelongToTheFrameAndTheDesktop) {
    TPoint o = form->ClientOrigin();
    MoveScreen(o.x + form->ClientWidth() - 1, o.y + 5);
    EXPECT_EQ(Application->MouseControl(), form);
    MoveScreen(o.x + form->ClientWidth(), o.y + 5);  // the right frame
    EXPECT_EQ(Application->MouseControl(), nullptr);
    MoveScreen(o.x + 5, o.y - 1);  // the title bar
    EXPECT_EQ(Application->MouseControl(), nullptr);
}

TEST_F(Input, EveryPointerMoveOverTheFormReachesItsWindowProc) {
    struct TStep {
        TControl* Over;
        int X, Y;
    };
    std::vector<TStep> path = {{form, 200, 250}, {G, 1, 1}, {G, 2, 2}, {P1, 100, 90}, {P2, 3, 3},
                               {G2, 4, 4},       {G2, 5, 5}, {W2, 50, 50}, {form, 5, 290}};
    for (const TStep& s : path) {
        recorder->Messages.clear();
        MoveTo(s.Over, s.X, s.Y);
        EXPECT_GE(recorder->Messages.size(), 1u) << "no message for a move over " << s.Over->Name();
        bool setCursor = false;
        for (const TMessage& m : recorder->Messages) setCursor |= m.Msg == WM_SETCURSOR;
        EXPECT_TRUE(setCursor);
    }
    // The title bar is part of the window too.
    recorder->Messages.clear();
    MoveScreen(form->Left() + 20, form->Top() + 5);
    EXPECT_GE(recorder->Messages.size(), 1u);
}

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

TEST_F(Input, APressCapturesThePointerUntilTheRelease) {
    TMouseLog log1(W1), log2(W2);
    MoveTo(W1, 5, 5);
    Desktop()->Press();
    Process();
    EXPECT_EQ(GetCaptureControl(), W1);
    MoveTo(form, 200, 250);  // away from W1: W1 still gets the moves
    ASSERT_FALSE(log1.Moves.empty());
    EXPECT_LT(log1.Moves.back().x, 0);  // in W1's coordinates, outside it
    Desktop()->Release();
    Process();
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(log1.Ups, 1);
    EXPECT_EQ(log1.Clicks, 0);  // released outside: no click
    EXPECT_EQ(log2.Downs, 0);
    // Pressed and released inside: a click.
    Desktop()->Click(ScreenOf(W1, 5, 5));
    Process();
    EXPECT_EQ(log1.Clicks, 1);
}

TEST_F(Input, GraphicControlsTakeButtonsThroughTheirParent) {
    TMouseLog logG2(G2), logP2(P2);
    Desktop()->Click(ScreenOf(G2, 3, 4));
    Process();
    EXPECT_EQ(logG2.Downs, 1);
    ASSERT_FALSE(logG2.DownAt.empty());
    EXPECT_EQ(logG2.DownAt.back(), (TPoint{3, 4}));  // in its own coordinates
    EXPECT_EQ(logG2.Clicks, 1);
    EXPECT_EQ(logP2.Downs, 0);
}

TEST_F(Input, DisabledControlsGetNoInput) {
    TMouseLog logG2(G2), logP2(P2), logW2(W2);
    G2->SetEnabled(false);  // its windowed parent takes the press instead
    Desktop()->Click(ScreenOf(G2, 3, 4));
    Process();
    EXPECT_EQ(logG2.Downs, 0);
    EXPECT_EQ(logP2.Downs, 1);
    W2->SetEnabled(false);
    Desktop()->Click(ScreenOf(W2, 30, 30));
    Process();
    EXPECT_EQ(logW2.Downs, 0);
    P1->SetEnabled(false);  // a disabled parent shuts out its children
    G2->SetEnabled(true);
    Desktop()->Click(ScreenOf(G2, 3, 4));
    Process();
    EXPECT_EQ(logG2.Downs, 0);
}

TEST_F(Input, ModalFormShutsOutOtherFormsButTheyKeepSeeingMoves) {
    TForm* dialog = MakeForm(600, 100, 200, 150);
    TMouseLog logG(G);
    int steps = 0;
    size_t notesDuringModal = 0;
    Desktop()->OnIdleInput = [&]() -> bool {
        switch (steps++) {
            case 0:
                Desktop()->Click(ScreenOf(G, 5, 5));  // refused
                Desktop()->MoveTo(ScreenOf(P1, 110, 90));
                return true;
            case 1:
                notesDuringModal = Notifications().size();
                Desktop()->CloseBox(dialog);
                return true;
            default:
                return false;
        }
    };
    MoveTo(G, 1, 1);
    Notifications();
    int result = dialog->ShowModal();
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(dialog->Visible());  // hidden, not freed
    EXPECT_EQ(logG.Downs, 0);
    EXPECT_GE(notesDuringModal, 2u);  // the leave of G and the enter of P1
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

TEST_F(Input, FreeingTheHoveredOrCapturingControlLeavesNothingDangling) {
    MoveTo(W1, 5, 5);
    Desktop()->Press();
    Process();
    ASSERT_EQ(GetCaptureControl(), W1);
    ASSERT_EQ(Application->MouseControl(), W1);
    W1->Free();
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(Application->MouseControl(), nullptr);
    Desktop()->Release();
    MoveTo(form, 200, 250);  // must not reach the freed control
    EXPECT_EQ(Application->MouseControl(), form);
}
