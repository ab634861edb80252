// Standard controls: labels, edit boxes, buttons, check boxes, radio buttons,
// group boxes and list boxes.
#pragma once

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Menus.h"

namespace vcl {

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TEchoMode { emNormal, emNone, emPassword };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
using TDrawItemEvent = TEvent<TWinControl*, int32_t, TRect, uint32_t>;
using TMeasureItemEvent = TEvent<TWinControl*, int32_t, int32_t&>;

class TCustomLabel : public TGraphicControl {
    VCL_CLASS(TCustomLabel, TGraphicControl)
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // With AutoSize the label takes the size of its caption as Paint draws
    // it (an empty caption measures as one space) whenever the caption, the
    // font, WordWrap or AutoSize change, and once a form file has been read
    // (not while it is read: the font may not be final yet). It keeps its
    // left and top edges, a right-justified label its right edge instead;
    // with WordWrap the width stays and the height follows the wrapped
    // lines. An aligned label then gets what its alignment gives it (alTop
    // and alBottom labels the parent's width).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    // A transparent label lets its parent show through around the text.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);

    // Its Color (unless transparent), then the caption in its font.
    void Paint(TCanvas& Canvas) const override;

protected:
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;
    // Sizes the label to its caption when AutoSize and not loading.
    void AdjustBounds();

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FTransparent = false;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;

protected:
    TWinControl* FocusControl() const { return FFocusControl.Get(); }
    void SetFocusControl(TWinControl* v) { FFocusControl = v; }
    TWeakRef<TWinControl> FFocusControl;
    bool FShowAccelChar = true;
    bool FOptimalFill = false;
};

class TLabel : public TCustomLabel {
    VCL_CLASS(TLabel, TCustomLabel)
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// A one-line edit box: typing inserts at the caret or replaces the
// selection; Backspace, Delete, Left, Right, Home and End behave as usual,
// with Shift extending the selection. Backspace and Delete act on the key
// press; control characters arriving as text are ignored. OnChange runs on
// every change of the text, typed or set by program; text set by program
// puts the caret at the start. MaxLength (0: no limit) bounds what typing
// and SelText add, not text set by program. ReadOnly stops the user's
// changes only.
//
// A left press puts the caret at the character boundary nearest the
// pointer, measured as Paint places the text. A double click selects the
// word under the pointer: a run of letters, digits and underscores (ASCII),
// a run of spaces, or any other single character. The headless desktop has
// no clock, so a double click is a left press at the same point as the
// previous left press with nothing in between but that press's release
// and moves that stay on the point (any key, other button, move away, text
// change or loss of focus starts over), or a press that carries ssDouble;
// csDoubleClicks must be in ControlStyle. A third press is a single click
// again.
class TCustomEdit : public TWinControl {
    VCL_CLASS(TCustomEdit, TWinControl)
    explicit TCustomEdit(TComponent* AOwner);

    AnsiString Text() const { return GetText(); }
    void SetTextValue(const AnsiString& v);  // the published Text property
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // The caret is at SelStart + SelLength when selecting forwards.
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    AnsiString SelText() const;
    void SetSelText(const AnsiString& v);
    void SelectAll();
    int CaretPos() const { return FCaret; }

    // A sunken field in Color with the text; the selection and the caret
    // show while it has the focus.
    void Paint(TCanvas& Canvas) const override;

    TNotifyEvent OnChange;
    TNotifyEvent OnEditingDone;

protected:
    // Kept as stored.
    bool FAutoSelect = true;
    bool FEditAutoSize = true;
    TEditCharCase FCharCase = ecNormal;
    TEchoMode FEchoMode = emNormal;
    bool FHideSelection = true;
    bool FNumbersOnly = false;
    AnsiString FPasswordChar;
    AnsiString FTextHint;
    TAlignment FEditAlignment = taLeftJustify;
    template <class C>
    static void PublishEditProperties(ClassBuilder<C>& c);
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void TextChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void DoExit() override;

private:
    // Pixels from the text's start to character boundary Pos, and where the
    // text starts in the client area (scrolled to keep the caret in view):
    // Paint and the mouse share them.
    int32_t TextX(int Pos) const;
    int32_t TextLeft() const;
    // The character boundary nearest client X.
    int BoundaryAt(int32_t X) const;
    void SelectWordAt(int32_t X);
    void MoveCaret(int To, bool Extend);
    // Replaces the selection with S (cut to MaxLength) and puts the caret
    // after it. May free the edit through OnChange.
    void ReplaceSelection(AnsiString S);
    bool FEditing = false;  // the text is changing by an edit, not by program
    int FMaxLength = 0;
    bool FReadOnly = false;
    TBorderStyle FBorderStyle = bsSingle;
    int FAnchor = 0;  // the fixed end of the selection
    int FCaret = 0;   // the moving end, where the caret is
    bool FPressArmed = false;  // a press at FPressAt now makes a double click
    TPoint FPressAt;
};

class TEdit : public TCustomEdit {
    VCL_CLASS(TEdit, TCustomEdit)
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// The published properties of an edit box, for TEdit and the controls built
// on one (labeled edits, spin edits).
template <class C>
void TCustomEdit::PublishEditProperties(ClassBuilder<C>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Alignment", &C::FEditAlignment).Default(taLeftJustify);
    c.Property("AutoSelect", &C::FAutoSelect).Default(true);
    c.Property("AutoSize", &C::FEditAutoSize).Default(true);
    c.Property("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).Default(bsSingle);
    c.Property("CharCase", &C::FCharCase).Default(ecNormal);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clWindow).Stored(&C::IsColorStored);
    c.Property("EchoMode", &C::FEchoMode).Default(emNormal);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&C::IsFontStored);
    c.Property("HideSelection", &C::FHideSelection).Default(true);
    c.Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    c.Property("NumbersOnly", &C::FNumbersOnly).Default(false);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("PasswordChar", &C::FPasswordChar);
    c.Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Text", &TCustomEdit::Text, &TCustomEdit::SetTextValue);
    c.Property("TextHint", &C::FTextHint);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnChange", &TCustomEdit::OnChange);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnEditingDone", &TCustomEdit::OnEditingDone);
    PublishFocusKeyMouseEvents(c);
}

// What push buttons, check boxes and radio buttons share: a user's click is
// a left press and release over the control, or Space pressed and released
// while it has the focus. The control looks pressed in between (while the
// pointer stays over it).
class TButtonControl : public TWinControl {
    VCL_CLASS(TButtonControl, TWinControl)
    explicit TButtonControl(TComponent* AOwner);

    // Pressed look: the left button held over it, or Space held.
    bool Pressed() const { return FPressed; }

protected:
    // A user's click; the default raises Click. May free the control.
    virtual void UserClick() { Click(); }
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void DoExit() override;

private:
    void UpdatePressed();
    bool FMouseDown = false;    // left button pressed on the control, not yet released
    bool FMouseInside = false;  // ... and the pointer is over it
    bool FSpaceDown = false;
    bool FPressed = false;
};

// A push button: clicked by the mouse, by Space, or by Return while focused;
// a Default button also takes Return and a Cancel button Escape from the
// form. A ModalResult other than mrNone closes a modal form with it.
class TButton : public TButtonControl {
    VCL_CLASS(TButton, TButtonControl)
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v) { FModalResult = v; }
    // Sets the parent form's ModalResult (when ModalResult is not mrNone),
    // then raises OnClick.
    void Click() override;
    bool DialogKey(uint16_t Key, TShiftState Shift) override;
    // A raised face (pressed in while Pressed), framed in black when
    // Default or focused, the caption centred, a focus rectangle.
    void Paint(TCanvas& Canvas) const override;

protected:
    void KeyDown(uint16_t& Key, TShiftState Shift) override;

protected:
    TPopupMenu* DropDownMenu() const { return FDropDownMenu.Get(); }
    void SetDropDownMenu(TPopupMenu* v) { FDropDownMenu = v; }
    bool FWordWrap = false;
    int32_t FImageIndex = -1;
    TWeakRef<TPopupMenu> FDropDownMenu;

private:
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// The state after a user's toggle: unchecked, grayed (only when
// AllowGrayed), checked, round again.
TCheckBoxState NextCheckState(TCheckBoxState State, bool AllowGrayed);

// A check box. A user's click (mouse or Space) toggles it; setting Checked
// (or State) from code to a new value raises OnClick as well, and to the
// value it has already raises nothing. A toggle raises OnClick once. While a
// form file is read, State changes raise nothing.
class TCustomCheckBox : public TButtonControl {
    VCL_CLASS(TCustomCheckBox, TButtonControl)
    explicit TCustomCheckBox(TComponent* AOwner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }
    // Which side of the box the caption is on: taRightJustify puts it right.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // Moves to the next state, as a user's click does (NextCheckState).
    virtual void Toggle();
    // The 13-pixel sunken box with its mark beside the caption.
    void Paint(TCanvas& Canvas) const override;

    TNotifyEvent OnChange;  // Lazarus: after State changed

protected:
    void UserClick() override { Toggle(); }
    bool FWordWrap = false;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    VCL_CLASS(TCheckBox, TCustomCheckBox)
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// A radio button: checking it clears the other radio buttons of the same
// parent (which raise nothing). A user's click checks it (never clears it);
// OnClick runs when it becomes checked, by user or by program.
class TRadioButton : public TButtonControl {
    VCL_CLASS(TRadioButton, TButtonControl)
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // The round sunken button with its dot beside the caption.
    void Paint(TCanvas& Canvas) const override;

protected:
    void UserClick() override { SetChecked(true); }

public:
    TNotifyEvent OnChange;  // Lazarus: after Checked changed

protected:
    bool FWordWrap = false;

private:
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

// A container framed by an etched line, with its caption set into the top
// edge. As on the platform, the client area is the whole box, so children
// from form files keep their places; aligned children keep inside the frame
// and below the caption.
class TCustomGroupBox : public TWinControl {
    VCL_CLASS(TCustomGroupBox, TWinControl)
    explicit TCustomGroupBox(TComponent* AOwner);

    // Color fill, the etched frame from half a text height down, and the
    // caption at left 8 on a Color gap in its top line.
    void Paint(TCanvas& Canvas) const override;

protected:
    void AdjustClientRect(TRect& Rect) const override;
    // The caption's height sets where aligned children start.
    void FontChanged() override;
};

class TGroupBox : public TCustomGroupBox {
    VCL_CLASS(TGroupBox, TCustomGroupBox)
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox;

// The item strings of a list box. Adding returns the index where the text
// landed (its sorted place when the list box is sorted); Insert puts the text
// where asked even then. IndexOf finds an exact text. Each item carries its
// object and its check state along when others are inserted, deleted or
// sorted; the list box's selection follows its item too.
class TListBoxStrings : public TStrings {
    VCL_CLASS(TListBoxStrings, TStrings)
    explicit TListBoxStrings(TCustomListBox* Owner) : FListBox(Owner) {}

    int Add(const AnsiString& S) override;
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int Count() const override { return static_cast<int>(FItems.size()); }
    AnsiString Get(int Index) const override;
    void Put(int Index, const AnsiString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* Obj) override;
    int IndexOf(const AnsiString& S) const override;
    TPersistent* GetOwner() override;

protected:
    void Changed() override;

private:
    friend class TCustomListBox;
    void CheckIndex(int Index) const;
    struct TItem {
        AnsiString Text;
        TObject* Object = nullptr;
        TCheckBoxState State = cbUnchecked;
    };
    TCustomListBox* FListBox;
    std::vector<TItem> FItems;
};

class TCustomListBox : public TWinControl {
    VCL_CLASS(TCustomListBox, TWinControl)
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems; }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    // Sorting orders the texts ignoring ASCII letter case, then byte-wise;
    // turning it on sorts the present items, their states travelling along.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle v) { FStyle = v; Invalidate(); }
    // The selected item, -1 for none; an index out of range selects none.
    // Setting it scrolls the item into view and raises nothing.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    int TopIndex() const { return FTopIndex; }
    void Clear() { FItems->Clear(); }

    // Layout of the items: fixed-height rows, filling the columns top to
    // bottom, left to right, from TopIndex on. With Columns > 0 a column is
    // ClientWidth / Columns wide and holds ClientHeight / ItemHeight rows;
    // with Columns 0 there is one column as wide as the client area.
    TRect ItemRect(int Index) const;
    // The item at a client position; -1 outside the client area. Inside it
    // but past the items: -1 when Existing, else Items->Count().
    int ItemAtPos(TPoint Pos, bool Existing = true) const;

    // OnClick (TControl's) runs when the user selects an item, by mouse or
    // by the arrow keys, Home and End.

    // A sunken field in Color with the items where ItemRect puts them.
    void Paint(TCanvas& Canvas) const override;

protected:
    friend class TListBoxStrings;
    // Draws one item in R (canvas coordinates): the selected one
    // highlighted, with the focus rectangle while the box has the focus.
    virtual void DrawItem(TCanvas& Canvas, int Index, TRect R) const;
    virtual void ItemsChanged() { Invalidate(); }
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    // Check state of an item, for list boxes that show one.
    TCheckBoxState ItemState(int Index) const;
    void SetItemState(int Index, TCheckBoxState State);
    int RowsPerColumn() const;
    void ScrollIntoView(int Index);
    // The user moved the selection: select Index and raise OnClick.
    void SelectByUser(int Index);
    TListBoxStrings* FItems;
    bool FSorted = false;
    int FColumns = 0;
    int FItemHeight = 13;
    TListBoxStyle FStyle = lbStandard;
    int FItemIndex = -1;
    int FTopIndex = 0;
    TBorderStyle FBorderStyle = bsSingle;
    // Kept as stored.
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FIntegralHeight = false;
    int32_t FScrollWidth = 0;

public:
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    TEvent<TObject*, bool> OnSelectionChange;
};

class TListBox : public TCustomListBox {
    VCL_CLASS(TListBox, TCustomListBox)
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// A multi-line edit box: its text is its Lines joined by line breaks.
class TCustomMemo : public TCustomEdit {
    VCL_CLASS(TCustomMemo, TCustomEdit)
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;
    TStrings* Lines() const { return FLines; }
    void SetLines(TStrings* v) { FLines->Assign(v); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    // A sunken field in Color with the lines from the top (wrapped with
    // WordWrap) and the scroll bars' room kept free at the right and bottom.
    void Paint(TCanvas& Canvas) const override;

protected:
    friend class TMemoStrings;
    TStrings* FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
    VCL_CLASS(TMemo, TCustomMemo)
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// A combo box without its drop-down list: a sunken field with the text (or
// the selected item) and the drop button. Up and Down move through the items
// as a closed combo box does, raising OnChange and OnSelect.
class TCustomComboBox : public TWinControl {
    VCL_CLASS(TCustomComboBox, TWinControl)
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;
    TStrings* Items() const { return FItems; }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    // -1 for none; an item puts its text into Text.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    AnsiString Text() const { return GetText(); }
    void SetTextValue(const AnsiString& v) { SetText(v); }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v) { FItemHeight = v; }
    void Paint(TCanvas& Canvas) const override;
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnEditingDone;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void Loaded() override;
    TStrings* FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    int FItemHeight = 13;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    bool FSorted = false;
    bool FAutoComplete = true;
    bool FAutoDropDown = false;
    bool FAutoCloseUp = false;
    bool FReadOnly = false;
    TEditCharCase FCharCase = ecNormal;
    AnsiString FTextHint;
};

class TComboBox : public TCustomComboBox {
    VCL_CLASS(TComboBox, TCustomComboBox)
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// A label that is a windowed control: its caption, with an optional frame.
class TStaticText : public TWinControl {
    VCL_CLASS(TStaticText, TWinControl)
    explicit TStaticText(TComponent* AOwner);
    void Paint(TCanvas& Canvas) const override;

private:
    TAlignment FAlignment = taLeftJustify;
    TStaticBorderStyle FBorderStyle = sbsNone;
    TWeakRef<TWinControl> FFocusControl;
    bool FShowAccelChar = true;
    bool FTransparent = true;
    TWinControl* FocusControl() const { return FFocusControl.Get(); }
    void SetFocusControl(TWinControl* v) { FFocusControl = v; }
};

// Registers TLabel, TEdit, TButton, TCheckBox, TRadioButton, TGroupBox,
// TListBox, TMemo, TComboBox and TStaticText for form files; calling it again
// does no harm.
void RegisterStdControls();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TTextLayout, tlTop, tlCenter, tlBottom)
VCL_ENUM_INFO(vcl::TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)
VCL_ENUM_INFO(vcl::TEchoMode, emNormal, emNone, emPassword)
VCL_ENUM_INFO(vcl::TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)
VCL_ENUM_INFO(vcl::TStaticBorderStyle, sbsNone, sbsSingle, sbsSunken)
VCL_ENUM_INFO(vcl::TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
VCL_ENUM_INFO(vcl::TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)
