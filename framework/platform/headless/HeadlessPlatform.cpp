#include "framework/platform/headless/HeadlessPlatform.h"

#include <algorithm>

#include "framework/Forms.h"

namespace vcl {

THeadlessPlatform::THeadlessPlatform(TSize Screen) : FScreen(Screen) {}

void THeadlessPlatform::ShowWindow(TCustomForm* Form) {
    if (std::find(FWindows.begin(), FWindows.end(), Form) == FWindows.end()) FWindows.push_back(Form);
}

void THeadlessPlatform::HideWindow(TCustomForm* Form) { std::erase(FWindows, Form); }

void THeadlessPlatform::BringToFront(TCustomForm* Form) {
    auto it = std::find(FWindows.begin(), FWindows.end(), Form);
    if (it == FWindows.end()) return;
    FWindows.erase(it);
    FWindows.push_back(Form);
}

TPoint THeadlessPlatform::ClientOrigin(const TCustomForm* Form) const {
    TFrameMetrics m = FrameMetrics(Form->BorderStyle());
    return TPoint{Form->Left() + m.Border, Form->Top() + m.Border + m.Caption};
}

TCustomForm* THeadlessPlatform::WindowFromPoint(TPoint Pos) const {
    for (auto it = FWindows.rbegin(); it != FWindows.rend(); ++it)
        if ((*it)->BoundsRect().Contains(Pos)) return *it;
    return nullptr;
}

bool THeadlessPlatform::GetCursorPos(TPoint& Pos) const {
    if (!FCursorReadable) return false;
    Pos = FCursor;
    return true;
}

bool THeadlessPlatform::SetCursorPos(TPoint Pos) {
    // As on the platform, moving the pointer makes a mouse move.
    FCursor = Pos;
    TInputEvent e;
    e.Kind = TInputEvent::MouseMove;
    e.Pos = Pos;
    FQueue.push_back(e);
    return true;
}

bool THeadlessPlatform::PollEvent(TInputEvent& Event) {
    if (FQueue.empty()) return false;
    Event = FQueue.front();
    FQueue.pop_front();
    switch (Event.Kind) {
        case TInputEvent::MouseMove:
        case TInputEvent::MouseDown:
        case TInputEvent::MouseUp:
            FCursor = Event.Pos;
            break;
        default:
            break;
    }
    return true;
}

bool THeadlessPlatform::WaitEvent(TInputEvent& Event) {
    while (FQueue.empty()) {
        if (!OnIdleInput || !OnIdleInput()) return false;
    }
    return PollEvent(Event);
}

void THeadlessPlatform::MoveTo(TPoint Pos) {
    TInputEvent e;
    e.Kind = TInputEvent::MouseMove;
    e.Pos = Pos;
    Inject(e);
}

void THeadlessPlatform::Press(int Button) {
    TInputEvent e;
    e.Kind = TInputEvent::MouseDown;
    e.Button = Button;
    // The press happens where the pointer will be once queued moves are taken.
    e.Pos = FCursor;
    for (auto it = FQueue.rbegin(); it != FQueue.rend(); ++it)
        if (it->Kind == TInputEvent::MouseMove || it->Kind == TInputEvent::MouseDown ||
            it->Kind == TInputEvent::MouseUp) {
            e.Pos = it->Pos;
            break;
        }
    Inject(e);
}

void THeadlessPlatform::Release(int Button) {
    Press(Button);
    FQueue.back().Kind = TInputEvent::MouseUp;
}

void THeadlessPlatform::Click(TPoint Pos, int Button) {
    MoveTo(Pos);
    Press(Button);
    Release(Button);
}

void THeadlessPlatform::Key(uint32_t VirtualKey, uint32_t Shift) {
    TInputEvent e;
    e.Kind = TInputEvent::KeyDown;
    e.Key = VirtualKey;
    e.Shift = Shift;
    Inject(e);
    e.Kind = TInputEvent::KeyUp;
    Inject(e);
}

void THeadlessPlatform::Type(const std::string& Text) {
    for (char c : Text) {
        TInputEvent e;
        e.Kind = TInputEvent::Char;
        e.Ch = c;
        Inject(e);
    }
}

void THeadlessPlatform::CloseBox(TCustomForm* Form) {
    TInputEvent e;
    e.Kind = TInputEvent::CloseWindow;
    e.Window = Form;
    Inject(e);
}

}  // namespace vcl
