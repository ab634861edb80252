// Bevels and panels.
#pragma once

#include "framework/Controls.h"
#include "framework/StdCtrls.h"
#include "framework/Timers.h"

namespace vcl {

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };
using TPanelBevel = TBevelCut;

// A box, frame or line drawn sunken (bsLowered) or raised; it takes no
// input of its own and shows no caption.
class TBevel : public TGraphicControl {
    VCL_CLASS(TBevel, TGraphicControl)
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle v);
    // Shadow and highlight lines: the box or frame round the bounds, or one
    // line along an edge.
    void Paint(TCanvas& Canvas) const override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

// A container with a 3-D frame and a caption (centred by default; a panel
// made at run time shows its name). From the outside in: BorderStyle
// bsSingle is a 2-pixel sunken edge outside the client area; BevelOuter
// and BevelInner each take BevelWidth pixels unless bvNone, with
// BorderWidth pixels between them. Aligned children keep inside all of it.
class TCustomPanel : public TWinControl {
    VCL_CLASS(TCustomPanel, TWinControl)
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel v);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // The border, the bevels, the Color fill and the caption, vertically
    // centred inside the bevels.
    void Paint(TCanvas& Canvas) const override;

protected:
    // Aligned children keep clear of the bevels and the border.
    void AdjustClientRect(TRect& Rect) const override;

private:
    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;

protected:
    bool FFullRepaint = true;
    bool FLocked = false;
    bool FShowCaption = true;
    TTextLayout FVerticalAlignment = tlCenter;
};

class TPanel : public TCustomPanel {
    VCL_CLASS(TPanel, TCustomPanel)
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

// The pen and brush a shape draws with, as form files store them (their
// styles with all the names the VCL has; the canvas draws the few it knows).
enum class TShapePenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame, UserStyle, Alternate };
enum class TShapeBrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
class TShapePen : public TPersistent {
    VCL_CLASS(TShapePen, TPersistent)
    TShapePen() = default;
    TColor Color = clBlack;
    TShapePenStyle Style = TShapePenStyle::Solid;
    int32_t Width = 1;
};
class TShapeBrush : public TPersistent {
    VCL_CLASS(TShapeBrush, TPersistent)
    TShapeBrush() = default;
    TColor Color = clWhite;
    TShapeBrushStyle Style = TShapeBrushStyle::Solid;
};

// A rectangle, square, rounded box, ellipse or circle, outlined with Pen and
// filled with Brush.
class TShape : public TGraphicControl {
    VCL_CLASS(TShape, TGraphicControl)
    explicit TShape(TComponent* AOwner);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v);
    TShapePen* Pen() const { return FPen.get(); }
    TShapeBrush* Brush() const { return FBrush.get(); }
    void Paint(TCanvas& Canvas) const override;

private:
    TShapeType FShape = stRectangle;
    std::unique_ptr<TShapePen> FPen{new TShapePen()};
    std::unique_ptr<TShapeBrush> FBrush{new TShapeBrush()};
};

// A picture as the form file stores it (Picture.Data: the graphic's class
// name and its data); drawn when it is a bitmap or icon the canvas reads.
class TPicture : public TPersistent {
    VCL_CLASS(TPicture, TPersistent)
    TPicture() = default;
    void DefineProperties(TFiler& Filer) override;
    const std::string& Data() const { return FData; }
    // The graphic's data after its class name, as the canvas draws it.
    std::string ImageData() const;

private:
    std::string FData;
};

class TImage : public TGraphicControl {
    VCL_CLASS(TImage, TGraphicControl)
    explicit TImage(TComponent* AOwner);
    TPicture* Picture() const { return FPicture.get(); }
    // The picture at the top left (centred with Center); nothing without one.
    void Paint(TCanvas& Canvas) const override;

private:
    std::unique_ptr<TPicture> FPicture{new TPicture()};
    bool FCenter = false;
    bool FProportional = false;
    bool FStretch = false;
    bool FTransparent = false;
};

// A bar the user drags to resize the control aligned before it (not here:
// it keeps its place); drawn as a plain face-coloured bar.
class TSplitter : public TGraphicControl {
    VCL_CLASS(TSplitter, TGraphicControl)
    explicit TSplitter(TComponent* AOwner);
    void Paint(TCanvas& Canvas) const override;

private:
    bool FAutoSnap = true;
    TPanelBevel FBeveled = bvNone;
    int32_t FMinSize = 30;
    TResizeStyle FResizeStyle = rsPattern;
};

// A group box of radio buttons, one for each of Items, laid out in Columns;
// ItemIndex is the checked one.
class TCustomRadioGroup : public TCustomGroupBox {
    VCL_CLASS(TCustomRadioGroup, TCustomGroupBox)
    explicit TCustomRadioGroup(TComponent* AOwner);
    ~TCustomRadioGroup() override;
    TStrings* Items() const { return FItems; }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    // The group box, then each item's circle and caption in its cell.
    void Paint(TCanvas& Canvas) const override;
    // The cell of item Index (control coordinates).
    TRect ItemRect(int Index) const;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    TStrings* FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FAutoFill = false;
};

class TRadioGroup : public TCustomRadioGroup {
    VCL_CLASS(TRadioGroup, TCustomRadioGroup)
    explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };

// The label of a labeled edit: a sub-component stored as EditLabel.
class TBoundLabel : public TCustomLabel {
    VCL_CLASS(TBoundLabel, TCustomLabel)
    explicit TBoundLabel(TComponent* AOwner);
};

// What form files store of a labeled edit's label (EditLabel.Caption and
// the like): each property is the label's own.
class TEditLabelProps : public TPersistent {
    VCL_CLASS(TEditLabelProps, TPersistent)
    explicit TEditLabelProps(TBoundLabel* Label = nullptr) : FLabel(Label) {}
    ~TEditLabelProps() override;
    AnsiString Caption() const { return L()->Caption(); }
    void SetCaption(const AnsiString& v) { L()->SetCaption(v); }
    int32_t Left() const { return L()->Left(); }
    void SetLeft(int32_t v) { L()->SetLeft(v); }
    int32_t Top() const { return L()->Top(); }
    void SetTop(int32_t v) { L()->SetTop(v); }
    int32_t Width() const { return L()->Width(); }
    void SetWidth(int32_t v) { L()->SetWidth(v); }
    int32_t Height() const { return L()->Height(); }
    void SetHeight(int32_t v) { L()->SetHeight(v); }
    TFont* Font() const { return L()->Font(); }
    void SetFont(TFont* v) { L()->SetFont(v); }
    bool ParentFont() const { return L()->ParentFont(); }
    void SetParentFont(bool v) { L()->SetParentFont(v); }
    bool ParentColor() const { return L()->ParentColor(); }
    void SetParentColor(bool v) { L()->SetParentColor(v); }
    TColor Color() const { return L()->Color(); }
    void SetColor(TColor v) { L()->SetColor(v); }
    bool Transparent() const { return L()->Transparent(); }
    void SetTransparent(bool v) { L()->SetTransparent(v); }
    bool WordWrap() const { return L()->WordWrap(); }
    void SetWordWrap(bool v) { L()->SetWordWrap(v); }
    TTextLayout Layout() const { return L()->Layout(); }
    void SetLayout(TTextLayout v) { L()->SetLayout(v); }
    TAnchorSide* AnchorSideLeft() const { return L()->AnchorSideLeft(); }
    TAnchorSide* AnchorSideTop() const { return L()->AnchorSideTop(); }
    TAnchorSide* AnchorSideRight() const { return L()->AnchorSideRight(); }
    TAnchorSide* AnchorSideBottom() const { return L()->AnchorSideBottom(); }
    TControlBorderSpacing* BorderSpacing() const { return L()->BorderSpacing(); }
    bool IsFontStored() const { return !L()->ParentFont(); }
    bool IsColorStored() const { return !L()->ParentColor(); }

private:
    // The label, or a stand-in once it is gone (its parent freed it).
    TBoundLabel* L() const;
    TWeakRef<TBoundLabel> FLabel;
    mutable TBoundLabel* FStandIn = nullptr;
};

// An edit box with its label (above by default, LabelSpacing pixels away),
// which follows it when it moves.
class TLabeledEdit : public TCustomEdit {
    VCL_CLASS(TLabeledEdit, TCustomEdit)
    explicit TLabeledEdit(TComponent* AOwner);
    ~TLabeledEdit() override;
    TBoundLabel* EditLabel() const { return FEditLabel.Get(); }
    TEditLabelProps* EditLabelProps() const { return FEditLabelProps.get(); }
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int32_t LabelSpacing() const { return FLabelSpacing; }
    void SetLabelSpacing(int32_t v);
    void SetParent(TWinControl* AParent) override;
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void SetName(const AnsiString& NewName) override;
    void Loaded() override;

protected:
    void VisibleChanged() override;

private:
    void PlaceLabel();
    TWeakRef<TBoundLabel> FEditLabel;
    std::unique_ptr<TEditLabelProps> FEditLabelProps;
    TLabelPosition FLabelPosition = lpAbove;
    int32_t FLabelSpacing = 3;
};

// Registers TBevel, TPanel, TTimer, TShape, TImage, TSplitter, TRadioGroup
// and TLabeledEdit for form files, and the classes of the other units
// (menus, actions, image lists, dialogs, common controls, spin edits, bit
// buttons) with them; calling it again does no harm.
void RegisterExtControls();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
VCL_ENUM_INFO(vcl::TBevelStyle, bsLowered, bsRaised)
VCL_ENUM_INFO(vcl::TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)
VCL_ENUM_INFO(vcl::TResizeStyle, rsNone, rsLine, rsUpdate, rsPattern)
VCL_ENUM_INFO(vcl::TLabelPosition, lpAbove, lpBelow, lpLeft, lpRight)
template <>
struct vcl::TypeInfoTraits<vcl::TShapePenStyle> {
    static const vcl::TTypeInfo* Get() {
        static const vcl::TTypeInfo* info = vcl::MakeEnumTypeInfo(
            "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame",
                          "psUserStyle", "psAlternate"});
        return info;
    }
};
template <>
struct vcl::TypeInfoTraits<vcl::TShapeBrushStyle> {
    static const vcl::TTypeInfo* Get() {
        static const vcl::TTypeInfo* info = vcl::MakeEnumTypeInfo(
            "TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
                            "bsCross", "bsDiagCross"});
        return info;
    }
};
