// The check list box: a list box with a check box in front of every item.
#pragma once

#include "framework/StdCtrls.h"

namespace vcl {

// A user's toggle (a click on an item's check box, or Space on the selected
// item) moves the mark on as a check box's does (NextCheckState) and raises
// OnClickCheck; marks set by program never
// raise it. A mark belongs to its item: it moves when items are inserted
// above it.
class TCheckListBox : public TCustomListBox {
    VCL_CLASS(TCheckListBox, TCustomListBox)
    explicit TCheckListBox(TComponent* AOwner);

    bool GetChecked(int Index) const;
    void SetChecked(int Index, bool Checked);
    TCheckBoxState GetState(int Index) const;
    void SetState(int Index, TCheckBoxState State);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }
    // Width of the check box area at the left of each item.
    int CheckWidth() const;

    TNotifyEvent OnClickCheck;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    // The item's check box in its first CheckWidth pixels, then its text.
    void DrawItem(TCanvas& Canvas, int Index, TRect R) const override;

private:
    void ToggleByUser(int Index);
    bool FAllowGrayed = false;
};

// Registers TCheckListBox for form files; calling it again does no harm.
void RegisterCheckListBox();

}  // namespace vcl
