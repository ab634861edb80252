// Handlers that free, hide or move what the framework is in the middle of
// handling: the control under the pointer, the pressed control, the form,
// siblings being notified, the focused control. Run under ASan, each case
// reaches freed memory without its fix.
#include <functional>

#include "TrackerFixture.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

// A handler that runs whatever the test gives it.
class TAction : public TObject {
public:
    std::function<void(TObject*)> Fn;
    void Notify(TObject* Sender) {
        if (Fn) Fn(Sender);
    }
    void CloseFree(TObject*, TCloseAction& Action) { Action = caFree; }
    TNotifyEvent Event() { return TNotifyEvent::Of<&TAction::Notify>(this); }
};

class HandlersFree : public TrackerTest {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        form->Show();
    }
    template <class T>
    T* Make(TWinControl* Parent, int32_t L, int32_t T_, int32_t W, int32_t H) {
        auto* c = new T(form);
        c->SetBounds(L, T_, W, H);
        c->SetParent(Parent);
        return c;
    }
    TAction act, act2;
};

TEST_F(HandlersFree, AGeometricHandlerFreesTheWindowedControlUnderThePointer) {
    auto* panel = Make<TPanel>(form, 10, 10, 100, 50);
    TQVTrackMouse* t = Track({panel}, false);
    t->OnMouseEnter() = TQVTrackMouseEvent::Of<&TAction::Notify>(&act);
    TWeakRef<TPanel> ref(panel);
    act.Fn = [&](TObject*) { ref->Free(); };
    MoveTo(form, 50, 30);  // the pass runs on WM_SETCURSOR, before the move is routed
    EXPECT_FALSE(ref);
    MoveTo(form, 60, 30);
}

TEST_F(HandlersFree, TheFocusChangeOfAPressFreesOrHidesThePressedControl) {
    struct TCase {
        const char* Name;
        bool HideThenFreeOnExit;
    };
    for (const TCase& c : {TCase{"OnEnter frees it", false}, TCase{"OnEnter hides it, OnExit frees it", true}}) {
        SCOPED_TRACE(c.Name);
        auto* edit = Make<TEdit>(form, 10, 10, 80, 21);
        TWeakRef<TEdit> ref(edit);
        edit->OnEnter = act.Event();
        edit->OnExit = act2.Event();
        act.Fn = [&](TObject*) {
            if (c.HideThenFreeOnExit) ref->Hide();
            else ref->Free();
        };
        act2.Fn = [&](TObject*) {
            if (ref) ref->Free();
        };
        Desktop()->Click(ScreenOf(form, 20, 20));
        Process();
        EXPECT_FALSE(ref);
    }
}

TEST_F(HandlersFree, AnEnterHandlerFreesTheTrackersFormAndTheMessageEndsThere) {
    for (bool bounding : {false, true}) {
        SCOPED_TRACE(bounding ? "messaging" : "geometric");
        TForm* f = MakeForm(100, 100, 200, 100);
        auto* panel = new TPanel(f);
        panel->SetBounds(0, 0, 200, 100);
        panel->SetParent(f);
        auto* t = new TQVTrackMouse(f);
        static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = panel;
        t->SetBounding(bounding);
        t->OnMouseEnter() = TQVTrackMouseEvent::Of<&TAction::Notify>(&act);
        t->Run();
        f->Show();
        TWeakRef<TForm> ref(f);
        act.Fn = [&](TObject*) { ref->Free(); };
        MoveTo(panel, 50, 50);
        EXPECT_FALSE(ref);
        MoveScreen(5, 5);
    }
    // Release frees it once the message is done.
    auto* panel = Make<TPanel>(form, 0, 0, 100, 100);
    TQVTrackMouse* t = Track({panel}, false);
    t->OnMouseEnter() = TQVTrackMouseEvent::Of<&TAction::Notify>(&act);
    TWeakRef<TForm> ref(form);
    act.Fn = [&](TObject*) {
        ref->Release();
        EXPECT_TRUE(ref) << "not before the message is done";
    };
    MoveTo(panel, 50, 50);
    EXPECT_FALSE(ref);
    form = nullptr;
}

TEST_F(HandlersFree, AReleasedFormWaitsForItsHandlersAcrossNestedLoops) {
    auto* button = Make<TButton>(form, 10, 10, 80, 25);
    TWeakRef<TForm> ref(form);
    form->OnClose = TCloseEvent::Of<&TAction::CloseFree>(&act2);
    button->OnClick = act.Event();
    bool wholeAfterLoops = false;
    act.Fn = [&](TObject*) {
        ref->Close();  // OnClose answers caFree: a release
        Application->ProcessMessages();
        Application->ProcessMessages();
        wholeAfterLoops = ref && ref->Caption() == form->Caption();
        ref->Close();  // Close on a released form is harmless
    };
    Desktop()->Click(ScreenOf(button, 5, 5));
    Process();
    EXPECT_TRUE(wholeAfterLoops);
    EXPECT_FALSE(ref);
    form = nullptr;
}

TEST_F(HandlersFree, AComponentFreeingAnEarlierSiblingInNotificationSkipsNoOne) {
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

TEST_F(HandlersFree, ACloseRequestForAFreedFormClosesNothing) {
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

TEST_F(HandlersFree, DeletingAWindowedControlOrAFormIsAsSafeAsFree) {
    auto* panel = Make<TPanel>(form, 0, 0, 100, 100);
    auto* child = Make<TButton>(panel, 5, 5, 20, 20);  // owned by the form, parented by the panel
    TWeakRef<TButton> childRef(child);
    delete panel;
    EXPECT_FALSE(childRef) << "children go with their parent, as with Free";
    EXPECT_EQ(form->ControlCount(), 0);
    TForm* other = MakeForm(0, 0, 50, 50);
    Make<TButton>(other, 1, 1, 10, 10)->SetParent(other);
    other->Show();
    delete other;
    Process();
}

TEST_F(HandlersFree, ReparentingTheFocusedControlWhoseOnExitFreesIt) {
    auto* edit = Make<TEdit>(form, 10, 10, 80, 21);
    auto* panel = Make<TPanel>(form, 100, 10, 80, 50);
    edit->SetFocus();
    TWeakRef<TEdit> ref(edit);
    edit->OnExit = act.Event();
    act.Fn = [&](TObject*) { ref->Free(); };
    edit->SetParent(panel);
    EXPECT_FALSE(ref);
    EXPECT_EQ(panel->ControlCount(), 0);
}

TEST_F(HandlersFree, AControlListedTwiceAndFreedLeavesNoItemBehind) {
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    TControl* b = Named(Graphic(form, 20, 0, 10, 10), "B");
    TQVTrackMouse* t = Track({a, b, a}, false);
    a->Free();
    ASSERT_EQ(t->Associate()->GetCount(), 1);
    EXPECT_EQ(t->Associate()->IndexOf(b), 0);
    EXPECT_EQ(t->Associate()->IndexOf(nullptr), -1);
    EXPECT_TRUE(t->Associate()->RemoveControl(b));
    EXPECT_FALSE(t->Associate()->RemoveControl(b));
}

TEST_F(HandlersFree, DeadWindowProcHooksLeaveTheChain) {
    const TWndMethod original = form->WindowProc;
    for (int i = 0; i < 5; ++i) {
        auto* t = new TQVTrackMouse(form);
        t->Run();
        t->Free();
    }
    form->Perform(WM_NULL);
    EXPECT_EQ(form->WindowProc, original);
    // An inner tracker dying keeps the outer one reached, and its hook goes.
    TControl* a = Named(Graphic(form, 0, 0, 50, 50), "A");
    TQVTrackMouse* inner = Track({a}, false);
    TQVTrackMouse* outer = Track({a}, false);
    inner->Free();
    MoveTo(form, 10, 10);
    EXPECT_EQ(log.Take(), (Events{"enter A"}));
    outer->Free();
    form->Perform(WM_NULL);
    EXPECT_EQ(form->WindowProc, original);
}

TEST_F(HandlersFree, ReferencesToAnotherFormsComponentsResolveByItsName) {
    TForm* other = MakeForm(0, 0, 50, 50);
    other->SetName("Form2");
    auto* button = new TButton(other);
    button->SetName("Button1");
    button->SetParent(other);
    RegisterQVTrackMouse();
    auto* root = new TForm(Application);
    ReadComponentFromText(
        "object F: TForm\n"
        "  object T: TQVTrackMouse\n"
        "    Associate = <\n"
        "      item\n"
        "        TheControl = Form2.Button1\n"
        "      end>\n"
        "  end\n"
        "end\n",
        "dotted.dfm", root);
    auto* t = static_cast<TQVTrackMouse*>(root->FindComponent("T"));
    ASSERT_EQ(t->Associate()->GetCount(), 1);
    EXPECT_EQ(t->Associate()->GetItem(0)->TheControl, button);
    EXPECT_NE(WriteComponentToText(root).find("TheControl = Form2.Button1"), std::string::npos);
}

}  // namespace
