// A form on a headless desktop with a tracker, and a log of what the
// tracker reported.
#pragma once

#include <string>
#include <vector>

#include "ControlsFixture.h"
#include "framework/Log.h"
#include "runtime/QVTrackMouse.h"

// Reaches the tracker's private state, which several behaviours are about.
class TQVTrackMouseAccess {
public:
    static bool Active(const TQVTrackMouse* t) { return t->FActive; }
    static vcl::TList* States(const TQVTrackMouse* t) { return t->FControlStates; }
    static const vcl::TWndMethod& OldWindowProc(const TQVTrackMouse* t) { return t->FOldWindowProc; }
};

namespace vcltest {

// Records the tracker's events as "enter NAME" / "leave NAME".
class TEventLog : public TObject {
public:
    void Enter(TObject* Sender) { Add("enter", Sender); }
    void Leave(TObject* Sender) { Add("leave", Sender); }
    void Hover(TObject* Sender) { Add("hover", Sender); }
    void Attach(TQVTrackMouse* t, bool enter = true, bool leave = true) {
        if (enter) t->OnMouseEnter() = TQVTrackMouseEvent::Of<&TEventLog::Enter>(this);
        if (leave) t->OnMouseLeave() = TQVTrackMouseEvent::Of<&TEventLog::Leave>(this);
    }
    // The events since the last call.
    std::vector<std::string> Take() {
        std::vector<std::string> r;
        r.swap(Events);
        return r;
    }
    std::vector<std::string> Events;
    std::vector<TObject*> Senders;
    std::function<void(const std::string&, TObject*)> OnEvent;

private:
    void Add(const char* what, TObject* s) {
        auto* c = dynamic_cast<TComponent*>(s);
        std::string e = std::string(what) + " " + (c ? c->Name() : std::string("?"));
        Events.push_back(e);
        Senders.push_back(s);
        if (OnEvent) OnEvent(e, s);
    }
};

using Events = std::vector<std::string>;

class TrackerTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        form = MakeForm(100, 100, 400, 300);
        form->SetName("Form1");
    }
    TControl* Named(TControl* c, const char* name) {
        c->SetName(name);
        return c;
    }
    // A tracker on the form watching the given controls, started with Run,
    // its events in Log (the fixture's log unless given).
    TQVTrackMouse* Track(std::initializer_list<TControl*> controls, bool bounding, TEventLog* Log = nullptr) {
        auto* t = new TQVTrackMouse(form);
        for (TControl* c : controls) static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = c;
        t->SetBounding(bounding);
        (Log ? Log : &log)->Attach(t);
        t->Run();
        return t;
    }

    TForm* form = nullptr;
    TEventLog log;
};

}  // namespace vcltest
