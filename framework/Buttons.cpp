#include "framework/Buttons.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/ImageCodec.h"
#include "framework/Streaming.h"
#include "framework/ClassicLook.h"

namespace vcl {

VCL_IMPLEMENT_CLASS(TSpeedButton)
void TSpeedButton::DescribeClass(ClassBuilder<TSpeedButton>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    // GroupIndex comes before Down: a button outside a group cannot be down.
    c.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    c.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TSpeedButton::IsFontStored);
    c.Property("Glyph", &TSpeedButton::Glyph, nullptr);
    c.Property("ImageIndex", &TSpeedButton::FImageIndex).Default(-1);
    c.Property("ImageName", &TSpeedButton::FImageName);
    c.Property("Images", &TSpeedButton::Images, &TSpeedButton::SetImages);
    c.Property("Layout", &TSpeedButton::FLayout).Default(blGlyphLeft);
    c.Property("Margin", &TSpeedButton::FMargin).Default(-1);
    c.Property("NumGlyphs", &TSpeedButton::FNumGlyphs).Default(1);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("Spacing", &TSpeedButton::FSpacing).Default(4);
    c.Property("Transparent", &TSpeedButton::FTransparent).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    PublishMouseEvents(c);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    FWidth = 23;
    FHeight = 22;
    // No caption by default; clicks come from the button's own tracking.
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
}

void TSpeedButton::SetFlat(bool v) {
    if (v == FFlat) return;
    FFlat = v;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int v) {
    if (v == FGroupIndex) return;
    FGroupIndex = v;
    if (v == 0) SetDownState(false);
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool v) {
    if (v == FAllowAllUp) return;
    FAllowAllUp = v;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool v) {
    if (FGroupIndex == 0) v = false;
    if (v == FDown) return;
    // The one down in a group stays down unless the group may be all up.
    if (FDown && !FAllowAllUp) return;
    SetDownState(v);
    if (v) UpdateExclusive();
}

void TSpeedButton::SetDownState(bool v) {
    if (v == FDown) return;
    FDown = v;
    Invalidate();
}

void TSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0) return;
    TWinControl* parent = Parent();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
        if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
        if (FDown) other->SetDownState(false);
        other->FAllowAllUp = FAllowAllUp;
    }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft && Enabled()) {
        FDragging = true;
        SetPressedState(true);
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (FDragging) SetPressedState(GetClientRect().Contains(TPoint{X, Y}));
    TGraphicControl::MouseMove(Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    bool click = false;
    if (Button == mbLeft && FDragging) {
        FDragging = false;
        SetPressedState(false);
        click = GetClientRect().Contains(TPoint{X, Y});
        if (click && FGroupIndex != 0) SetDown(!FDown);
    }
    // As for other controls, the click comes before OnMouseUp.
    TWeakRef<TSpeedButton> self(this);
    if (click) Click();
    if (self) TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::SetPressedState(bool v) {
    if (v == FPressed) return;
    FPressed = v;
    Invalidate();
}

void TSpeedButton::WndProc(TMessage& Message) {
    // LParam 0: the notification is about this button, not one passing by.
    if ((Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) && Message.LParam == 0) {
        bool over = Message.Msg == CM_MOUSEENTER;
        if (over != FMouseInControl) {
            FMouseInControl = over;
            if (FFlat) Invalidate();  // a flat button shows its frame only under the pointer
        }
    }
    TGraphicControl::WndProc(Message);
}

void TSpeedButton::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    const bool pressed = Pressed();
    if (FFlat) {
        // Nothing behind the caption: the parent shows through.
        if (pressed) Canvas.Frame3D(r, clBtnShadow, clBtnHighlight);
        else if (FMouseInControl && IsEnabledForInput()) Canvas.Frame3D(r, clBtnHighlight, clBtnShadow);
    } else {
        if (pressed) {
            Canvas.Frame3D(r, cl3DDkShadow, clBtnHighlight);
            Canvas.Frame3D(r, clBtnShadow, cl3DLight);
        } else {
            Canvas.Frame3D(r, clBtnHighlight, cl3DDkShadow);
            Canvas.Frame3D(r, cl3DLight, clBtnShadow);
        }
        Canvas.Brush.Color = clBtnFace;
        Canvas.FillRect(r);
    }
    TRect text{0, 0, FWidth, FHeight};
    if (pressed) text = TRect{1, 1, FWidth + 1, FHeight + 1};
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Alignment = taCenter;
    f.Layout = tlCenter;
    f.Enabled = IsEnabledForInput();
    look::DrawCaption(Canvas, text, FText, f);
}

// ---------------------------------------------------------------------------
// TGlyph, TBitBtn

VCL_IMPLEMENT_CLASS(TGlyph)
void TGlyph::DescribeClass(ClassBuilder<TGlyph>&) {}

void TGlyph::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        "Data", [this](TReader& r) { FData = r.ReadBinary(); }, [this](TWriter& w) { w.WriteBinary(FData); },
        !FData.empty());
}

std::string TGlyph::ImageData() const { return FData.size() > 4 ? FData.substr(4) : std::string(); }

VCL_IMPLEMENT_CLASS(TBitBtn)
void TBitBtn::DescribeClass(ClassBuilder<TBitBtn>& c) {
    c.Property("DefaultCaption", &TBitBtn::FDefaultCaption).Default(false);
    c.Property("Glyph", &TBitBtn::Glyph, nullptr);
    c.Property("Images", &TBitBtn::Images, &TBitBtn::SetImages);
    c.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
    c.Property("Layout", &TBitBtn::FLayout).Default(blGlyphLeft);
    c.Property("Margin", &TBitBtn::FMargin).Default(-1);
    c.Property("NumGlyphs", &TBitBtn::FNumGlyphs).Default(1);
    c.Property("Spacing", &TBitBtn::FSpacing).Default(4);
    c.Property("Style", &TBitBtn::FStyle).Default(bsAutoDetect);
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

namespace {
struct TKindInfo {
    const char* Caption;
    int ModalResult;
};
constexpr TKindInfo kKinds[] = {
    {"", mrNone},        {"OK", mrOk},       {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},     {"&No", mrNo},      {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", 8},
};
}  // namespace

void TBitBtn::SetKind(TBitBtnKind v) {
    if (v == FKind) return;
    FKind = v;
    // The kind's modal result, unless one was chosen.
    if (ModalResult() == mrNone) SetModalResult(kKinds[v].ModalResult);
    if (v == bkOK || v == bkYes) SetDefault(true);
    if (v == bkCancel || v == bkNo) SetCancel(true);
    Invalidate();
}

AnsiString TBitBtn::ShownCaption() const {
    if (!FText.empty() || FKind == bkCustom) return FText;
    return kKinds[FKind].Caption;
}

void TBitBtn::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    const bool focused = Focused();
    look::ButtonFace(Canvas, r, Pressed(), Default() || focused);
    if (Pressed()) r = TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    look::UseFont(Canvas, *this);
    const AnsiString caption = ShownCaption();
    look::TTextFormat f;
    f.Enabled = IsEnabledForInput();
    TRect textSize = look::MeasureCaption(Canvas, TRect{0, 0, FWidth, FHeight}, caption, f);
    images::TImage image;
    const std::string data = FGlyph->ImageData();
    const bool glyph = !data.empty() && images::Decode(data, image) && image.Width > 0;
    const int32_t gw = glyph ? image.Width / std::max(1, FNumGlyphs) : 0, gh = glyph ? image.Height : 0;
    const int32_t spacing = glyph && !caption.empty() ? FSpacing : 0;
    const bool vertical = FLayout == blGlyphTop || FLayout == blGlyphBottom;
    const int32_t tw = textSize.Width(), th = textSize.Height();
    const int32_t totalW = vertical ? std::max(gw, tw) : gw + spacing + tw;
    const int32_t totalH = vertical ? gh + spacing + th : std::max(gh, th);
    int32_t x = r.Left + (r.Width() - totalW) / 2, y = r.Top + (r.Height() - totalH) / 2;
    TPoint glyphAt, textAt;
    switch (FLayout) {
        case blGlyphLeft: glyphAt = {x, y + (totalH - gh) / 2}; textAt = {x + gw + spacing, y + (totalH - th) / 2}; break;
        case blGlyphRight: textAt = {x, y + (totalH - th) / 2}; glyphAt = {x + tw + spacing, y + (totalH - gh) / 2}; break;
        case blGlyphTop: glyphAt = {x + (totalW - gw) / 2, y}; textAt = {x + (totalW - tw) / 2, y + gh + spacing}; break;
        case blGlyphBottom: textAt = {x + (totalW - tw) / 2, y}; glyphAt = {x + (totalW - gw) / 2, y + th + spacing}; break;
    }
    if (glyph) {
        // The first of NumGlyphs images side by side: clip to it.
        TRect clip = Canvas.Clip();
        const TPoint o = Canvas.Origin();
        TRect first = Bounds(o.x + glyphAt.x, o.y + glyphAt.y, gw, gh);
        TRect part{std::max(clip.Left, first.Left), std::max(clip.Top, first.Top), std::min(clip.Right, first.Right),
                   std::min(clip.Bottom, first.Bottom)};
        if (part.Left < part.Right && part.Top < part.Bottom) {
            Canvas.SetClip(part);
            Canvas.DrawImage(glyphAt.x, glyphAt.y, data);
            Canvas.SetClip(clip);
        }
    }
    look::DrawCaption(Canvas, Bounds(textAt.x, textAt.y, tw, th), caption, f);
    if (focused) Canvas.DrawFocusRect(TRect{4, 4, FWidth - 4, FHeight - 4});
}

void RegisterButtons() { RegisterClasses({TSpeedButton::StaticClass(), TBitBtn::StaticClass()}); }

}  // namespace vcl
