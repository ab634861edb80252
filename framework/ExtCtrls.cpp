#include "framework/ExtCtrls.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/ClassicLook.h"

namespace vcl {

// ---------------------------------------------------------------------------
// TBevel

VCL_IMPLEMENT_CLASS(TBevel)
void TBevel::DescribeClass(ClassBuilder<TBevel>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
    c.Property("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FWidth = 50;
    FHeight = 50;
    FControlStyle >> csSetCaption;  // a bevel shows no text
}

void TBevel::SetShape(TBevelShape v) {
    if (v == FShape) return;
    FShape = v;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    Invalidate();
}

void TBevel::Paint(TCanvas& Canvas) const {
    const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;  // top and left
    const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const int32_t w = FWidth, h = FHeight;
    auto line = [&](TColor c, TRect r) {
        Canvas.Brush.Color = c;
        Canvas.FillRect(r);
    };
    switch (FShape) {
        case bsBox: {
            TRect r{0, 0, w, h};
            Canvas.Frame3D(r, first, second);
            break;
        }
        case bsFrame: {
            // Etched: a line of each colour, the second a pixel down and right.
            Canvas.Brush.Color = second;
            Canvas.FrameRect(TRect{1, 1, w, h});
            Canvas.Brush.Color = first;
            Canvas.FrameRect(TRect{0, 0, w - 1, h - 1});
            break;
        }
        case bsTopLine:
            line(first, TRect{0, 0, w, 1});
            line(second, TRect{0, 1, w, 2});
            break;
        case bsBottomLine:
            line(first, TRect{0, h - 2, w, h - 1});
            line(second, TRect{0, h - 1, w, h});
            break;
        case bsLeftLine:
            line(first, TRect{0, 0, 1, h});
            line(second, TRect{1, 0, 2, h});
            break;
        case bsRightLine:
            line(first, TRect{w - 2, 0, w - 1, h});
            line(second, TRect{w - 1, 0, w, h});
            break;
        case bsSpacer: break;
    }
}

// ---------------------------------------------------------------------------
// TCustomPanel

VCL_IMPLEMENT_CLASS(TCustomPanel)
void TCustomPanel::DescribeClass(ClassBuilder<TCustomPanel>&) {}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 185;
    FHeight = 41;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks};
    // A panel keeps its own face colour on a coloured parent unless told to
    // follow it; form files store ParentColor = True where one does.
    FParentColor = false;
}

void TCustomPanel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel v) {
    if (v == FBevelInner) return;
    FBevelInner = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel v) {
    if (v == FBevelOuter) return;
    FBevelOuter = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int v) {
    v = ClampCoord(v, 1);
    if (v == FBevelWidth) return;
    FBevelWidth = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int v) {
    v = ClampCoord(v, 0);
    if (v == FBorderWidth) return;
    FBorderWidth = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
    if (v != bsNone) v = bsSingle;
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    // A single border is the sunken 3-D edge: two pixels each side.
    SetClientInsets(v == bsSingle ? TRect{2, 2, 2, 2} : TRect{});
    Realign();
    Invalidate();
}


void TCustomPanel::AdjustClientRect(TRect& Rect) const {
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    Rect.Left += inset;
    Rect.Top += inset;
    Rect.Right = std::max(Rect.Left, Rect.Right - inset);
    Rect.Bottom = std::max(Rect.Top, Rect.Bottom - inset);
}

void TCustomPanel::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (FBorderStyle == bsSingle) look::SunkenEdge(Canvas, r);
    auto bevel = [&](TPanelBevel b) {
        switch (b) {
            case bvNone: return;
            case bvLowered: Canvas.Frame3D(r, clBtnShadow, clBtnHighlight, FBevelWidth); return;
            case bvRaised: Canvas.Frame3D(r, clBtnHighlight, clBtnShadow, FBevelWidth); return;
            case bvSpace: Canvas.Frame3D(r, FColor, FColor, FBevelWidth); return;
        }
    };
    bevel(FBevelOuter);
    Canvas.Frame3D(r, FColor, FColor, FBorderWidth);
    bevel(FBevelInner);
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Alignment = FAlignment;
    f.Layout = tlCenter;
    f.Enabled = IsEnabledForInput();
    look::DrawCaption(Canvas, r, FText, f);
}

VCL_IMPLEMENT_CLASS(TPanel)
void TPanel::DescribeClass(ClassBuilder<TPanel>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(taCenter);
    c.Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
    c.Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
    c.Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    c.Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
    c.Property("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle).Default(bsNone);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TPanel::IsColorStored).Default(clBtnFace);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TPanel::IsFontStored);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnEnter", &TWinControl::OnEnter);
    c.Property("OnExit", &TWinControl::OnExit);
    PublishMouseEvents(c);
}

void RegisterExtControls() { RegisterClasses({TBevel::StaticClass(), TPanel::StaticClass(), TTimer::StaticClass()}); }

}  // namespace vcl
