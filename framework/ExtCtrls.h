// Bevels and panels.
#pragma once

#include "framework/Controls.h"
#include "framework/Timers.h"

namespace vcl {

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

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
};

class TPanel : public TCustomPanel {
    VCL_CLASS(TPanel, TCustomPanel)
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

// Registers TBevel, TPanel and TTimer for form files; calling it again does
// no harm.
void RegisterExtControls();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
VCL_ENUM_INFO(vcl::TBevelStyle, bsLowered, bsRaised)
VCL_ENUM_INFO(vcl::TPanelBevel, bvNone, bvLowered, bvRaised, bvSpace)
