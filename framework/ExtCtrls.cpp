#include "framework/ExtCtrls.h"

#include <algorithm>
#include <cmath>

#include "framework/ActnList.h"
#include "framework/Buttons.h"
#include "framework/ComCtrls.h"
#include "framework/Spin.h"
#include "framework/Canvas.h"
#include "framework/ClassicLook.h"
#include "framework/Dialogs.h"
#include "framework/ImageCodec.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "framework/Streaming.h"

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
    c.Property("AutoSize", &TPanel::FAutoSize).Default(false);
    c.Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
    c.Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
    c.Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    c.Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
    c.Property("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle).Default(bsNone);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    // Lazarus stores the client size too; it follows from the size.
    c.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight).Stored(false);
    c.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth).Stored(false);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TPanel::IsColorStored).Default(clBtnFace);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TPanel::IsFontStored);
    c.Property("FullRepaint", &TPanel::FFullRepaint).Default(true);
    c.Property("Locked", &TPanel::FLocked).Default(false);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("ShowCaption", &TPanel::FShowCaption).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    c.Property("VerticalAlignment", &TPanel::FVerticalAlignment).Default(tlCenter);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnEnter", &TWinControl::OnEnter);
    c.Property("OnExit", &TWinControl::OnExit);
    PublishMouseEvents(c);
}

// ---------------------------------------------------------------------------
// TShape

VCL_IMPLEMENT_CLASS(TShapePen)
void TShapePen::DescribeClass(ClassBuilder<TShapePen>& c) {
    c.Property("Color", &TShapePen::Color).Default(clBlack);
    c.Property("Style", &TShapePen::Style).Default(TShapePenStyle::Solid);
    c.Property("Width", &TShapePen::Width).Default(1);
}

VCL_IMPLEMENT_CLASS(TShapeBrush)
void TShapeBrush::DescribeClass(ClassBuilder<TShapeBrush>& c) {
    c.Property("Color", &TShapeBrush::Color).Default(clWhite);
    c.Property("Style", &TShapeBrush::Style).Default(TShapeBrushStyle::Solid);
}

VCL_IMPLEMENT_CLASS(TShape)
void TShape::DescribeClass(ClassBuilder<TShape>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Brush", &TShape::Brush, nullptr);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Pen", &TShape::Pen, nullptr);
    c.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    PublishMouseEvents(c);
}

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
    FWidth = 65;
    FHeight = 65;
    FControlStyle >> csSetCaption;
}

void TShape::SetShape(TShapeType v) {
    if (v == FShape) return;
    FShape = v;
    Invalidate();
}

void TShape::Paint(TCanvas& Canvas) const {
    int32_t w = FWidth, h = FHeight, x = 0, y = 0;
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        int32_t side = std::min(w, h);
        x = (w - side) / 2;
        y = (h - side) / 2;
        w = h = side;
    }
    if (w <= 0 || h <= 0) return;
    const bool fill = FBrush->Style != TShapeBrushStyle::Clear;
    const bool outline = FPen->Style != TShapePenStyle::Clear && FPen->Width > 0;
    const int32_t pw = outline ? std::max(1, FPen->Width) : 0;
    const TColor penColor = FPen->Color, brushColor = FBrush->Color;
    if (FShape == stRectangle || FShape == stSquare) {
        TRect r = Bounds(x, y, w, h);
        if (outline) Canvas.Frame3D(r, penColor, penColor, pw);
        if (fill) {
            Canvas.Brush.Color = brushColor;
            Canvas.FillRect(r);
        }
        return;
    }
    // Rounded boxes and ellipses, a row at a time: inside the curve is
    // filled, within the pen's width of it is outlined.
    const bool ellipse = FShape == stEllipse || FShape == stCircle;
    const double radius = ellipse ? 0 : std::min(w, h) / 4.0;
    auto inside = [&](double px, double py, double inset) {
        const double l = inset, t = inset, r = w - inset, b = h - inset;
        if (px < l || px > r || py < t || py > b) return false;
        if (ellipse) {
            const double rx = (r - l) / 2, ry = (b - t) / 2;
            if (rx <= 0 || ry <= 0) return false;
            const double dx = (px - (l + rx)) / rx, dy = (py - (t + ry)) / ry;
            return dx * dx + dy * dy <= 1.0;
        }
        const double rr = std::max(0.0, radius - inset);
        const double cx = std::clamp(px, l + rr, r - rr), cy = std::clamp(py, t + rr, b - rr);
        return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= rr * rr;
    };
    for (int32_t py = 0; py < h; ++py)
        for (int32_t px = 0; px < w; ++px) {
            const double cx = px + 0.5, cy = py + 0.5;
            if (!inside(cx, cy, 0)) continue;
            if (outline && !inside(cx, cy, pw)) Canvas.Pixel(x + px, y + py, penColor);
            else if (fill) Canvas.Pixel(x + px, y + py, brushColor);
        }
}

// ---------------------------------------------------------------------------
// TPicture, TImage

VCL_IMPLEMENT_CLASS(TPicture)
void TPicture::DescribeClass(ClassBuilder<TPicture>&) {}

void TPicture::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        "Data", [this](TReader& r) { FData = r.ReadBinary(); }, [this](TWriter& w) { w.WriteBinary(FData); },
        !FData.empty());
}

std::string TPicture::ImageData() const {
    // A short string with the graphic's class name, then its own data: a
    // bitmap's starts with its size in four bytes.
    if (FData.empty()) return {};
    const size_t nameLength = static_cast<unsigned char>(FData[0]);
    if (1 + nameLength > FData.size()) return {};
    const std::string name = FData.substr(1, nameLength);
    std::string rest = FData.substr(1 + nameLength);
    if (name == "TBitmap" && rest.size() >= 4) rest.erase(0, 4);
    return rest;
}

VCL_IMPLEMENT_CLASS(TImage)
void TImage::DescribeClass(ClassBuilder<TImage>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("AutoSize", &TImage::FAutoSize).Default(false);
    c.Property("Center", &TImage::FCenter).Default(false);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Picture", &TImage::Picture, nullptr);
    c.Property("Proportional", &TImage::FProportional).Default(false);
    c.Property("Stretch", &TImage::FStretch).Default(false);
    c.Property("Transparent", &TImage::FTransparent).Default(false);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    PublishMouseEvents(c);
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
    FWidth = 105;
    FHeight = 105;
    FControlStyle >> csSetCaption;
}

void TImage::Paint(TCanvas& Canvas) const {
    const std::string data = FPicture->ImageData();
    if (data.empty()) return;
    int32_t x = 0, y = 0;
    if (FCenter) {
        // Measured by drawing outside the clip first would cost a decode more;
        // the picture's own header gives its size.
        images::TImage image;
        if (!images::Decode(data, image)) return;
        x = (FWidth - image.Width) / 2;
        y = (FHeight - image.Height) / 2;
    }
    Canvas.DrawImage(x, y, data);
}

// ---------------------------------------------------------------------------
// TSplitter

VCL_IMPLEMENT_CLASS(TSplitter)
void TSplitter::DescribeClass(ClassBuilder<TSplitter>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alLeft);
    c.Property("AutoSnap", &TSplitter::FAutoSnap).Default(true);
    c.Property("Beveled", &TSplitter::FBeveled).Default(bvNone);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TSplitter::IsColorStored);
    c.Property("MinSize", &TSplitter::FMinSize).Default(30);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ResizeStyle", &TSplitter::FResizeStyle).Default(rsPattern);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    PublishMouseEvents(c);
}

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    FWidth = 3;
    FHeight = 100;
    FAlign = alLeft;
    FCursor = crHSplit;
    FControlStyle >> csSetCaption;
}

void TSplitter::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    if (FBeveled != bvNone) Canvas.Frame3D(r, clBtnHighlight, clBtnShadow);
}

// ---------------------------------------------------------------------------
// TCustomRadioGroup

namespace {
// The items of a radio group: any change repaints it.
class TRadioGroupStrings : public TStringList {
    VCL_CLASS(TRadioGroupStrings, TStringList)
    explicit TRadioGroupStrings(TCustomRadioGroup* Group) : FGroup(Group) {}

protected:
    void Changed() override {
        TStringList::Changed();
        FGroup->Invalidate();
    }

private:
    TCustomRadioGroup* FGroup;
};
VCL_IMPLEMENT_CLASS(TRadioGroupStrings)
void TRadioGroupStrings::DescribeClass(ClassBuilder<TRadioGroupStrings>&) {}
}  // namespace

VCL_IMPLEMENT_CLASS(TCustomRadioGroup)
void TCustomRadioGroup::DescribeClass(ClassBuilder<TCustomRadioGroup>&) {}

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(new TRadioGroupStrings(this)) {
    FTabStop = true;
}

TCustomRadioGroup::~TCustomRadioGroup() { FItems->Free(); }

void TCustomRadioGroup::SetItemIndex(int v) {
    if (!IsLoading() && (v < -1 || v >= FItems->Count())) v = -1;
    if (v == FItemIndex) return;
    FItemIndex = v;
    Invalidate();
    if (!IsLoading()) Click();
}

void TCustomRadioGroup::SetColumns(int v) {
    v = std::clamp(v, 1, 16);
    if (v == FColumns) return;
    FColumns = v;
    Invalidate();
}

TRect TCustomRadioGroup::ItemRect(int Index) const {
    const int count = FItems->Count();
    if (Index < 0 || Index >= count) return {};
    // Below the caption line, rows of equal height filling the box.
    const int32_t top = 16, left = 8, bottom = FHeight - 4, right = FWidth - 4;
    const int rows = (count + FColumns - 1) / FColumns;
    const int32_t rowHeight = std::max<int32_t>(1, (bottom - top) / std::max(rows, 1));
    const int32_t colWidth = std::max<int32_t>(1, (right - left) / FColumns);
    const int col = Index / rows, row = Index % rows;
    return Bounds(left + col * colWidth, top + row * rowHeight, colWidth, rowHeight);
}

void TCustomRadioGroup::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft)
        for (int i = 0; i < FItems->Count(); ++i)
            if (ItemRect(i).Contains(TPoint{X + FClientInsets.Left, Y + FClientInsets.Top})) {
                TWeakRef<TCustomRadioGroup> self(this);
                SetItemIndex(i);
                if (!self) return;
                break;
            }
    TCustomGroupBox::MouseDown(Button, Shift, X, Y);
}

void TCustomRadioGroup::Paint(TCanvas& Canvas) const {
    TCustomGroupBox::Paint(Canvas);
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Layout = tlCenter;
    f.Enabled = IsEnabledForInput();
    for (int i = 0; i < FItems->Count(); ++i) {
        TRect cell = ItemRect(i);
        const int32_t y = cell.Top + (cell.Height() - look::kRadioSize) / 2;
        look::RadioButton(Canvas, cell.Left, y, i == FItemIndex, !f.Enabled);
        look::DrawCaption(Canvas, TRect{cell.Left + look::kRadioSize + 4, cell.Top, cell.Right, cell.Bottom},
                          FItems->Get(i), f);
    }
}

VCL_IMPLEMENT_CLASS(TRadioGroup)
void TRadioGroup::DescribeClass(ClassBuilder<TRadioGroup>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("AutoFill", &TRadioGroup::FAutoFill).Default(false);
    c.Property("AutoSize", &TRadioGroup::FAutoSize).Default(false);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight).Stored(false);
    c.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth).Stored(false);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TRadioGroup::IsColorStored);
    c.Property("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns).Default(1);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TRadioGroup::IsFontStored);
    c.Property("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems);
    c.Property("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex).Default(-1);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnEnter", &TWinControl::OnEnter);
    c.Property("OnExit", &TWinControl::OnExit);
}

// ---------------------------------------------------------------------------
// TLabeledEdit

VCL_IMPLEMENT_CLASS(TBoundLabel)
void TBoundLabel::DescribeClass(ClassBuilder<TBoundLabel>&) {}

TBoundLabel::TBoundLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}

VCL_IMPLEMENT_CLASS(TEditLabelProps)
void TEditLabelProps::DescribeClass(ClassBuilder<TEditLabelProps>& c) {
    using P = TEditLabelProps;
    c.Property("AnchorSideLeft", &P::AnchorSideLeft, nullptr);
    c.Property("AnchorSideTop", &P::AnchorSideTop, nullptr);
    c.Property("AnchorSideRight", &P::AnchorSideRight, nullptr);
    c.Property("AnchorSideBottom", &P::AnchorSideBottom, nullptr);
    c.Property("BorderSpacing", &P::BorderSpacing, nullptr);
    // Where the label is follows from the edit's place and LabelPosition.
    c.Property("Left", &P::Left, &P::SetLeft).Stored(false);
    c.Property("Top", &P::Top, &P::SetTop).Stored(false);
    c.Property("Width", &P::Width, &P::SetWidth);
    c.Property("Height", &P::Height, &P::SetHeight);
    c.Property("Caption", &P::Caption, &P::SetCaption);
    c.Property("Color", &P::Color, &P::SetColor).Stored(&P::IsColorStored);
    c.Property("Font", &P::Font, &P::SetFont).Stored(&P::IsFontStored);
    c.Property("Layout", &P::Layout, &P::SetLayout).Default(tlTop);
    c.Property("ParentColor", &P::ParentColor, &P::SetParentColor).Default(true);
    c.Property("ParentFont", &P::ParentFont, &P::SetParentFont).Default(true);
    c.Property("Transparent", &P::Transparent, &P::SetTransparent).Default(false);
    c.Property("WordWrap", &P::WordWrap, &P::SetWordWrap).Default(false);
}

TEditLabelProps::~TEditLabelProps() {
    if (FStandIn) FStandIn->Free();
}

TBoundLabel* TEditLabelProps::L() const {
    if (TBoundLabel* l = FLabel.Get()) return l;
    if (!FStandIn) FStandIn = new TBoundLabel(nullptr);
    return FStandIn;
}

VCL_IMPLEMENT_CLASS(TLabeledEdit)
void TLabeledEdit::DescribeClass(ClassBuilder<TLabeledEdit>& c) {
    c.Property("EditLabel", &TLabeledEdit::EditLabelProps, nullptr);
    c.Property("LabelPosition", &TLabeledEdit::LabelPosition, &TLabeledEdit::SetLabelPosition).Default(lpAbove);
    c.Property("LabelSpacing", &TLabeledEdit::LabelSpacing, &TLabeledEdit::SetLabelSpacing).Default(3);
    PublishEditProperties(c);
}

TLabeledEdit::TLabeledEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    // The label belongs to the edit: it is not written as a component of
    // the form, only through EditLabel.
    auto* label = new TBoundLabel(this);
    FEditLabel = label;
    FEditLabelProps.reset(new TEditLabelProps(label));
}

TLabeledEdit::~TLabeledEdit() = default;

void TLabeledEdit::SetLabelPosition(TLabelPosition v) {
    FLabelPosition = v;
    PlaceLabel();
}

void TLabeledEdit::SetLabelSpacing(int32_t v) {
    FLabelSpacing = v;
    PlaceLabel();
}

void TLabeledEdit::SetParent(TWinControl* AParent) {
    TCustomEdit::SetParent(AParent);
    if (TBoundLabel* l = EditLabel()) {
        l->SetParent(AParent);
        PlaceLabel();
    }
}

void TLabeledEdit::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceLabel();
}

void TLabeledEdit::SetName(const AnsiString& NewName) {
    TCustomEdit::SetName(NewName);
    // A fresh label shows the edit's name, as the designer makes one.
    if (TBoundLabel* l = EditLabel(); l && !IsLoading() && l->Caption().empty()) l->SetCaption(NewName);
}

void TLabeledEdit::Loaded() {
    TCustomEdit::Loaded();
    PlaceLabel();
}

void TLabeledEdit::VisibleChanged() {
    TCustomEdit::VisibleChanged();
    if (TBoundLabel* l = EditLabel()) l->SetVisible(Visible());
}

void TLabeledEdit::PlaceLabel() {
    TBoundLabel* l = EditLabel();
    if (!l) return;
    switch (FLabelPosition) {
        case lpAbove: l->SetBounds(FLeft, FTop - l->Height() - FLabelSpacing, l->Width(), l->Height()); break;
        case lpBelow: l->SetBounds(FLeft, FTop + FHeight + FLabelSpacing, l->Width(), l->Height()); break;
        case lpLeft:
            l->SetBounds(FLeft - l->Width() - FLabelSpacing, FTop + (FHeight - l->Height()) / 2, l->Width(), l->Height());
            break;
        case lpRight:
            l->SetBounds(FLeft + FWidth + FLabelSpacing, FTop + (FHeight - l->Height()) / 2, l->Width(), l->Height());
            break;
    }
}

void RegisterExtControls() {
    RegisterClasses({TBevel::StaticClass(), TPanel::StaticClass(), TTimer::StaticClass(), TShape::StaticClass(),
                     TImage::StaticClass(), TSplitter::StaticClass(), TRadioGroup::StaticClass(),
                     TLabeledEdit::StaticClass()});
    // The other units' classes come along, so that tools that load any
    // form file need no list of their own.
    RegisterMenus();
    RegisterActions();
    RegisterImageLists();
    RegisterDialogs();
    RegisterComCtrls();
    RegisterSpinEdits();
    RegisterButtons();
    RegisterStdControls();
}

}  // namespace vcl
