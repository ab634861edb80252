// Speed buttons: graphic push buttons, flat or raised.
#pragma once

#include "framework/Controls.h"

namespace vcl {

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
};

// Registers TSpeedButton for form files; calling it again does no harm.
void RegisterButtons();

}  // namespace vcl
