#include "framework/Windows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/Log.h"
#include "framework/StdCtrls.h"

namespace vcl {

BOOL SetCursorPos(int X, int Y) {
    IPlatform* p = Platform();
    return p && p->SetCursorPos(TPoint{X, Y}) ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Message boxes

namespace {

std::string Quote(const char* s) {
    std::string r;
    for (const char* p = s; *p; ++p) {
        switch (*p) {
            case '"': r += "\\\""; break;
            case '\\': r += "\\\\"; break;
            case '\n': r += "\\n"; break;
            case '\r': r += "\\r"; break;
            default: r += *p;
        }
    }
    return r;
}

struct TBoxButton {
    const char* Caption;
    int Id;
};

// The icon of a message box; its kind follows the style's icon bits.
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* owner, uint32_t kind) : TGraphicControl(owner), Kind(kind) {}
    uint32_t Kind;

    // The classic 32-pixel pictures: a red disc with a white cross for
    // errors, a yellow triangle with '!' for warnings, a white bubble with a
    // blue '?' or 'i' for questions and information.
    void Paint(TCanvas& Canvas) const override {
        const double cx = 15.5, cy = 15.5;
        auto disc = [&](double radius, TColor fill, TColor edge) {
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    double d = std::hypot(x - cx, y - cy);
                    if (d <= radius) Canvas.Pixel(x, y, d > radius - 1.2 ? edge : fill);
                }
        };
        auto glyph = [&](const char* text, TColor colour, int32_t down = 0) {
            Canvas.Font()->SetName("Times New Roman");
            Canvas.Font()->SetHeight(-24);
            Canvas.Font()->SetStyle(TFontStyles{fsBold});
            Canvas.Font()->SetColor(colour);
            Canvas.Brush.Style = bsClear;
            Canvas.TextOut(16 - Canvas.TextWidth(text) / 2, 16 - Canvas.TextHeight(text) / 2 + down, text);
        };
        switch (Kind) {
            case MB_ICONERROR:
                disc(15, clRed, clMaroon);
                for (int y = 0; y < 32; ++y)
                    for (int x = 0; x < 32; ++x) {
                        double dx = x - cx, dy = y - cy;
                        if (std::abs(dx) <= 7.5 && std::abs(dy) <= 7.5 &&
                            (std::abs(dx - dy) <= 2.0 || std::abs(dx + dy) <= 2.0))
                            Canvas.Pixel(x, y, clWhite);
                    }
                return;
            case MB_ICONEXCLAMATION:
                // A triangle standing on row 29, its apex at the top centre.
                for (int y = 2; y < 30; ++y) {
                    double half = (y - 2) * 15.0 / 27.0;
                    for (int x = 0; x < 32; ++x) {
                        double d = std::abs(x - cx);
                        if (d <= half + 0.5) Canvas.Pixel(x, y, d > half - 1.0 || y == 29 ? clBlack : clYellow);
                    }
                }
                glyph("!", clBlack, 4);  // the triangle's body is low
                return;
            case MB_ICONQUESTION:
                disc(15, clWhite, clBlack);
                glyph("?", clBlue);
                return;
            case MB_ICONINFORMATION:
                disc(15, clWhite, clBlack);
                glyph("i", clBlue);
                return;
            default: return;
        }
    }
};

// A message box form: the close box and Escape act as its cancel button,
// when it has one.
class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* owner) : TForm(owner) {}
    int CancelId = 0;  // 0: the box cannot be dismissed without a choice

    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_CLOSE) {
            if (CancelId) SetModalResult(CancelId);
            return;
        }
        TForm::WndProc(Message);
    }
    bool DialogKey(uint16_t Key, TShiftState Shift) override {
        if (Key == VK_ESCAPE) {
            if (CancelId) SetModalResult(CancelId);
            return true;
        }
        return TForm::DialogKey(Key, Shift);
    }
};

}  // namespace

int MessageBoxA(HWND, const char* Text, const char* Caption, uint32_t Type) {
    if (!Application) return 0;
    if (!Platform()) {
        try {
            Application->Initialize();
        } catch (const Exception&) {
            return 0;
        }
    }
    std::vector<TBoxButton> buttons;
    switch (Type & MB_TYPEMASK) {
        case MB_OK: buttons = {{"OK", IDOK}}; break;
        case MB_OKCANCEL: buttons = {{"OK", IDOK}, {"Cancel", IDCANCEL}}; break;
        case MB_ABORTRETRYIGNORE: buttons = {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}}; break;
        case MB_YESNOCANCEL: buttons = {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}}; break;
        case MB_YESNO: buttons = {{"&Yes", IDYES}, {"&No", IDNO}}; break;
        case MB_RETRYCANCEL: buttons = {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}}; break;
        default: return 0;  // no such box
    }
    const char* text = Text ? Text : "";
    const char* caption = Caption ? Caption : "";
    char style[16];
    std::snprintf(style, sizeof style, "0x%x", Type);
    LogLine("messagebox title=\"" + Quote(caption) + "\" text=\"" + Quote(text) + "\" style=" + style);

    size_t defIndex = std::min<size_t>((Type & MB_DEFMASK) >> 8, buttons.size() - 1);
    uint32_t icon = Type & MB_ICONMASK;

    auto* box = new TMessageForm(nullptr);
    TWeakRef<TMessageForm> boxRef(box);
    int result = 0;
    try {
        box->SetBorderStyle(bsDialog);
        box->SetPosition(poScreenCenter);
        box->SetCaption(caption);
        // The text sizes itself as drawn in the box's font, every line of it;
        // '&' is shown as it is, not as an accelerator.
        std::string shown;
        for (const char* p = text; *p; ++p) shown += *p == '&' ? "&&" : std::string(1, *p);
        auto* label = new TLabel(box);
        label->SetParent(box);
        label->SetCaption(shown);
        // Layout: icon at the left, the text beside it (centred on the icon
        // when lower), the buttons centred below.
        const int margin = 12, iconSize = icon ? 32 : 0, gap = icon ? 12 : 0;
        const int textW = label->Width(), textH = label->Height();
        const int btnW = 75, btnH = 23, btnGap = 6;
        const int rowW = static_cast<int>(buttons.size()) * btnW + (static_cast<int>(buttons.size()) - 1) * btnGap;
        const int bodyH = std::max(iconSize, textH);
        const int clientW = std::max(margin + iconSize + gap + textW + margin, margin + rowW + margin);
        const int clientH = margin + bodyH + margin + btnH + margin;
        box->SetClientWidth(clientW);
        box->SetClientHeight(clientH);
        label->SetBounds(margin + iconSize + gap, margin + (bodyH - textH) / 2, textW, textH);
        if (icon) {
            auto* img = new TMessageIcon(box, icon);
            img->SetBounds(margin, margin, iconSize, iconSize);
            img->SetParent(box);
        }
        int x = (clientW - rowW) / 2, y = margin + bodyH + margin;
        TButton* defButton = nullptr;
        for (size_t i = 0; i < buttons.size(); ++i) {
            auto* b = new TButton(box);
            b->SetCaption(buttons[i].Caption);
            b->SetModalResult(buttons[i].Id);
            b->SetBounds(x, y, btnW, btnH);
            b->SetTabOrder(static_cast<int>(i));
            b->SetParent(box);
            if (i == defIndex) {
                b->SetDefault(true);
                defButton = b;
            }
            if (buttons[i].Id == IDCANCEL) box->CancelId = IDCANCEL;
            x += btnW + btnGap;
        }
        if (buttons.size() == 1) box->CancelId = buttons[0].Id;  // Escape acts as OK
        if (!box->CancelId) box->SetBorderIcons(TBorderIcons{});
        else box->SetBorderIcons(TBorderIcons{biSystemMenu});
        box->SetActiveControl(defButton);
        result = box->ShowModal();
        // The session ending under the box is a failure to show it.
        if (Application->Terminated()) result = 0;
    } catch (...) {
        if (boxRef) boxRef->Free();
        throw;
    }
    if (boxRef) boxRef->Free();
    return result;
}

// ---------------------------------------------------------------------------
// The screen device context

namespace {

struct TScreenDC {
    COLORREF TextColor = 0;
};

TScreenDC& TheScreenDC() {
    static TScreenDC dc;
    return dc;
}

std::vector<TScreenText>& Texts() {
    static std::vector<TScreenText> texts;
    return texts;
}

}  // namespace

HDC GetDC(HWND Window) {
    if (Window) return nullptr;  // only the whole screen is offered
    TheScreenDC().TextColor = 0;  // each context starts with the defaults
    return &TheScreenDC();
}

int ReleaseDC(HWND Window, HDC DC) { return (!Window && DC == &TheScreenDC()) ? 1 : 0; }

COLORREF SetTextColor(HDC DC, COLORREF Color) {
    if (DC != &TheScreenDC()) return 0xFFFFFFFF;  // CLR_INVALID
    COLORREF old = TheScreenDC().TextColor;
    TheScreenDC().TextColor = Color & 0x00FFFFFF;
    return old;
}

BOOL TextOutA(HDC DC, int X, int Y, const char* Text, int Count) {
    if (DC != &TheScreenDC()) return 0;
    if (Count <= 0 || !Text) return 1;
    TScreenText t;
    t.Pos = TPoint{X, Y};
    t.Color = TheScreenDC().TextColor;
    t.Text.assign(Text, static_cast<size_t>(Count));
    Texts().push_back(std::move(t));
    return 1;
}

const std::vector<TScreenText>& ScreenTexts() { return Texts(); }

void EraseScreenTexts(const TRect& Rect) {
    std::erase_if(Texts(), [&](const TScreenText& t) { return Rect.Contains(t.Pos); });
}

void DrawScreenTexts(TCanvas& Canvas, TPoint Origin, const std::vector<TScreenText>& Texts) {
    if (Texts.empty()) return;
    Canvas.Font()->SetName("System");
    Canvas.Font()->SetHeight(16);
    Canvas.Font()->SetStyle(TFontStyles{fsBold});
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = clWhite;
    for (const TScreenText& t : Texts) {
        Canvas.Font()->SetColor(static_cast<TColor>(t.Color & 0x00FFFFFF));
        Canvas.TextOut(t.Pos.x - Origin.x, t.Pos.y - Origin.y, t.Text);
    }
}

}  // namespace vcl
