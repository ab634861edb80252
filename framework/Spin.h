// Spin edits: an edit box with up and down arrows that step its value.
#pragma once

#include "framework/StdCtrls.h"

namespace vcl {

// The arrows step Value by Increment within MinValue and MaxValue (no limit
// when both are 0); the text shows the value. Up and Down keys step too.
class TSpinEdit : public TCustomEdit {
    VCL_CLASS(TSpinEdit, TCustomEdit)
    explicit TSpinEdit(TComponent* AOwner);
    int32_t Value() const { return FValue; }
    void SetValue(int32_t v);
    int32_t MinValue = 0, MaxValue = 0, Increment = 1;
    // The edit field, with the two arrow buttons at its right end.
    void Paint(TCanvas& Canvas) const override;

protected:
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void Loaded() override;
    void TextChanged() override;

private:
    int32_t Clamp(int64_t v) const;
    void Step(int Direction);
    int32_t FValue = 0;
    bool FEditorEnabled = true;
    bool FSettingText = false;
};

class TFloatSpinEdit : public TCustomEdit {
    VCL_CLASS(TFloatSpinEdit, TCustomEdit)
    explicit TFloatSpinEdit(TComponent* AOwner);
    double Value() const { return FValue; }
    void SetValue(double v);
    double MinValue = 0, MaxValue = 100, Increment = 1;
    int32_t DecimalPlaces() const { return FDecimalPlaces; }
    void SetDecimalPlaces(int32_t v);
    void Paint(TCanvas& Canvas) const override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void Loaded() override;

private:
    void ShowValue();
    double FValue = 0;
    int32_t FDecimalPlaces = 2;
};

// Registers TSpinEdit and TFloatSpinEdit.
void RegisterSpinEdits();

}  // namespace vcl
