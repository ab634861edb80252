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

// ---------------------------------------------------------------------------
// Screenshots

namespace {

// A form's frame and title bar, as the framework's own frames look.
void DrawFrame(TCanvas& C, const TCustomForm* Form, bool Active) {
    TFrameMetrics m = FrameMetrics(Form->BorderStyle());
    TRect r = Form->BoundsRect();
    if (m.Border > 0) {
        C.Frame3D(r, cl3DLight, cl3DDkShadow);
        C.Frame3D(r, clBtnHighlight, clBtnShadow);
        C.Frame3D(r, clBtnFace, clBtnFace, m.Border - 2);
    }
    if (m.Caption <= 0) return;
    // The last row of the caption height parts the title from the client.
    TRect title{r.Left, r.Top, r.Right, r.Top + m.Caption - 1};
    C.Brush.Style = bsSolid;
    C.Brush.Color = clBtnFace;
    C.FillRect(TRect{r.Left, title.Bottom, r.Right, r.Top + m.Caption});
    C.Brush.Color = Active ? clActiveCaption : clInactiveCaption;
    C.FillRect(title);
    int32_t textRight = title.Right - 2;
    if (Form->BorderIcons().Contains(biSystemMenu)) {
        const int32_t bh = title.Height() - 4, bw = bh + 2;
        TRect box = Bounds(title.Right - 2 - bw, title.Top + 2, bw, bh);
        textRight = box.Left - 2;
        C.Frame3D(box, clBtnHighlight, cl3DDkShadow);
        C.Frame3D(box, cl3DLight, clBtnShadow);
        C.Brush.Color = clBtnFace;
        C.FillRect(box);
        // The cross, two pixels wide.
        const int32_t size = std::min(box.Width(), box.Height()) - 2;
        const int32_t x0 = box.Left + (box.Width() - size) / 2, y0 = box.Top + (box.Height() - size) / 2;
        for (int32_t i = 0; i < size; ++i) {
            C.Pixel(x0 + i, y0 + i, clBtnText);
            C.Pixel(x0 + i + 1, y0 + i, clBtnText);
            C.Pixel(x0 + size - 1 - i, y0 + i, clBtnText);
            C.Pixel(x0 + size - i, y0 + i, clBtnText);
        }
    }
    C.Font()->SetName("MS Sans Serif");
    C.Font()->SetHeight(-11);
    C.Font()->SetStyle(TFontStyles{fsBold});
    C.Font()->SetColor(Active ? clCaptionText : clInactiveCaptionText);
    C.Brush.Style = bsClear;
    const std::string caption = Form->Caption();
    C.TextRect(TRect{title.Left, title.Top, textRight, title.Bottom}, title.Left + 3,
               title.Top + (title.Height() - C.TextHeight(caption)) / 2, caption);
}

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
        DrawFrame(canvas, f, f == active);
        const TBitmapData& s = f->Surface();
        TPoint o = ClientOrigin(f);
        const int32_t w = std::min(s.Width, f->ClientWidth()), h = std::min(s.Height, f->ClientHeight());
        for (int32_t y = std::max(0, -o.y); y < h && o.y + y < screen.Height; ++y)
            for (int32_t x = std::max(0, -o.x); x < w && o.x + x < screen.Width; ++x)
                screen.Pixels[static_cast<size_t>(o.y + y) * static_cast<size_t>(screen.Width) +
                              static_cast<size_t>(o.x + x)] = s.Pixels[static_cast<size_t>(y) * s.Width + x];
    }
    // Screen texts keep the screen device context's defaults: the system
    // font, drawn opaque on white.
    canvas.SetClip(TRect{0, 0, screen.Width, screen.Height});
    canvas.Font()->SetName("System");
    canvas.Font()->SetHeight(16);
    canvas.Font()->SetStyle(TFontStyles{fsBold});
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWhite;
    for (const TScreenText& t : ScreenTexts()) {
        canvas.Font()->SetColor(static_cast<TColor>(t.Color & 0x00FFFFFF));
        canvas.TextOut(t.Pos.x, t.Pos.y, t.Text);
    }
    return screen;
}

void THeadlessPlatform::SaveScreenshot(const std::string& FileName) { SavePng(Screenshot(), FileName); }

}  // namespace vcl
