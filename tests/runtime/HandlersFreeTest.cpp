// Tracker handlers that free what the tracker or the framework is in the
// middle of handling: the control under the pointer, the tracker's form,
// tracked controls, the trackers themselves. Run under ASan, each case
// reaches freed memory without its fix. (Handlers of the framework's own
// events: tests/controls/LifetimeTest.cpp.)
#include "ProgramFixture.h"
#include "TrackerFixture.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"

using namespace vcl;
using namespace vcltest;

namespace {

class HandlersFree : public TrackerTest {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        form->Show();
    }
};

TEST_F(HandlersFree, AGeometricHandlerFreesTheWindowedControlUnderThePointer) {
    auto* panel = Make<TPanel>(form, 10, 10, 100, 50);
    Track({panel}, false);
    TWeakRef<TPanel> ref(panel);
    log.OnEvent = [&](const std::string&, TObject*) { ref->Free(); };
    MoveTo(form, 50, 30);  // the pass runs on WM_SETCURSOR, before the move is routed
    EXPECT_FALSE(ref);
    MoveTo(form, 60, 30);
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
        log.Attach(t, true, false);
        TWeakRef<TForm> ref(f);
        log.OnEvent = [&](const std::string&, TObject*) { ref->Free(); };
        t->Run();
        f->Show();
        MoveTo(panel, 50, 50);
        EXPECT_FALSE(ref);
        MoveScreen(5, 5);
    }
    // Release frees it once the message is done.
    auto* panel = Make<TPanel>(form, 0, 0, 100, 100);
    Track({panel}, false);
    TWeakRef<TForm> ref(form);
    log.OnEvent = [&](const std::string&, TObject*) {
        ref->Release();
        EXPECT_TRUE(ref) << "not before the message is done";
    };
    MoveTo(panel, 50, 50);
    EXPECT_FALSE(ref);
    form = nullptr;
}

TEST_F(HandlersFree, AControlListedTwiceAndFreedLeavesNoItemBehindAndTheRestInOrder) {
    TControl* a = Named(Graphic(form, 0, 0, 10, 10), "A");
    TControl* b = Named(Graphic(form, 20, 0, 10, 10), "B");
    TControl* c = Named(Graphic(form, 40, 0, 10, 10), "C");
    TQVTrackMouse* t = Track({a, b, a, c}, false);
    a->Free();
    ASSERT_EQ(t->Associate()->GetCount(), 2);
    EXPECT_EQ(t->Associate()->IndexOf(b), 0);
    EXPECT_EQ(t->Associate()->IndexOf(c), 1);
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
}

TEST_F(HandlersFree, ReferencesToAnotherFormsComponentsResolveByItsName) {
    TForm* other = MakeForm(0, 0, 50, 50);
    other->SetName("Form2");
    TControl* button = Named(Make<TButton>(other, 0, 0, 75, 25), "Button1");
    RegisterQVTrackMouse();
    auto* root = new TForm(Application);
    ReadComponentFromText(Slurp(QV_TEST_DATA_DIR "/DottedReference.dfm"), "DottedReference.dfm", root);
    auto* t = static_cast<TQVTrackMouse*>(root->FindComponent("T"));
    ASSERT_EQ(t->Associate()->GetCount(), 1);
    EXPECT_EQ(t->Associate()->GetItem(0)->TheControl, button);
    EXPECT_NE(WriteComponentToText(root).find("TheControl = Form2.Button1"), std::string::npos);
}

}  // namespace
