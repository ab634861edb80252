#include "framework/platform/headless/HeadlessPlatform.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/Windows.h"

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

TPoint THeadlessPlatform::ClientOrigin(const TCustomForm* Form) const { return FramedClientOrigin(Form); }

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
    // Checked between script steps too, however long the script.
    if (TakeQuitSignal(FQuit, Event)) return true;
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

IPlatform::TWait THeadlessPlatform::WaitEvent(TInputEvent& Event, int64_t TimeoutMs) {
    for (;;) {
        if (PollEvent(Event)) return TWait::Event;
        if (FQuit) return TWait::Closed;  // the rest of a script is not run
        if (Waiting()) {
            uint64_t until = FWaitUntil;
            if (TimeoutMs >= 0) until = std::min(until, FNow + static_cast<uint64_t>(TimeoutMs));
            FNow = until;
            return TWait::Timeout;
        }
        if (TimeoutMs == 0) return TWait::Timeout;
        if (!OnIdleInput || !OnIdleInput()) return TWait::Closed;
    }
}

void THeadlessPlatform::Wait(uint32_t Milliseconds) { FWaitUntil = std::max(FWaitUntil, FNow) + Milliseconds; }

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

// ---------------------------------------------------------------------------
// Screenshots

namespace {

}  // namespace

TBitmapData THeadlessPlatform::Screenshot() {
    for (TCustomForm* f : std::vector<TCustomForm*>(FWindows))
        if (f->PaintPending() || f->Surface().Width != f->ClientWidth() || f->Surface().Height != f->ClientHeight())
            f->PaintNow();
    TBitmapData screen;
    screen.Resize(FScreen.cx, FScreen.cy, ColorToPixel(clBackground));
    TCanvas canvas(screen);
    TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
    for (TCustomForm* f : FWindows) {
        canvas.SetClip(TRect{0, 0, screen.Width, screen.Height});
        canvas.Brush = TBrush{};
        DrawWindowFrame(canvas, f, f == active);
        const TBitmapData& s = f->Surface();
        TPoint o = ClientOrigin(f);
        const int32_t w = std::min(s.Width, f->ClientWidth()), h = std::min(s.Height, f->ClientHeight());
        for (int32_t y = std::max(0, -o.y); y < h && o.y + y < screen.Height; ++y)
            for (int32_t x = std::max(0, -o.x); x < w && o.x + x < screen.Width; ++x)
                screen.Pixels[static_cast<size_t>(o.y + y) * static_cast<size_t>(screen.Width) +
                              static_cast<size_t>(o.x + x)] = s.Pixels[static_cast<size_t>(y) * s.Width + x];
    }
    canvas.SetClip(TRect{0, 0, screen.Width, screen.Height});
    DrawScreenTexts(canvas, TPoint{0, 0}, ScreenTexts());
    return screen;
}

void THeadlessPlatform::SaveScreenshot(const std::string& FileName) { SavePng(Screenshot(), FileName); }

TBitmapData THeadlessPlatform::WindowShot(const TCustomForm* Form) {
    const TBitmapData screen = Screenshot();
    const TRect r = Form->BoundsRect();
    const int32_t left = std::clamp(r.Left, 0, screen.Width), top = std::clamp(r.Top, 0, screen.Height);
    const int32_t right = std::clamp(r.Right, left, screen.Width), bottom = std::clamp(r.Bottom, top, screen.Height);
    TBitmapData shot;
    shot.Resize(std::max(1, right - left), std::max(1, bottom - top));
    for (int32_t y = 0; y < shot.Height; ++y)
        for (int32_t x = 0; x < shot.Width; ++x) shot.SetPixel(x, y, screen.Pixel(left + x, top + y));
    return shot;
}

}  // namespace vcl
