// Speed buttons: graphic push buttons, flat or raised.
#pragma once

#include "framework/Controls.h"
#include "framework/ImgList.h"
#include "framework/StdCtrls.h"

namespace vcl {

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

// A button's glyph as form files store a bitmap (Glyph.Data: its size in
// four bytes, then the bitmap file), kept byte for byte.
class TGlyph : public TPersistent {
    VCL_CLASS(TGlyph, TPersistent)
    TGlyph() = default;
    void DefineProperties(TFiler& Filer) override;
    // The bitmap file inside the stored data (empty without one).
    std::string ImageData() const;

private:
    std::string FData;
};

// Pressed while the left button is held over it; clicked when released over
// it. With a GroupIndex it stays down, one of its group at a time (the
// speed buttons of the same parent with the same GroupIndex); a click on
// the one down raises it only when AllowAllUp. Down is always false with
// GroupIndex 0.
class TSpeedButton : public TGraphicControl {
    VCL_CLASS(TSpeedButton, TGraphicControl)
    explicit TSpeedButton(TComponent* AOwner);

    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    // Shared by the group: setting it on one sets it on all.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    // Drawn pressed: held down by the mouse, or Down.
    bool Pressed() const { return FPressed || FDown; }
    // The pointer is over it (a flat button shows its frame then).
    bool MouseInControl() const { return FMouseInControl; }
    void Click() override;
    // Follows CM_MOUSEENTER and CM_MOUSELEAVE, then passes them on.
    void WndProc(TMessage& Message) override;
    // Flat: the caption alone over the parent, with a thin raised frame
    // while the pointer is over it; otherwise a raised face. Pressed, it is
    // sunken and the caption moves a pixel down and right.
    void Paint(TCanvas& Canvas) const override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;

private:
    // Lets the others of the group up, and shares AllowAllUp with them.
    void UpdateExclusive();
    void SetDownState(bool v);
    void SetPressedState(bool v);
    bool FDragging = false;  // the left button went down here and is held
    bool FFlat = false;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FPressed = false;
    bool FMouseInControl = false;
    // Kept as stored.
    std::unique_ptr<TGlyph> FGlyph{new TGlyph()};
    TGlyph* Glyph() const { return FGlyph.get(); }
    int32_t FImageIndex = -1;
    AnsiString FImageName;
    TWeakRef<TCustomImageList> FImages;
    TCustomImageList* Images() const { return FImages.Get(); }
    void SetImages(TCustomImageList* v) { FImages = v; }
    TButtonLayout FLayout = blGlyphLeft;
    int32_t FMargin = -1;
    int32_t FNumGlyphs = 1;
    int32_t FSpacing = 4;
    bool FTransparent = true;
};

// A push button with a glyph beside its caption. A Kind other than
// bkCustom gives the button its standard caption (when it has none) and
// modal result.
class TBitBtn : public TButton {
    VCL_CLASS(TBitBtn, TButton)
    explicit TBitBtn(TComponent* AOwner);
    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind v);
    TGlyph* Glyph() const { return FGlyph.get(); }
    // The button face, the glyph (its first image of NumGlyphs) placed by
    // Layout, Spacing pixels from the caption.
    void Paint(TCanvas& Canvas) const override;
    // The caption shown: the kind's own when the caption is empty.
    AnsiString ShownCaption() const;

private:
    std::unique_ptr<TGlyph> FGlyph{new TGlyph()};
    TBitBtnKind FKind = bkCustom;
    TButtonLayout FLayout = blGlyphLeft;
    int32_t FMargin = -1;
    int32_t FNumGlyphs = 1;
    int32_t FSpacing = 4;
    TButtonStyle FStyle = bsAutoDetect;
    bool FDefaultCaption = false;
    TWeakRef<TCustomImageList> FImages;
    TCustomImageList* Images() const { return FImages.Get(); }
    void SetImages(TCustomImageList* v) { FImages = v; }
};

// Registers TSpeedButton and TBitBtn for form files; calling it again does
// no harm.
void RegisterButtons();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore,
              bkAll)
VCL_ENUM_INFO(vcl::TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
VCL_ENUM_INFO(vcl::TButtonStyle, bsAutoDetect, bsWin31, bsNew)
