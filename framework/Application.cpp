// The application object, its message loops, and the routing of the
// backend's input into the forms; and the screen object.
#include "framework/Forms.h"

#include <algorithm>
#include <cstdlib>

#include "framework/MessageTrace.h"
#include "framework/Timers.h"
#include "framework/Windows.h"

namespace vcl {

// ---------------------------------------------------------------------------
// TApplication

VCL_IMPLEMENT_CLASS(TApplication)
void TApplication::DescribeClass(ClassBuilder<TApplication>&) {}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

void TApplication::Initialize(const std::string& Backend) {
    CatchQuitSignals();
    if (!Platform()) SetPlatform(ChoosePlatform(Backend));
}

void TApplication::AddForm(TCustomForm*) {}

void TApplication::Run() {
    if (!Platform()) Initialize();
    if (TCustomForm* main = MainForm()) main->Show();
    while (!FTerminated) {
        HandleMessage();
        if (!MainForm()) break;
    }
}

void TApplication::RunPosted() {
    while (!FPosted.empty()) {
        auto task = std::move(FPosted.front());
        FPosted.pop_front();
        task();
    }
    FreeReleasedForms();
}

void TApplication::FreeReleasedForms() {
    // A form still handling a message (a handler of it runs a nested loop)
    // waits for a later turn.
    for (size_t i = 0; i < FReleasedForms.size();) {
        TCustomForm* f = FReleasedForms[i].Get();
        if (f && f->FMessageDepth > 0) {
            ++i;
            continue;
        }
        FReleasedForms.erase(FReleasedForms.begin() + static_cast<std::ptrdiff_t>(i));
        if (f) f->Free();  // may release others: the list is read again
        i = 0;
    }
}

void TApplication::Idle() {
    UpdateMouseControl();
    // Idle handlers run before painting, so that what they change shows.
    if (!FIdleHandlers.empty()) {
        std::vector<TIdleHandler> handlers = FIdleHandlers;
        for (auto& h : handlers) {
            if (!h.Target) continue;
            TNotifyEvent handler = h.Handler;
            handler(this);
        }
        std::erase_if(FIdleHandlers, [](const TIdleHandler& h) { return !h.Target; });
    }
    if (!Screen) return;
    std::vector<TWeakRef<TCustomForm>> forms;
    for (int i = 0; i < Screen->FormCount(); ++i) forms.emplace_back(Screen->Forms(i));
    for (auto& f : forms)
        if (f && f->Showing() && f->PaintPending()) f->PaintNow();
    if (IPlatform* p = Platform()) p->Present();
}

void TApplication::AddIdleHandler(TObject* Target, TNotifyEvent Handler) {
    RemoveIdleHandler(Target);
    FIdleHandlers.push_back(TIdleHandler{TWeakRef<TObject>(Target), Handler});
}

void TApplication::RemoveIdleHandler(TObject* Target) {
    for (auto& h : FIdleHandlers)
        if (h.Target.Get() == Target) h.Target.Reset();
}

void TApplication::Settle() {
    RunPosted();
    TTimer::RunDue();
    RunPosted();
    Idle();
}

void TApplication::ProcessMessages() {
    IPlatform* p = Platform();
    if (!p) return;
    TInputEvent e;
    while (Platform() && Platform()->PollEvent(e)) {
        DispatchInput(e);
        RunPosted();
    }
    Settle();
}

void TApplication::HandleMessage() {
    IPlatform* p = Platform();
    if (!p) {
        FTerminated = true;
        return;
    }
    TInputEvent e;
    if (p->PollEvent(e)) {
        DispatchInput(e);
        Settle();
        return;
    }
    Settle();
    if (FTerminated || !Platform()) return;
    // The wait ends at the next timer's time at the latest.
    if (!WaitAndDispatch(TTimer::MillisecondsToNext())) return;
    Settle();
}

bool TApplication::WaitAndDispatch(int64_t TimeoutMs) {
    TInputEvent e;
    switch (Platform()->WaitEvent(e, TimeoutMs)) {
        case IPlatform::TWait::Event:
            DispatchInput(e);
            return true;
        case IPlatform::TWait::Timeout:
            return true;
        case IPlatform::TWait::Closed:
            // No input will ever come: the session is over.
            FTerminated = true;
            return false;
    }
    return true;
}

void TApplication::AdvanceTime(uint32_t Milliseconds) {
    IPlatform* p = Platform();
    if (!p) return;
    // The headless clock moves only while a wait is under way, stopping at
    // each timer's due time; a real clock moves by itself.
    const bool virtualClock = p->StartWait(Milliseconds);
    const uint64_t until = p->TickCount() + Milliseconds;
    for (;;) {
        ProcessMessages();
        p = Platform();
        if (!p) return;
        const uint64_t now = p->TickCount();
        if (virtualClock ? !p->Waiting() : now >= until) return;
        int64_t timeout = TTimer::MillisecondsToNext();
        if (!virtualClock && (timeout < 0 || static_cast<uint64_t>(timeout) > until - now))
            timeout = static_cast<int64_t>(until - now);
        if (!WaitAndDispatch(timeout)) return;
        RunPosted();
    }
}

void TApplication::ShowException(const Exception& E) {
    std::string msg = E.Message();
    if (!msg.empty() && msg.back() != '.') msg += '.';
    MessageBoxA(nullptr, msg.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

TCustomForm* TApplication::ModalForm() const {
    for (auto it = FModalStack.rbegin(); it != FModalStack.rend(); ++it)
        if (*it && (*it)->IsModal() && (*it)->Showing()) return it->Get();
    return nullptr;
}

bool TApplication::AcceptsInput(const TCustomForm* Form) const {
    if (!Form || !Form->Showing() || !Form->Enabled()) return false;
    TCustomForm* modal = ModalForm();
    return !modal || modal == Form;
}

TControl* TApplication::ControlAtScreen(TPoint Pos, TWinControl** Windowed) const {
    if (Windowed) *Windowed = nullptr;
    IPlatform* p = Platform();
    if (!p) return nullptr;
    TCustomForm* form = p->WindowFromPoint(Pos);
    if (!form) return nullptr;
    TWinControl* w = form;
    TPoint cp = form->ScreenToClient(Pos);
    if (!form->GetClientRect().Contains(cp)) return nullptr;  // on the frame
    for (;;) {
        TControl* c = w->ControlAtPos(cp, true, true);
        if (!c) {
            if (Windowed) *Windowed = w;
            return w;
        }
        if (auto* cw = dynamic_cast<TWinControl*>(c)) {
            TPoint inner = cw->ScreenToClient(Pos);
            w = cw;
            if (!cw->GetClientRect().Contains(inner)) {  // on its border
                if (Windowed) *Windowed = cw;
                return cw;
            }
            cp = inner;
            continue;
        }
        if (Windowed) *Windowed = w;
        return c;
    }
}

TApplication::TPointerTarget TApplication::PointerTargetAt(TPoint Pos) const {
    TPointerTarget t;
    IPlatform* p = Platform();
    if (!p) return t;
    t.Form = p->WindowFromPoint(Pos);
    TWinControl* windowed = nullptr;
    t.Under = ControlAtScreen(Pos, &windowed);
    t.Windowed = windowed;
    return t;
}

bool TApplication::AcceptsPointerInput(const TControl* Control) const {
    return Control && Control->Showing() && Control->IsEnabledForInput() && AcceptsInput(Control->GetParentForm());
}

void TApplication::UpdateMouseControl() {
    IPlatform* p = Platform();
    if (!p) return;
    TPoint pos;
    if (!p->GetCursorPos(pos)) return;
    TControl* now = ControlAtScreen(pos);
    TControl* old = FMouseControl.Get();
    if (now == old) return;
    // The new state is recorded before anyone is told, so that a handler
    // that pumps messages does not report the same change again.
    FMouseControl = now;
    TWeakRef<TControl> nowRef(now);
    if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
    if (nowRef && FMouseControl.Get() == nowRef.Get()) nowRef->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::SendMouse(TControl* Target, uint32_t Msg, TPoint ScreenPos, uintptr_t Keys) {
    TWinControl* w = dynamic_cast<TWinControl*>(Target);
    if (!w) w = Target->Parent();
    if (!w) return;
    TPoint cp = w->ScreenToClient(ScreenPos);
    w->Perform(Msg, Keys, PointToLParam(cp.x, cp.y));
}

void TApplication::DispatchInput(const TInputEvent& Event) {
    IPlatform* p = Platform();
    if (!p) return;
    static constexpr uint32_t kDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr uint32_t kUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr uintptr_t kBit[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
    uintptr_t shiftKeys = 0;
    if (Event.Shift & 1) shiftKeys |= MK_SHIFT;
    if (Event.Shift & 4) shiftKeys |= MK_CONTROL;
    switch (Event.Kind) {
        case TInputEvent::MouseMove: {
            UpdateMouseControl();  // enter and leave handlers run here
            const TPointerTarget t = PointerTargetAt(Event.Pos);
            if (TCustomForm* form = t.Form.Get()) {
                // Sent whatever the modal state, as the platform does.
                TWinControl* w = t.Windowed ? t.Windowed.Get() : form;
                intptr_t hit = t.Under ? 1 /* client */ : 2 /* caption or frame */;
                w->Perform(WM_SETCURSOR, reinterpret_cast<uintptr_t>(w),
                           hit | static_cast<intptr_t>(WM_MOUSEMOVE) << 16);
            }
            // The form's handlers (trackers) ran: the target is read again
            // through its weak reference.
            if (TControl* capture = GetCaptureControl()) {
                if (AcceptsInput(capture->GetParentForm()))
                    SendMouse(capture, WM_MOUSEMOVE, Event.Pos, FButtons | shiftKeys);
            } else if (AcceptsPointerInput(t.Windowed.Get())) {
                SendMouse(t.Windowed.Get(), WM_MOUSEMOVE, Event.Pos, FButtons | shiftKeys);
            }
            return;
        }
        case TInputEvent::MouseDown: {
            int b = std::clamp(Event.Button, 0, 2);
            UpdateMouseControl();
            const TPointerTarget t = PointerTargetAt(Event.Pos);
            TCustomForm* form = t.Form.Get();
            if (!form || !AcceptsInput(form)) return;
            p->BringToFront(form);
            if (Screen) Screen->SetActiveForm(form);
            if (!AcceptsPointerInput(t.Windowed.Get())) return;
            TWinControl* windowed = t.Windowed.Get();
            // OnExit and OnEnter run here and may free, hide or disable it.
            if (windowed->TabStop() && windowed->CanFocus()) windowed->SetFocus();
            if (!AcceptsPointerInput(t.Windowed.Get())) return;
            FButtons |= kBit[b];
            SendMouse(t.Windowed.Get(), kDown[b], Event.Pos, FButtons | shiftKeys);
            return;
        }
        case TInputEvent::MouseUp: {
            int b = std::clamp(Event.Button, 0, 2);
            FButtons &= ~kBit[b];
            TControl* target = GetCaptureControl();
            if (!target) {
                const TPointerTarget t = PointerTargetAt(Event.Pos);
                if (!AcceptsPointerInput(t.Windowed.Get())) return;
                target = t.Windowed.Get();
            }
            SendMouse(target, kUp[b], Event.Pos, FButtons | shiftKeys);
            if (FButtons == 0) SetCaptureControl(nullptr);
            UpdateMouseControl();
            return;
        }
        case TInputEvent::KeyDown:
        case TInputEvent::KeyUp:
        case TInputEvent::Char: {
            TCustomForm* form = ModalForm();
            if (!form && Screen) form = Screen->ActiveForm();
            if (!form || !AcceptsInput(form)) return;
            TWinControl* target = form->ActiveControl();
            if (!target || !target->IsEnabledForInput() || !target->Showing()) target = form;
            TMessage m;
            auto send = [&](TMessage& msg) {
                if (MessageTraceOn() && target == form) detail::TraceMessage(form, msg);
                target->WindowProc(msg);
            };
            if (Event.Kind == TInputEvent::Char) {
                m.Msg = WM_CHAR;
                m.WParam = static_cast<unsigned char>(Event.Ch);
                send(m);
                return;
            }
            m.Msg = Event.Kind == TInputEvent::KeyDown ? WM_KEYDOWN : WM_KEYUP;
            m.WParam = Event.Key;
            m.LParam = static_cast<intptr_t>(shiftKeys);
            TWeakRef<TCustomForm> formRef(form);
            send(m);
            // Keys the control left alone act on the dialog: Tab moves the
            // focus, Return and Escape press the default and cancel buttons.
            if (formRef && Event.Kind == TInputEvent::KeyDown && m.WParam != 0) {
                TShiftState shift;
                if (Event.Shift & 1) shift << ssShift;
                if (Event.Shift & 2) shift << ssAlt;
                if (Event.Shift & 4) shift << ssCtrl;
                formRef->DialogKey(static_cast<uint16_t>(m.WParam), shift);
            }
            return;
        }
        case TInputEvent::WindowMoved: {
            // The window system's place and size become the form's.
            TCustomForm* form = Event.Window.Get();
            if (!form) return;
            TWeakRef<TCustomForm> ref(form);
            if (Event.Pos.x != form->Left() || Event.Pos.y != form->Top())
                form->SetBounds(Event.Pos.x, Event.Pos.y, form->Width(), form->Height());
            if (ref && Sizeable(form->BorderStyle()) &&
                (Event.Size.cx != form->ClientWidth() || Event.Size.cy != form->ClientHeight())) {
                form->SetClientWidth(Event.Size.cx);
                if (ref) form->SetClientHeight(Event.Size.cy);
            }
            if (ref) form->WindowMoved();
            return;
        }
        case TInputEvent::CloseWindow: {
            TCustomForm* form = Event.Window.Get();
            if (!form || !AcceptsInput(form)) return;
            form->Perform(WM_CLOSE, 0, 0);
            return;
        }
        case TInputEvent::Quit:
            Terminate();
            return;
    }
}

// ---------------------------------------------------------------------------
// TScreen

VCL_IMPLEMENT_CLASS(TScreen)
void TScreen::DescribeClass(ClassBuilder<TScreen>&) {}

int32_t TScreen::Width() const { return Platform() ? Platform()->ScreenSize().cx : 1024; }
int32_t TScreen::Height() const { return Platform() ? Platform()->ScreenSize().cy : 768; }
void TScreen::SetActiveForm(TCustomForm* f) { FActiveForm = f; }

}  // namespace vcl
