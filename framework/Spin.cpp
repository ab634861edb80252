#include "framework/Spin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/Canvas.h"
#include "framework/ClassicLook.h"

namespace vcl {

namespace {

constexpr int32_t kButtonWidth = 15;

// The edit's field and the two arrow buttons over its right end.
void PaintArrows(TCanvas& Canvas, const TControl& Control) {
    const int32_t w = Control.Width(), h = Control.Height();
    const int32_t left = std::max(0, w - 2 - kButtonWidth);
    TRect up{left, 2, w - 2, h / 2}, down{left, h / 2, w - 2, h - 2};
    look::ButtonFace(Canvas, up, false, false);
    look::ButtonFace(Canvas, down, false, false);
    const TColor color = Control.IsEnabledForInput() ? clBtnText : clGrayText;
    for (int side = 0; side < 2; ++side) {
        const TRect b = side ? down : up;
        const int32_t ax = b.Left + (b.Width() - 5) / 2, ay = b.Top + (b.Height() - 3) / 2;
        for (int32_t i = 0; i < 3; ++i) {
            const int32_t row = side ? ay + i : ay + 2 - i;
            for (int32_t x = ax + i; x < ax + 5 - i; ++x) Canvas.Pixel(x, row, color);
        }
    }
}

// +1 on the up arrow, -1 on the down one, 0 elsewhere (client coordinates).
int ArrowAt(const TControl& Control, int32_t X, int32_t Y) {
    const int32_t x = X + 2, y = Y + 2;  // the edit's border
    if (x < Control.Width() - 2 - kButtonWidth) return 0;
    return y < Control.Height() / 2 ? 1 : -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// TSpinEdit

VCL_IMPLEMENT_CLASS(TSpinEdit)
void TSpinEdit::DescribeClass(ClassBuilder<TSpinEdit>& c) {
    c.Property("EditorEnabled", &TSpinEdit::FEditorEnabled).Default(true);
    c.Property("Increment", &TSpinEdit::Increment).Default(1);
    c.Property("MaxValue", &TSpinEdit::MaxValue).Default(0);
    c.Property("MinValue", &TSpinEdit::MinValue).Default(0);
    PublishEditProperties(c);
    // The value says what the text shows.
    c.Property("Text", &TCustomEdit::Text, &TCustomEdit::SetTextValue).Stored(false);
    c.Property("Value", &TSpinEdit::Value, &TSpinEdit::SetValue).Default(0);
}

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    FWidth = 121;
    FHeight = 22;
    FControlStyle >> csSetCaption;  // the text is the value, never the name
    SetValue(0);
}

int32_t TSpinEdit::Clamp(int64_t v) const {
    if (MinValue != 0 || MaxValue != 0) v = std::clamp<int64_t>(v, MinValue, std::max(MinValue, MaxValue));
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void TSpinEdit::SetValue(int32_t v) {
    if (!IsLoading()) v = Clamp(v);
    FValue = v;
    FSettingText = true;
    SetTextValue(IntToStr(v));
    FSettingText = false;
}

void TSpinEdit::TextChanged() {
    TCustomEdit::TextChanged();
    if (FSettingText) return;
    // Typed text gives the value when it is a number.
    char* end = nullptr;
    const std::string t = GetText();
    long v = std::strtol(t.c_str(), &end, 10);
    if (!t.empty() && end && *end == 0) FValue = Clamp(v);
}

void TSpinEdit::Loaded() {
    TCustomEdit::Loaded();
    SetValue(FValue);
}

void TSpinEdit::Step(int Direction) { SetValue(Clamp(int64_t{FValue} + int64_t{Direction} * Increment)); }

void TSpinEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (Key == VK_UP || Key == VK_DOWN) {
        Step(Key == VK_UP ? 1 : -1);
        Key = 0;
        return;
    }
    TCustomEdit::KeyDown(Key, Shift);
}

void TSpinEdit::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft)
        if (int d = ArrowAt(*this, X, Y)) {
            Step(d);
            return;
        }
    TCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TSpinEdit::Paint(TCanvas& Canvas) const {
    TCustomEdit::Paint(Canvas);
    PaintArrows(Canvas, *this);
}

// ---------------------------------------------------------------------------
// TFloatSpinEdit

VCL_IMPLEMENT_CLASS(TFloatSpinEdit)
void TFloatSpinEdit::DescribeClass(ClassBuilder<TFloatSpinEdit>& c) {
    c.Property("DecimalPlaces", &TFloatSpinEdit::DecimalPlaces, &TFloatSpinEdit::SetDecimalPlaces).Default(2);
    c.Property("Increment", &TFloatSpinEdit::Increment);
    c.Property("MaxValue", &TFloatSpinEdit::MaxValue);
    c.Property("MinValue", &TFloatSpinEdit::MinValue);
    PublishEditProperties(c);
    c.Property("Text", &TCustomEdit::Text, &TCustomEdit::SetTextValue).Stored(false);
    c.Property("Value", &TFloatSpinEdit::Value, &TFloatSpinEdit::SetValue);
}

TFloatSpinEdit::TFloatSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    FWidth = 121;
    FHeight = 22;
    FControlStyle >> csSetCaption;  // the text is the value, never the name
    ShowValue();
}

void TFloatSpinEdit::SetValue(double v) {
    if (!IsLoading() && MaxValue > MinValue) v = std::clamp(v, MinValue, MaxValue);
    FValue = v;
    ShowValue();
}

void TFloatSpinEdit::SetDecimalPlaces(int32_t v) {
    FDecimalPlaces = std::clamp(v, 0, 12);
    ShowValue();
}

void TFloatSpinEdit::ShowValue() {
    char buf[64];
    // Fixed notation would run to hundreds of digits for a value a form file
    // may hold (1e300): such values, and NaN and infinities, in short form.
    if (std::isfinite(FValue) && std::fabs(FValue) < 1e15) std::snprintf(buf, sizeof buf, "%.*f", FDecimalPlaces, FValue);
    else std::snprintf(buf, sizeof buf, "%g", FValue);
    SetTextValue(buf);
}

void TFloatSpinEdit::Loaded() {
    TCustomEdit::Loaded();
    SetValue(FValue);
}

void TFloatSpinEdit::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft)
        if (int d = ArrowAt(*this, X, Y)) {
            SetValue(FValue + d * Increment);
            return;
        }
    TCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TFloatSpinEdit::Paint(TCanvas& Canvas) const {
    TCustomEdit::Paint(Canvas);
    PaintArrows(Canvas, *this);
}

void RegisterSpinEdits() { RegisterClasses({TSpinEdit::StaticClass(), TFloatSpinEdit::StaticClass()}); }

}  // namespace vcl
