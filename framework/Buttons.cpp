#include "framework/Buttons.h"

#include "framework/Canvas.h"
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
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
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

void RegisterButtons() { RegisterClasses({TSpeedButton::StaticClass()}); }

}  // namespace vcl
