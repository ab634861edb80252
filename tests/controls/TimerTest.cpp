// Timers on the headless desktop's virtual clock: when they fire, in which
// loops, what their handlers may do, and scripts that let time pass.
#include "ControlsFixture.h"

#include "framework/Timers.h"
#include "framework/platform/headless/InputScript.h"

using namespace vcl;
using namespace vcltest;

namespace {

struct TCounter : TObject {
    int Count = 0;
    std::function<void(TObject*)> Then;
    void Tick(TObject* Sender) {
        ++Count;
        if (Then) Then(Sender);
    }
};

class Timers : public DesktopTest {
protected:
    TTimer* MakeTimer(uint32_t interval, TCounter& counter) {
        auto* t = new TTimer(Application);
        t->SetInterval(interval);
        t->SetOnTimer(TNotifyEvent::Of<&TCounter::Tick>(&counter));
        return t;
    }
};

}  // namespace

TEST_F(Timers, FireEveryIntervalOnTheVirtualClockOnly) {
    TCounter c;
    TTimer* t = MakeTimer(100, c);
    Process();
    EXPECT_EQ(c.Count, 0);  // no time has passed
    Wait(99);
    EXPECT_EQ(c.Count, 0);
    Wait(1);
    EXPECT_EQ(c.Count, 1);
    Wait(250);  // the loop stops at each due time on the way
    EXPECT_EQ(c.Count, 3);
    EXPECT_EQ(TickCount(), 350u);
    // Disabled, nothing; enabled again, the interval counts from then.
    t->SetEnabled(false);
    Wait(500);
    EXPECT_EQ(c.Count, 3);
    t->SetEnabled(true);
    Wait(99);
    EXPECT_EQ(c.Count, 3);
    Wait(1);
    EXPECT_EQ(c.Count, 4);
    // An interval of 0 or no handler: the timer does not run.
    t->SetInterval(0);
    EXPECT_EQ(TTimer::MillisecondsToNext(), -1);
    t->SetInterval(10);
    t->SetOnTimer(TNotifyEvent());
    EXPECT_FALSE(t->Running());
    Wait(100);
    EXPECT_EQ(c.Count, 4);
}

TEST_F(Timers, HandlersMayFreeTimersDueAtTheSameTime) {
    TCounter first, second;
    TTimer* a = MakeTimer(50, first);
    TTimer* b = MakeTimer(50, second);
    first.Then = [&](TObject* self) {
        b->Free();
        static_cast<TTimer*>(self)->Free();
    };
    Wait(200);
    EXPECT_EQ(first.Count, 1);
    EXPECT_EQ(second.Count, 0);
    (void)a;
}

TEST_F(Timers, RunInsideModalLoops) {
    TForm* box = MakeForm(100, 100, 200, 100);
    TCounter c;
    MakeTimer(500, c);
    c.Then = [&](TObject*) { box->SetModalResult(mrOk); };
    WhenIdle({[&] { Desktop()->Wait(1000); }});
    EXPECT_EQ(box->ShowModal(), mrOk);
    EXPECT_EQ(c.Count, 1);
    EXPECT_EQ(TickCount(), 500u);  // the modal loop ended at the timer
}

TEST_F(Timers, ScriptWaitLetsTimePassAndIsChecked) {
    TCounter c;
    MakeTimer(100, c);
    TInputScript script("wait 250\nwait 0\n", "s.txt");
    Desktop()->OnIdleInput = [&] { return script.Step(*Desktop()); };
    while (!Application->Terminated()) Application->HandleMessage();
    Desktop()->OnIdleInput = nullptr;
    EXPECT_EQ(c.Count, 2);
    EXPECT_EQ(TickCount(), 250u);
    for (const char* bad : {"wait\n", "wait -5\n", "wait soon\n", "wait 1 2\n"}) {
        try {
            TInputScript s(bad, "bad.txt");
            ADD_FAILURE() << bad;
        } catch (const EScriptError& e) {
            EXPECT_EQ(e.Message(), "bad.txt:1: wait: expected a number of milliseconds");
        }
    }
}
