// A shown form on the headless desktop for the standard controls, with
// helpers that act as a user would, and a recorder of notify events.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ControlsFixture.h"

namespace vcltest {

class ControlsTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        form = MakeForm(100, 100, 400, 300);
        form->Show();
        Process();
    }

    // A control of class T owned by the form, placed on parent; a size of -1
    // keeps the class's default.
    template <class T>
    T* Make(TWinControl* parent, int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) {
        auto* c = new T(form);
        c->SetBounds(left, top, width < 0 ? c->Width() : width, height < 0 ? c->Height() : height);
        c->SetParent(parent);
        return c;
    }

    void ClickOn(TControl* c, int32_t x, int32_t y) {
        Desktop()->Click(ScreenOf(c, x, y));
        Process();
    }
    void PressOn(TControl* c, int32_t x, int32_t y) {
        Desktop()->MoveTo(ScreenOf(c, x, y));
        Desktop()->Press();
        Process();
    }
    void ReleaseOn(TControl* c, int32_t x, int32_t y) {
        Desktop()->MoveTo(ScreenOf(c, x, y));
        Desktop()->Release();
        Process();
    }
    // A key pressed and released, with Shift held when asked.
    void Key(uint32_t vk, bool shift = false) {
        Desktop()->Key(vk, shift ? 1u : 0u);
        Process();
    }
    void KeyDownOnly(uint32_t vk) {
        TInputEvent e;
        e.Kind = TInputEvent::KeyDown;
        e.Key = vk;
        Desktop()->Inject(e);
        Process();
    }
    void Type(const std::string& text) {
        Desktop()->Type(text);
        Process();
    }

    TForm* form = nullptr;
};

// Records each call of a notify event; Then runs inside the handler.
class TNotifyLog : public TObject {
public:
    TNotifyEvent Event() { return TNotifyEvent::Of<&TNotifyLog::Notify>(this); }
    void Notify(TObject* sender) {
        Senders.push_back(sender);
        if (Then) Then(sender);
    }
    int Count() const { return static_cast<int>(Senders.size()); }
    std::vector<TObject*> Senders;
    std::function<void(TObject*)> Then;
};

}  // namespace vcltest
