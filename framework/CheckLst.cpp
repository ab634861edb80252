#include "framework/CheckLst.h"

#include "framework/Canvas.h"
#include "framework/ClassicLook.h"

namespace vcl {

VCL_IMPLEMENT_CLASS(TCheckListBox)
void TCheckListBox::DescribeClass(ClassBuilder<TCheckListBox>& c) {
    c.Property("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed).Default(false);
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle).Default(bsSingle);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clWindow).Stored(&TCheckListBox::IsColorStored);
    c.Property("Columns", &TCustomListBox::Columns, &TCustomListBox::SetColumns).Default(0);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TCheckListBox::IsFontStored);
    c.Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight).Default(16);
    c.Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
    c.Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle).Default(lbStandard);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnClickCheck", &TCheckListBox::OnClickCheck);
    PublishFocusKeyMouseEvents(c);
}

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

bool TCheckListBox::GetChecked(int Index) const { return ItemState(Index) == cbChecked; }

void TCheckListBox::SetChecked(int Index, bool Checked) { SetItemState(Index, Checked ? cbChecked : cbUnchecked); }

TCheckBoxState TCheckListBox::GetState(int Index) const { return ItemState(Index); }

void TCheckListBox::SetState(int Index, TCheckBoxState State) { SetItemState(Index, State); }

// The 13-pixel box with a pixel of room either side.
int TCheckListBox::CheckWidth() const { return 15; }

void TCheckListBox::ToggleByUser(int Index) {
    SetItemState(Index, NextCheckState(ItemState(Index), FAllowGrayed));
    OnClickCheck(this);
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    TWeakRef<TCheckListBox> self(this);
    // Selection, OnClick and OnMouseDown first; any of them may free the box.
    TCustomListBox::MouseDown(Button, Shift, X, Y);
    if (!self || Button != mbLeft) return;
    int index = ItemAtPos(TPoint{X, Y}, true);
    if (index >= 0 && X - ItemRect(index).Left < CheckWidth()) ToggleByUser(index);
}

void TCheckListBox::KeyDown(uint16_t& Key, TShiftState Shift) {
    TWeakRef<TCheckListBox> self(this);
    TCustomListBox::KeyDown(Key, Shift);
    if (!self || Key != VK_SPACE || ItemIndex() < 0) return;
    Key = 0;
    ToggleByUser(ItemIndex());
}

void TCheckListBox::DrawItem(TCanvas& Canvas, int Index, TRect R) const {
    // The check box stays on the list's own colour; the text part shows the
    // selection.
    const int32_t boxArea = CheckWidth();
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(TRect{R.Left, R.Top, R.Left + boxArea, R.Bottom});
    look::CheckBox(Canvas, R.Left + (boxArea - look::kCheckSize) / 2, R.Top + (R.Height() - look::kCheckSize) / 2,
                   ItemState(Index), !IsEnabledForInput());
    TCustomListBox::DrawItem(Canvas, Index, TRect{R.Left + boxArea, R.Top, R.Right, R.Bottom});
}

void RegisterCheckListBox() { RegisterClasses({TCheckListBox::StaticClass()}); }

}  // namespace vcl
