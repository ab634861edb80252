#include "framework/StdCtrls.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <numeric>

#include "framework/Canvas.h"
#include "framework/ClassicLook.h"
#include "framework/FontCache.h"
#include "framework/Forms.h"

namespace vcl {

// ---------------------------------------------------------------------------
// TCustomLabel

VCL_IMPLEMENT_CLASS(TCustomLabel)
void TCustomLabel::DescribeClass(ClassBuilder<TCustomLabel>&) {}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    FWidth = 65;
    FHeight = 17;
    FControlStyle << csOpaque;
}

void TCustomLabel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
    if (v == FAutoSize) return;
    FAutoSize = v;
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::TextChanged() {
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TCustomLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || IsLoading()) return;
    // Measured as Paint lays it out, at the top left.
    TBitmapData nothing;
    TCanvas canvas(nothing);
    look::UseFont(canvas, *this);
    look::TTextFormat f;
    f.WordWrap = FWordWrap;
    TRect r = look::MeasureCaption(canvas, TRect{0, 0, FWidth, 0}, FText.empty() ? " " : std::string_view(FText), f);
    const int32_t width = FWordWrap ? FWidth : r.Right;
    const int32_t left = FAlignment == taRightJustify ? FLeft + FWidth - width : FLeft;
    SetBounds(left, FTop, width, r.Bottom);
}

void TCustomLabel::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    if (v) FControlStyle >> csOpaque;
    else FControlStyle << csOpaque;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    Invalidate();
    AdjustBounds();
}

VCL_IMPLEMENT_CLASS(TLabel)
void TLabel::DescribeClass(ClassBuilder<TLabel>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment).Default(taLeftJustify);
    c.Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(true);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TLabel::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TLabel::IsFontStored);
    c.Property("OptimalFill", &TLabel::FOptimalFill).Default(false);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("ShowAccelChar", &TLabel::FShowAccelChar).Default(true);
    c.Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).Default(false);
    c.Property("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(false);
    c.Property("OnClick", &TControl::OnClick);
    PublishMouseEvents(c);
}

// ---------------------------------------------------------------------------
// TCustomEdit

VCL_IMPLEMENT_CLASS(TCustomEdit)
void TCustomEdit::DescribeClass(ClassBuilder<TCustomEdit>&) {}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 121;
    FHeight = 21;
    FColor = clWindow;
    FParentColor = false;
    FTabStop = true;
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    FClientInsets = TRect{2, 2, 2, 2};  // the sunken single border
}

void TCustomEdit::SetTextValue(const AnsiString& v) { SetText(v); }

void TCustomEdit::SetMaxLength(int v) { FMaxLength = std::max(0, v); }

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
    if (v != bsNone) v = bsSingle;  // an edit box has no other frames
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    SetClientInsets(v == bsSingle ? TRect{2, 2, 2, 2} : TRect{});
    Invalidate();
}


int TCustomEdit::SelStart() const { return std::min(FAnchor, FCaret); }
int TCustomEdit::SelLength() const { return std::abs(FCaret - FAnchor); }

AnsiString TCustomEdit::SelText() const {
    return FText.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

void TCustomEdit::SetSelStart(int v) { MoveCaret(v, false); }

void TCustomEdit::SetSelLength(int v) {
    int start = SelStart();
    FAnchor = start;
    FCaret = std::clamp(start + std::max(0, v), 0, static_cast<int>(FText.size()));
    Invalidate();
}

void TCustomEdit::SetSelText(const AnsiString& v) { ReplaceSelection(v); }

void TCustomEdit::SelectAll() {
    FAnchor = 0;
    FCaret = static_cast<int>(FText.size());
    Invalidate();
}

void TCustomEdit::MoveCaret(int To, bool Extend) {
    FCaret = std::clamp(To, 0, static_cast<int>(FText.size()));
    if (!Extend) FAnchor = FCaret;
    Invalidate();
}

void TCustomEdit::ReplaceSelection(AnsiString S) {
    int start = SelStart(), length = SelLength();
    if (FMaxLength > 0) {
        int room = std::max(0, FMaxLength - (static_cast<int>(FText.size()) - length));
        if (static_cast<int>(S.size()) > room) S.resize(static_cast<size_t>(room));
    }
    if (S.empty() && length == 0) return;
    AnsiString text = FText;
    text.replace(static_cast<size_t>(start), static_cast<size_t>(length), S);
    FAnchor = FCaret = start + static_cast<int>(S.size());
    TWeakRef<TCustomEdit> self(this);
    FEditing = true;
    SetText(text);  // OnChange may free the edit
    if (self) FEditing = false;
}

int32_t TCustomEdit::TextX(int Pos) const {
    return fonts::FaceFor(*FFont).TextWidth(std::string_view(FText).substr(0, static_cast<size_t>(Pos)));
}

int32_t TCustomEdit::TextLeft() const {
    // One pixel in from the client edge, less what keeps the caret in view.
    const int32_t room = std::max(0, GetClientWidth() - 3);
    return 1 - std::max(0, TextX(FCaret) - room);
}

int TCustomEdit::BoundaryAt(int32_t X) const {
    const int32_t left = TextLeft(), n = static_cast<int>(FText.size());
    int best = 0;
    int64_t bestDistance = std::abs(int64_t{X} - left);
    for (int i = 1; i <= n; ++i) {
        const int32_t x = left + TextX(i);
        const int64_t distance = std::abs(int64_t{X} - x);
        if (distance < bestDistance) best = i, bestDistance = distance;  // a tie keeps the earlier one
        if (x >= X) break;
    }
    return best;
}

void TCustomEdit::SelectWordAt(int32_t X) {
    const int n = static_cast<int>(FText.size());
    if (n == 0) return;
    // The character whose cell holds X; the last one past the end.
    const int32_t left = TextLeft();
    int at = 0;
    while (at + 1 < n && left + TextX(at + 1) <= X) ++at;
    auto kind = [&](int i) {
        const auto c = static_cast<unsigned char>(FText[static_cast<size_t>(i)]);
        if (c < 0x80 && (std::isalnum(c) || c == '_')) return 0;
        return c == ' ' ? 1 : 2;
    };
    const int k = kind(at);
    int start = at, end = at + 1;
    if (k != 2) {
        while (start > 0 && kind(start - 1) == k) --start;
        while (end < n && kind(end) == k) ++end;
    }
    FAnchor = start;
    FCaret = end;
    Invalidate();
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft) {
        const TPoint at{X, Y};
        const bool twice =
            Shift.Contains(ssDouble) || (FControlStyle.Contains(csDoubleClicks) && FPressArmed && FPressAt == at);
        // The caret moves before OnMouseDown runs, as on the platform.
        if (twice) SelectWordAt(X);
        else MoveCaret(BoundaryAt(X), false);
        FPressArmed = !twice;
        FPressAt = at;
    } else {
        FPressArmed = false;
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (FPressAt != TPoint{X, Y}) FPressArmed = false;
    TWinControl::MouseMove(Shift, X, Y);
}

void TCustomEdit::DoExit() {
    FPressArmed = false;
    TWinControl::DoExit();
}

void TCustomEdit::TextChanged() {
    FPressArmed = false;
    // Text set by program starts over with the caret at the beginning.
    if (!FEditing) FAnchor = FCaret = 0;
    int n = static_cast<int>(FText.size());
    FAnchor = std::min(FAnchor, n);
    FCaret = std::min(FCaret, n);
    Invalidate();
    OnChange(this);
}

void TCustomEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    FPressArmed = false;
    TWeakRef<TCustomEdit> self(this);
    TWinControl::KeyDown(Key, Shift);  // OnKeyDown may take the key, or free the edit
    if (!self) return;
    bool extend = Shift.Contains(ssShift);
    int end = static_cast<int>(FText.size());
    switch (Key) {
        case VK_LEFT:
            // Without Shift a selection collapses to its start first.
            if (!extend && FAnchor != FCaret) MoveCaret(SelStart(), false);
            else MoveCaret(FCaret - 1, extend);
            break;
        case VK_RIGHT:
            if (!extend && FAnchor != FCaret) MoveCaret(SelStart() + SelLength(), false);
            else MoveCaret(FCaret + 1, extend);
            break;
        case VK_HOME:
            MoveCaret(0, extend);
            break;
        case VK_END:
            MoveCaret(end, extend);
            break;
        case VK_BACK:
        case VK_DELETE: {
            bool back = Key == VK_BACK;
            Key = 0;
            if (FReadOnly) return;
            if (FAnchor == FCaret) {
                // Nothing selected: the character before (after) the caret.
                int other = back ? FCaret - 1 : FCaret + 1;
                if (other < 0 || other > end) return;
                FAnchor = other;
            }
            ReplaceSelection(AnsiString());
            return;
        }
        default:
            return;
    }
    Key = 0;
}

void TCustomEdit::KeyPress(char& Key) {
    FPressArmed = false;
    TWeakRef<TCustomEdit> self(this);
    TWinControl::KeyPress(Key);  // OnKeyPress may change or swallow the character
    if (!self || Key == 0) return;
    auto ch = static_cast<unsigned char>(Key);
    if (ch < 0x20 || ch == 0x7F) return;
    if (FReadOnly) return;
    ReplaceSelection(AnsiString(1, Key));
}

VCL_IMPLEMENT_CLASS(TEdit)
void TEdit::DescribeClass(ClassBuilder<TEdit>& c) { PublishEditProperties(c); }

// ---------------------------------------------------------------------------
// TCustomMemo

// The memo's text seen as lines: reading splits it at line breaks (CR LF,
// LF or CR), changing joins the lines again with CR LF.
class TMemoStrings : public TStrings {
    VCL_CLASS(TMemoStrings, TStrings)
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}
    int Count() const override { return static_cast<int>(Split().size()); }
    AnsiString Get(int Index) const override {
        auto lines = Split();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
        return lines[static_cast<size_t>(Index)];
    }
    void Put(int Index, const AnsiString& S) override {
        auto lines = Split();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
        lines[static_cast<size_t>(Index)] = S;
        Join(lines);
    }
    void Insert(int Index, const AnsiString& S) override {
        auto lines = Split();
        if (Index < 0 || Index > static_cast<int>(lines.size())) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
        lines.insert(lines.begin() + Index, S);
        Join(lines);
    }
    void Delete(int Index) override {
        auto lines = Split();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
        lines.erase(lines.begin() + Index);
        Join(lines);
    }
    void Clear() override { FMemo->SetText(AnsiString()); }

private:
    std::vector<AnsiString> Split() const {
        std::vector<AnsiString> lines;
        const std::string& t = FMemo->FText;
        if (t.empty()) return lines;
        size_t start = 0;
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] != '\r' && t[i] != '\n') continue;
            lines.push_back(t.substr(start, i - start));
            if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
            start = i + 1;
        }
        if (start < t.size()) lines.push_back(t.substr(start));
        return lines;
    }
    void Join(const std::vector<AnsiString>& lines) {
        std::string t;
        for (const auto& l : lines) t += l + "\r\n";
        FMemo->SetText(t);
    }
    TCustomMemo* FMemo;
};

VCL_IMPLEMENT_CLASS(TMemoStrings)
void TMemoStrings::DescribeClass(ClassBuilder<TMemoStrings>&) {}

VCL_IMPLEMENT_CLASS(TCustomMemo)
void TCustomMemo::DescribeClass(ClassBuilder<TCustomMemo>&) {}

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TMemoStrings(this)) {
    FWidth = 185;
    FHeight = 89;
    FControlStyle >> csFixedHeight;
}

TCustomMemo::~TCustomMemo() { FLines->Free(); }

void TCustomMemo::SetScrollBars(TScrollStyle v) {
    if (v == FScrollBars) return;
    FScrollBars = v;
    Invalidate();
}

void TCustomMemo::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    Invalidate();
}

void TCustomMemo::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (BorderStyle() == bsSingle) look::SunkenEdge(Canvas, r);
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    // Plain scroll bar tracks where the memo shows its bars.
    constexpr int32_t kBar = 16;
    const bool vert = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool horz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    TRect text = r;
    if (vert) text.Right = std::max(text.Left, text.Right - kBar);
    if (horz) text.Bottom = std::max(text.Top, text.Bottom - kBar);
    Canvas.Brush.Color = clBtnFace;
    if (vert) Canvas.FillRect(TRect{text.Right, r.Top, r.Right, r.Bottom});
    if (horz) Canvas.FillRect(TRect{r.Left, text.Bottom, r.Right, r.Bottom});
    look::UseFont(Canvas, *this);
    if (!IsEnabledForInput()) Canvas.Font()->SetColor(clGrayText);
    look::TTextFormat f;
    f.Alignment = FEditAlignment;
    f.WordWrap = FWordWrap && !horz;
    f.Prefix = false;
    look::DrawCaption(Canvas, TRect{text.Left + 1, text.Top + 1, text.Right, text.Bottom}, FText, f);
}

VCL_IMPLEMENT_CLASS(TMemo)
void TMemo::DescribeClass(ClassBuilder<TMemo>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Alignment", &TMemo::FEditAlignment).Default(taLeftJustify);
    c.Property("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).Default(bsSingle);
    c.Property("CharCase", &TMemo::FCharCase).Default(ecNormal);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clWindow).Stored(&TMemo::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TMemo::IsFontStored);
    c.Property("HideSelection", &TMemo::FHideSelection).Default(true);
    c.Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
    c.Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    c.Property("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("WantReturns", &TMemo::FWantReturns).Default(true);
    c.Property("WantTabs", &TMemo::FWantTabs).Default(false);
    c.Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
    c.Property("OnChange", &TCustomEdit::OnChange);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnEditingDone", &TCustomEdit::OnEditingDone);
    PublishFocusKeyMouseEvents(c);
}

// ---------------------------------------------------------------------------
// TCustomComboBox

namespace {
// The items of a combo box: any change repaints it.
class TComboStrings : public TStringList {
    VCL_CLASS(TComboStrings, TStringList)
    explicit TComboStrings(TCustomComboBox* Combo) : FCombo(Combo) {}

protected:
    void Changed() override {
        TStringList::Changed();
        FCombo->Invalidate();
    }

private:
    TCustomComboBox* FCombo;
};
VCL_IMPLEMENT_CLASS(TComboStrings)
void TComboStrings::DescribeClass(ClassBuilder<TComboStrings>&) {}
}  // namespace

VCL_IMPLEMENT_CLASS(TCustomComboBox)
void TCustomComboBox::DescribeClass(ClassBuilder<TCustomComboBox>&) {}

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(new TComboStrings(this)) {
    FWidth = 145;
    FHeight = 21;
    FColor = clWindow;
    FParentColor = false;
    FTabStop = true;
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
}

TCustomComboBox::~TCustomComboBox() { FItems->Free(); }

void TCustomComboBox::SetItemIndex(int v) {
    if (v < -1 || v >= FItems->Count()) v = -1;
    FItemIndex = v;
    if (v >= 0) SetText(FItems->Get(v));
    else if (FStyle == csDropDownList) SetText(AnsiString());
    Invalidate();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    Invalidate();
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    // The stored index names an item the stored items hold only now.
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
}

void TCustomComboBox::KeyDown(uint16_t& Key, TShiftState Shift) {
    TWeakRef<TCustomComboBox> self(this);
    TWinControl::KeyDown(Key, Shift);
    if (!self || (Key != VK_UP && Key != VK_DOWN) || FItems->Count() == 0) return;
    int next = Key == VK_DOWN ? std::min(FItemIndex + 1, FItems->Count() - 1) : std::max(FItemIndex - 1, 0);
    Key = 0;
    if (next == FItemIndex) return;
    SetItemIndex(next);
    OnChange(this);
    if (self) OnSelect(this);
}

void TCustomComboBox::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    look::SunkenEdge(Canvas, r);
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    // The drop button fills the right end, as wide as the system's scroll bars.
    const int32_t bw = std::min<int32_t>(r.Width(), 17);
    TRect button{r.Right - bw, r.Top, r.Right, r.Bottom};
    look::ButtonFace(Canvas, button, false, false);
    const int32_t ax = button.Left + (button.Width() - 7) / 2, ay = button.Top + (button.Height() - 4) / 2;
    for (int32_t i = 0; i < 4; ++i)
        for (int32_t x = ax + i; x < ax + 7 - i; ++x) Canvas.Pixel(x, ay + i, IsEnabledForInput() ? clBtnText : clGrayText);
    TRect text{r.Left + 1, r.Top, r.Right - bw, r.Bottom};
    look::UseFont(Canvas, *this);
    if (!IsEnabledForInput()) Canvas.Font()->SetColor(clGrayText);
    if (Focused() && FStyle == csDropDownList) {
        Canvas.Brush.Color = clHighlight;
        Canvas.FillRect(TRect{text.Left, text.Top + 1, text.Right - 1, text.Bottom - 1});
        Canvas.Font()->SetColor(clHighlightText);
    }
    look::TTextFormat f;
    f.Layout = tlCenter;
    f.Prefix = false;
    look::DrawCaption(Canvas, TRect{text.Left + 2, text.Top, text.Right, text.Bottom}, FText, f);
}

VCL_IMPLEMENT_CLASS(TComboBox)
void TComboBox::DescribeClass(ClassBuilder<TComboBox>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("AutoCloseUp", &TComboBox::FAutoCloseUp).Default(false);
    c.Property("AutoComplete", &TComboBox::FAutoComplete).Default(true);
    c.Property("AutoDropDown", &TComboBox::FAutoDropDown).Default(false);
    c.Property("CharCase", &TComboBox::FCharCase).Default(ecNormal);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clWindow).Stored(&TComboBox::IsColorStored);
    c.Property("DropDownCount", &TComboBox::FDropDownCount).Default(8);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TComboBox::IsFontStored);
    c.Property("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight).Default(16);
    c.Property("MaxLength", &TComboBox::FMaxLength).Default(0);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("ReadOnly", &TComboBox::FReadOnly).Default(false);
    c.Property("Sorted", &TComboBox::FSorted).Default(false);
    c.Property("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Text", &TCustomComboBox::Text, &TCustomComboBox::SetTextValue);
    c.Property("TextHint", &TComboBox::FTextHint);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    // Items before ItemIndex: the index names one of them.
    c.Property("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
    c.Property("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).Default(-1);
    c.Property("OnChange", &TCustomComboBox::OnChange);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnCloseUp", &TCustomComboBox::OnCloseUp);
    c.Property("OnDrawItem", &TCustomComboBox::OnDrawItem);
    c.Property("OnDropDown", &TCustomComboBox::OnDropDown);
    c.Property("OnEditingDone", &TCustomComboBox::OnEditingDone);
    c.Property("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
    c.Property("OnSelect", &TCustomComboBox::OnSelect);
    PublishFocusKeyMouseEvents(c);
}

// ---------------------------------------------------------------------------
// TStaticText

VCL_IMPLEMENT_CLASS(TStaticText)
void TStaticText::DescribeClass(ClassBuilder<TStaticText>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Alignment", &TStaticText::FAlignment).Default(taLeftJustify);
    c.Property("AutoSize", &TStaticText::FAutoSize).Default(true);
    c.Property("BorderStyle", &TStaticText::FBorderStyle).Default(sbsNone);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TStaticText::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("FocusControl", &TStaticText::FocusControl, &TStaticText::SetFocusControl);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TStaticText::IsFontStored);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("ShowAccelChar", &TStaticText::FShowAccelChar).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    c.Property("Transparent", &TStaticText::FTransparent).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    PublishMouseEvents(c);
}

TStaticText::TStaticText(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 65;
    FHeight = 17;
    FAutoSize = true;
}

void TStaticText::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (FBorderStyle == sbsSunken) look::SunkenEdge(Canvas, r);
    else if (FBorderStyle == sbsSingle) Canvas.Frame3D(r, clWindowFrame, clWindowFrame);
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Alignment = FAlignment;
    f.Prefix = FShowAccelChar;
    f.Enabled = IsEnabledForInput();
    look::DrawCaption(Canvas, r, FText, f);
}

// ---------------------------------------------------------------------------
// TButtonControl

VCL_IMPLEMENT_CLASS(TButtonControl)
void TButtonControl::DescribeClass(ClassBuilder<TButtonControl>&) {}

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
    FTabStop = true;
    // Clicks come from UserClick, not from TControl's mouse handling.
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks};
}

void TButtonControl::UpdatePressed() {
    bool pressed = (FMouseDown && FMouseInside) || FSpaceDown;
    if (pressed == FPressed) return;
    FPressed = pressed;
    Invalidate();
}

void TButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft) {
        FMouseDown = true;
        FMouseInside = GetClientRect().Contains(TPoint{X, Y});
        UpdatePressed();
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TButtonControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    if (FMouseDown) {
        FMouseInside = GetClientRect().Contains(TPoint{X, Y});
        UpdatePressed();
    }
    TWinControl::MouseMove(Shift, X, Y);
}

void TButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    bool click = false;
    if (Button == mbLeft && FMouseDown) {
        click = GetClientRect().Contains(TPoint{X, Y});
        FMouseDown = false;
        FMouseInside = false;
        UpdatePressed();
    }
    // As for other controls, the click comes before OnMouseUp.
    TWeakRef<TButtonControl> self(this);
    if (click) UserClick();
    if (self) TWinControl::MouseUp(Button, Shift, X, Y);
}

void TButtonControl::KeyDown(uint16_t& Key, TShiftState Shift) {
    TWeakRef<TButtonControl> self(this);
    TWinControl::KeyDown(Key, Shift);
    if (!self || Key != VK_SPACE) return;
    FSpaceDown = true;
    UpdatePressed();
    Key = 0;
}

void TButtonControl::KeyUp(uint16_t& Key, TShiftState Shift) {
    TWeakRef<TButtonControl> self(this);
    TWinControl::KeyUp(Key, Shift);
    // Only a Space that went down here clicks.
    if (!self || Key != VK_SPACE || !FSpaceDown) return;
    FSpaceDown = false;
    UpdatePressed();
    Key = 0;
    UserClick();
}

void TButtonControl::DoExit() {
    // Space released elsewhere must not click later.
    FSpaceDown = false;
    UpdatePressed();
    TWinControl::DoExit();
}

// ---------------------------------------------------------------------------
// TButton

VCL_IMPLEMENT_CLASS(TButton)
void TButton::DescribeClass(ClassBuilder<TButton>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("AutoSize", &TButton::FAutoSize).Default(false);
    c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    c.Property("DropDownMenu", &TButton::DropDownMenu, &TButton::SetDropDownMenu);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TButton::IsFontStored);
    c.Property("ImageIndex", &TButton::FImageIndex).Default(-1);
    c.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("WordWrap", &TButton::FWordWrap).Default(false);
    c.Property("OnClick", &TControl::OnClick);
    PublishFocusKeyMouseEvents(c);
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    FWidth = 75;
    FHeight = 25;
}

void TButton::SetDefault(bool v) {
    if (v == FDefault) return;
    FDefault = v;
    Invalidate();
}

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::KeyDown(uint16_t& Key, TShiftState Shift) {
    TWeakRef<TButton> self(this);
    TButtonControl::KeyDown(Key, Shift);
    if (!self || Key != VK_RETURN) return;
    // A focused button takes Return itself, before any default button.
    Key = 0;
    Click();
}

bool TButton::DialogKey(uint16_t Key, TShiftState Shift) {
    if (Shift.Empty() && ((Key == VK_RETURN && FDefault) || (Key == VK_ESCAPE && FCancel)) && CanFocus()) {
        Click();
        return true;
    }
    return TButtonControl::DialogKey(Key, Shift);
}

// ---------------------------------------------------------------------------
// TCustomCheckBox

VCL_IMPLEMENT_CLASS(TCustomCheckBox)
void TCustomCheckBox::DescribeClass(ClassBuilder<TCustomCheckBox>&) {}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    FWidth = 97;
    FHeight = 17;
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
    if (v == FState) return;
    FState = v;
    Invalidate();
    if (IsLoading()) return;
    TWeakRef<TCustomCheckBox> self(this);
    Click();
    if (self) OnChange(this);
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

TCheckBoxState NextCheckState(TCheckBoxState State, bool AllowGrayed) {
    switch (State) {
        case cbUnchecked: return AllowGrayed ? cbGrayed : cbChecked;
        case cbGrayed: return cbChecked;
        default: return cbUnchecked;
    }
}

void TCustomCheckBox::Toggle() { SetState(NextCheckState(FState, FAllowGrayed)); }

VCL_IMPLEMENT_CLASS(TCheckBox)
void TCheckBox::DescribeClass(ClassBuilder<TCheckBox>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment).Default(taRightJustify);
    c.Property("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(false);
    c.Property("AutoSize", &TCheckBox::FAutoSize).Default(false);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    // Stored beside State, as form files have it: Checked = True, State = cbChecked.
    c.Property("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Default(false);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TCheckBox::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TCheckBox::IsFontStored);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState).Default(cbUnchecked);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("WordWrap", &TCheckBox::FWordWrap).Default(false);
    c.Property("OnChange", &TCustomCheckBox::OnChange);
    c.Property("OnClick", &TControl::OnClick);
    PublishFocusKeyMouseEvents(c);
}

// ---------------------------------------------------------------------------
// TRadioButton

VCL_IMPLEMENT_CLASS(TRadioButton)
void TRadioButton::DescribeClass(ClassBuilder<TRadioButton>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment).Default(taRightJustify);
    c.Property("AutoSize", &TRadioButton::FAutoSize).Default(false);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TRadioButton::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TRadioButton::IsFontStored);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("WordWrap", &TRadioButton::FWordWrap).Default(false);
    c.Property("OnChange", &TRadioButton::OnChange);
    c.Property("OnClick", &TControl::OnClick);
    PublishFocusKeyMouseEvents(c);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    Invalidate();
    if (!IsLoading()) {
        TWeakRef<TRadioButton> self(this);
        OnChange(this);
        if (!self) return;
    }
    if (!v) return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);  // clearing calls nothing out
    if (!IsLoading()) Click();
}

void TRadioButton::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

// ---------------------------------------------------------------------------
// TCustomGroupBox

VCL_IMPLEMENT_CLASS(TCustomGroupBox)
void TCustomGroupBox::DescribeClass(ClassBuilder<TCustomGroupBox>&) {}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 185;
    FHeight = 105;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks};
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) const {
    // Below the caption, and a pixel clear of each etched line.
    Rect.Left += 2;
    Rect.Top += fonts::FaceFor(*FFont).Height() + 2;
    Rect.Right = std::max(Rect.Left, Rect.Right - 2);
    Rect.Bottom = std::max(Rect.Top, Rect.Bottom - 2);
}

void TCustomGroupBox::FontChanged() {
    TWinControl::FontChanged();
    Realign();
}

VCL_IMPLEMENT_CLASS(TGroupBox)
void TGroupBox::DescribeClass(ClassBuilder<TGroupBox>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("AutoSize", &TGroupBox::FAutoSize).Default(false);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    // Lazarus stores the client size too; it follows from the size.
    c.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight).Stored(false);
    c.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth).Stored(false);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TGroupBox::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TGroupBox::IsFontStored);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnEnter", &TWinControl::OnEnter);
    c.Property("OnExit", &TWinControl::OnExit);
    PublishMouseEvents(c);
}

// ---------------------------------------------------------------------------
// TListBoxStrings

VCL_IMPLEMENT_CLASS(TListBoxStrings)
void TListBoxStrings::DescribeClass(ClassBuilder<TListBoxStrings>&) {}

void TListBoxStrings::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

int TListBoxStrings::Add(const AnsiString& S) {
    if (!FListBox->FSorted) {
        int i = Count();
        Insert(i, S);
        return i;
    }
    auto it = std::upper_bound(FItems.begin(), FItems.end(), S,
                               [](const AnsiString& v, const TItem& item) { return SortedLess(v, item.Text); });
    int i = static_cast<int>(it - FItems.begin());
    Insert(i, S);
    return i;
}

void TListBoxStrings::Insert(int Index, const AnsiString& S) {
    if (Index < 0 || Index > Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FItems.insert(FItems.begin() + Index, TItem{S, nullptr, cbUnchecked});
    if (FListBox->FItemIndex >= Index) ++FListBox->FItemIndex;
    NotifyChanged();
}

void TListBoxStrings::Delete(int Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
    int& sel = FListBox->FItemIndex;
    if (sel == Index) sel = -1;
    else if (sel > Index) --sel;
    FListBox->FTopIndex = std::clamp(FListBox->FTopIndex, 0, std::max(0, Count() - 1));
    NotifyChanged();
}

void TListBoxStrings::Clear() {
    FListBox->FItemIndex = -1;
    FListBox->FTopIndex = 0;
    if (FItems.empty()) return;
    FItems.clear();
    NotifyChanged();
}

AnsiString TListBoxStrings::Get(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].Text;
}

void TListBoxStrings::Put(int Index, const AnsiString& S) {
    // The item keeps its place, object and mark, sorted or not.
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)].Text = S;
    NotifyChanged();
}

TObject* TListBoxStrings::GetObject(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].Object;
}

void TListBoxStrings::PutObject(int Index, TObject* Obj) {
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)].Object = Obj;
}

int TListBoxStrings::IndexOf(const AnsiString& S) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].Text == S) return static_cast<int>(i);
    return -1;
}

TPersistent* TListBoxStrings::GetOwner() { return FListBox; }

void TListBoxStrings::Changed() { FListBox->ItemsChanged(); }

// ---------------------------------------------------------------------------
// TCustomListBox

VCL_IMPLEMENT_CLASS(TCustomListBox)
void TCustomListBox::DescribeClass(ClassBuilder<TCustomListBox>&) {}

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), FItems(new TListBoxStrings(this)) {
    FClientInsets = TRect{2, 2, 2, 2};  // the sunken single border
    FWidth = 121;
    FHeight = 97;
    FColor = clWindow;
    FParentColor = false;
    FTabStop = true;
    // OnClick comes from selecting an item, not from TControl's mouse handling.
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
}

TCustomListBox::~TCustomListBox() { FItems->Free(); }

void TCustomListBox::SetSorted(bool v) {
    if (v == FSorted) return;
    FSorted = v;
    if (!v) return;
    auto& items = FItems->FItems;
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return SortedLess(items[a].Text, items[b].Text); });
    std::vector<TListBoxStrings::TItem> sorted;
    sorted.reserve(items.size());
    int selected = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(std::move(items[order[i]]));
        if (static_cast<int>(order[i]) == FItemIndex) selected = static_cast<int>(i);
    }
    items = std::move(sorted);
    FItemIndex = selected;
    ScrollIntoView(FItemIndex);
    ItemsChanged();
}

void TCustomListBox::SetColumns(int v) {
    v = std::max(0, v);
    if (v == FColumns) return;
    FColumns = v;
    FTopIndex = 0;
    ScrollIntoView(FItemIndex);
    Invalidate();
}

void TCustomListBox::SetItemHeight(int v) {
    if (v <= 0 || v == FItemHeight) return;
    FItemHeight = v;
    ScrollIntoView(FItemIndex);
    Invalidate();
}

void TCustomListBox::SetItemIndex(int v) {
    if (v < -1 || v >= FItems->Count()) v = -1;
    if (v == FItemIndex) return;
    FItemIndex = v;
    ScrollIntoView(v);
    Invalidate();
}

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
    if (v != bsNone) v = bsSingle;
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    SetClientInsets(v == bsSingle ? TRect{2, 2, 2, 2} : TRect{});
    Invalidate();
}


int TCustomListBox::RowsPerColumn() const { return std::max(1, GetClientHeight() / FItemHeight); }

void TCustomListBox::ScrollIntoView(int Index) {
    if (Index < 0) return;
    int rows = RowsPerColumn();
    if (FColumns == 0) {
        if (Index < FTopIndex) FTopIndex = Index;
        else if (Index >= FTopIndex + rows) FTopIndex = Index - rows + 1;
        return;
    }
    // Several columns scroll a whole column at a time.
    int column = Index / rows, first = FTopIndex / rows;
    if (column < first) first = column;
    else if (column >= first + FColumns) first = column - FColumns + 1;
    FTopIndex = first * rows;
}

TRect TCustomListBox::ItemRect(int Index) const {
    if (Index < 0 || Index > FItems->Count()) return TRect{};
    int n = Index - FTopIndex;
    if (FColumns == 0) return Bounds(0, n * FItemHeight, GetClientWidth(), FItemHeight);
    int rows = RowsPerColumn(), width = GetClientWidth() / FColumns;
    // Items before TopIndex lie in columns to the left, off the client area.
    int column = n >= 0 ? n / rows : -((-n + rows - 1) / rows);
    int row = n - column * rows;
    return Bounds(column * width, row * FItemHeight, width, FItemHeight);
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
    if (!GetClientRect().Contains(Pos)) return -1;
    int index = -1;
    if (FColumns == 0) {
        index = FTopIndex + Pos.y / FItemHeight;
    } else {
        int rows = RowsPerColumn(), width = GetClientWidth() / FColumns;
        int row = Pos.y / FItemHeight;
        if (width > 0 && row < rows) index = FTopIndex + (Pos.x / width) * rows + row;
    }
    if (index >= 0 && index < FItems->Count()) return index;
    return Existing ? -1 : FItems->Count();
}

TCheckBoxState TCustomListBox::ItemState(int Index) const {
    FItems->CheckIndex(Index);
    return FItems->FItems[static_cast<size_t>(Index)].State;
}

void TCustomListBox::SetItemState(int Index, TCheckBoxState State) {
    FItems->CheckIndex(Index);
    auto& item = FItems->FItems[static_cast<size_t>(Index)];
    if (item.State == State) return;
    item.State = State;
    Invalidate();
}

void TCustomListBox::SelectByUser(int Index) {
    SetItemIndex(Index);
    Click();
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    TWeakRef<TCustomListBox> self(this);
    if (Button == mbLeft) {
        int index = ItemAtPos(TPoint{X, Y}, true);
        if (index >= 0) SelectByUser(index);  // OnClick may free the list box
    }
    if (self) TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::KeyDown(uint16_t& Key, TShiftState Shift) {
    TWeakRef<TCustomListBox> self(this);
    TWinControl::KeyDown(Key, Shift);
    if (!self) return;
    int count = FItems->Count();
    if (count == 0) return;
    int current = FItemIndex, next;
    int step = FColumns > 0 ? RowsPerColumn() : 0;  // Left and Right move by columns
    switch (Key) {
        case VK_UP: next = current - 1; break;
        case VK_DOWN: next = current + 1; break;
        case VK_LEFT:
            if (!step) return;
            next = current - step;
            break;
        case VK_RIGHT:
            if (!step) return;
            next = current + step;
            break;
        case VK_HOME: next = 0; break;
        case VK_END: next = count - 1; break;
        default: return;
    }
    // With nothing selected the arrows start at the first item.
    if (current < 0 && Key != VK_END) next = 0;
    Key = 0;
    next = std::clamp(next, 0, count - 1);
    if (next != current) SelectByUser(next);
}

VCL_IMPLEMENT_CLASS(TListBox)
void TListBox::DescribeClass(ClassBuilder<TListBox>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle).Default(bsSingle);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clWindow).Stored(&TListBox::IsColorStored);
    c.Property("Columns", &TCustomListBox::Columns, &TCustomListBox::SetColumns).Default(0);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("ExtendedSelect", &TListBox::FExtendedSelect).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TListBox::IsFontStored);
    c.Property("IntegralHeight", &TListBox::FIntegralHeight).Default(false);
    // The default differs from the initial 13, as the measured height is
    // always written.
    c.Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight).Default(16);
    c.Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
    c.Property("MultiSelect", &TListBox::FMultiSelect).Default(false);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("ScrollWidth", &TListBox::FScrollWidth).Default(0);
    c.Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
    c.Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle).Default(lbStandard);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnDrawItem", &TCustomListBox::OnDrawItem);
    c.Property("OnMeasureItem", &TCustomListBox::OnMeasureItem);
    c.Property("OnSelectionChange", &TCustomListBox::OnSelectionChange);
    PublishFocusKeyMouseEvents(c);
}

// ---------------------------------------------------------------------------
// Drawing

void TCustomLabel::Paint(TCanvas& Canvas) const {
    TRect r = GetClientRect();
    if (!FTransparent) {
        Canvas.Brush.Color = FColor;
        Canvas.FillRect(r);
    }
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Alignment = FAlignment;
    f.Layout = FLayout;
    f.WordWrap = FWordWrap;
    f.Enabled = IsEnabledForInput();
    look::DrawCaption(Canvas, r, FText, f);
}

void TCustomEdit::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (FBorderStyle == bsSingle) look::SunkenEdge(Canvas, r);
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    look::UseFont(Canvas, *this);
    if (!IsEnabledForInput()) Canvas.Font()->SetColor(clGrayText);
    const std::string_view text = FText;
    const int32_t th = Canvas.TextHeight(text);
    const int32_t x = FClientInsets.Left + TextLeft();
    const int32_t y = r.Top + std::clamp((r.Height() - th) / 2, 0, 2);
    Canvas.Brush.Style = bsClear;
    Canvas.TextRect(r, x, y, text);
    const bool focused = Focused();
    if (focused && SelLength() > 0) {
        TRect sel{x + TextX(SelStart()), y, x + TextX(SelStart() + SelLength()), y + th};
        sel = TRect{std::max(sel.Left, r.Left), sel.Top, std::min(sel.Right, r.Right), std::min(sel.Bottom, r.Bottom)};
        if (!sel.Empty()) {
            Canvas.Brush.Style = bsSolid;
            Canvas.Brush.Color = clHighlight;
            Canvas.Font()->SetColor(clHighlightText);
            Canvas.TextRect(sel, x, y, text);
        }
    }
    if (focused) {
        int32_t cx = x + TextX(FCaret);
        Canvas.Pen.Color = FFont->Color();
        Canvas.MoveTo(cx, std::max(y, r.Top));
        Canvas.LineTo(cx, std::min(y + th, r.Bottom));
    }
}

void TButton::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    const bool focused = Focused();
    look::ButtonFace(Canvas, r, Pressed(), FDefault || focused);
    if (Pressed()) r = TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Alignment = taCenter;
    f.Layout = tlCenter;
    f.Enabled = IsEnabledForInput();
    look::DrawCaption(Canvas, r, FText, f);
    if (focused) Canvas.DrawFocusRect(TRect{4, 4, FWidth - 4, FHeight - 4});
}

namespace {

// Check boxes and radio buttons: the mark at one side, vertically centred,
// the caption on the other, and a focus rectangle round the caption.
template <class Draw>
void PaintChoice(TCanvas& Canvas, const TButtonControl& Control, TAlignment Alignment, int32_t MarkSize,
                 Draw DrawMark) {
    const int32_t w = Control.Width(), h = Control.Height();
    Canvas.Brush.Color = Control.Color();
    Canvas.FillRect(TRect{0, 0, w, h});
    const bool right = Alignment == taRightJustify;  // the caption right of the mark
    const int32_t markX = right ? 0 : w - MarkSize;
    DrawMark(markX, (h - MarkSize) / 2);
    const int32_t gap = 17 - MarkSize;
    TRect text = right ? TRect{MarkSize + gap, 0, w, h} : TRect{0, 0, w - MarkSize - gap, h};
    look::UseFont(Canvas, Control);
    look::TTextFormat f;
    f.Layout = tlCenter;
    f.Enabled = Control.IsEnabledForInput();
    TRect covered = look::DrawCaption(Canvas, text, Control.Caption(), f);
    if (Control.Focused() && !Control.Caption().empty())
        Canvas.DrawFocusRect(TRect{covered.Left - 1, std::max(0, covered.Top - 1), std::min(w, covered.Right + 1),
                                   std::min(h, covered.Bottom + 1)});
}

}  // namespace

void TCustomCheckBox::Paint(TCanvas& Canvas) const {
    bool shaded = Pressed() || !IsEnabledForInput();
    PaintChoice(Canvas, *this, FAlignment, look::kCheckSize,
                [&](int32_t x, int32_t y) { look::CheckBox(Canvas, x, y, FState, shaded); });
}

void TRadioButton::Paint(TCanvas& Canvas) const {
    bool shaded = Pressed() || !IsEnabledForInput();
    PaintChoice(Canvas, *this, FAlignment, look::kRadioSize,
                [&](int32_t x, int32_t y) { look::RadioButton(Canvas, x, y, FChecked, shaded); });
}

void TCustomGroupBox::Paint(TCanvas& Canvas) const {
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(TRect{0, 0, FWidth, FHeight});
    look::UseFont(Canvas, *this);
    const int32_t top = Canvas.TextHeight("0") / 2 - 1;
    // Etched: the highlight a pixel down and right of the shadow.
    Canvas.Brush.Color = clBtnHighlight;
    Canvas.FrameRect(TRect{1, top + 1, FWidth, FHeight});
    Canvas.Brush.Color = clBtnShadow;
    Canvas.FrameRect(TRect{0, top, FWidth - 1, FHeight - 1});
    if (FText.empty()) return;
    look::TTextFormat f;
    f.Enabled = IsEnabledForInput();
    const TRect room{8, 0, FWidth, FHeight};
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(look::MeasureCaption(Canvas, room, FText, f));
    look::DrawCaption(Canvas, room, FText, f);
}

void TCustomListBox::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (FBorderStyle == bsSingle) look::SunkenEdge(Canvas, r);
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    // Items keep inside the border.
    TRect clip = Canvas.Clip();
    TPoint o = Canvas.Origin();
    TRect inner{r.Left + o.x, r.Top + o.y, r.Right + o.x, r.Bottom + o.y};
    Canvas.SetClip(TRect{std::max(clip.Left, inner.Left), std::max(clip.Top, inner.Top),
                         std::min(clip.Right, inner.Right), std::min(clip.Bottom, inner.Bottom)});
    look::UseFont(Canvas, *this);
    const TRect client = GetClientRect();
    for (int i = std::max(0, FTopIndex); i < FItems->Count(); ++i) {
        TRect item = ItemRect(i);
        if (FColumns == 0 ? item.Top >= client.Bottom : item.Left >= client.Right) break;
        TRect at{item.Left + FClientInsets.Left, item.Top + FClientInsets.Top, item.Right + FClientInsets.Left,
                 item.Bottom + FClientInsets.Top};
        Canvas.Brush = TBrush{};
        DrawItem(Canvas, i, at);
    }
    Canvas.SetClip(clip);
}

void TCustomListBox::DrawItem(TCanvas& Canvas, int Index, TRect R) const {
    const bool selected = Index == FItemIndex;
    Canvas.Brush.Color = selected ? clHighlight : FColor;
    Canvas.FillRect(R);
    TColor text = FFont->Color();
    Canvas.Font()->SetColor(selected ? clHighlightText : text);
    look::TTextFormat f;
    f.Layout = tlCenter;
    f.Prefix = false;
    f.Enabled = IsEnabledForInput();
    look::DrawCaption(Canvas, TRect{R.Left + 2, R.Top, R.Right, R.Bottom}, FItems->Get(Index), f);
    Canvas.Font()->SetColor(text);
    if (selected && Focused()) Canvas.DrawFocusRect(R);
}

void RegisterStdControls() {
    RegisterClasses({TLabel::StaticClass(), TEdit::StaticClass(), TButton::StaticClass(), TCheckBox::StaticClass(),
                     TRadioButton::StaticClass(), TGroupBox::StaticClass(), TListBox::StaticClass(),
                     TMemo::StaticClass(), TComboBox::StaticClass(), TStaticText::StaticClass()});
}

}  // namespace vcl
