#include "framework/ComCtrls.h"

#include <algorithm>
#include <cmath>

#include "framework/ActnList.h"
#include "framework/Canvas.h"
#include "framework/ClassicLook.h"
#include "framework/Streaming.h"

namespace vcl {

namespace {

// The common published properties of windowed common controls.
// Color and ParentColor default to what a fresh control has.
template <class C>
void PublishWinBasics(ClassBuilder<C>& c, bool TabStop, TColor Color = clBtnFace, bool ParentColor = true) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(Color).Stored(&C::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&C::IsFontStored);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(ParentColor);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(TabStop);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    PublishFocusKeyMouseEvents(c);
}

// A sunken white field, R shrinking inside its edge.
void Field(TCanvas& Canvas, TRect& R, TColor Color) {
    look::SunkenEdge(Canvas, R);
    Canvas.Brush.Color = Color;
    Canvas.FillRect(R);
}

// A small filled arrow pointing up (Up) or down, centred in R.
void Arrow(TCanvas& Canvas, TRect R, bool Up, TColor Color) {
    const int32_t ax = R.Left + (R.Width() - 7) / 2, ay = R.Top + (R.Height() - 4) / 2;
    for (int32_t i = 0; i < 4; ++i) {
        const int32_t row = Up ? ay + 3 - i : ay + i;
        for (int32_t x = ax + i; x < ax + 7 - i; ++x) Canvas.Pixel(x, row, Color);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomTabControl

VCL_IMPLEMENT_CLASS(TCustomTabControl)
void TCustomTabControl::DescribeClass(ClassBuilder<TCustomTabControl>&) {}

template <class C>
void TCustomTabControl::PublishTabProperties(ClassBuilder<C>& c) {
    c.Property("HotTrack", &C::FHotTrack).Default(false);
    c.Property("Images", &C::Images, &C::SetImages);
    c.Property("MultiLine", &C::FMultiLine).Default(false);
    c.Property("OwnerDraw", &C::FOwnerDraw).Default(false);
    c.Property("RaggedRight", &C::FRaggedRight).Default(false);
    c.Property("ScrollOpposite", &C::FScrollOpposite).Default(false);
    c.Property("ShowTabs", &C::FShowTabs).Default(true);
    c.Property("Style", &C::FStyle).Default(tsTabs);
    c.Property("TabHeight", &C::FTabHeightValue).Default(0);
    c.Property("TabPosition", &C::FTabPosition).Default(tpTop);
    c.Property("TabWidth", &C::FTabWidthValue).Default(0);
    c.Property("OnChange", &C::OnChange);
    c.Property("OnChanging", &C::OnChanging);
    PublishWinBasics(c, true, clBtnFace, false);
}

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 289;
    FHeight = 193;
    FTabStop = true;
    FParentColor = false;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
}

TRect TCustomTabControl::TabRect(int Index) const {
    std::vector<AnsiString> captions = TabCaptions();
    if (!FShowTabs || Index < 0 || Index >= static_cast<int>(captions.size())) return {};
    TBitmapData nothing;
    TCanvas canvas(nothing);
    look::UseFont(canvas, *this);
    int32_t x = 2;
    for (int i = 0; i < Index; ++i) x += canvas.TextWidth(captions[static_cast<size_t>(i)]) + 12;
    return TRect{x, 2, x + canvas.TextWidth(captions[static_cast<size_t>(Index)]) + 12, 2 + kTabHeight - 2};
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) const {
    // Aligned children keep inside the page's raised frame, below the tabs.
    Rect.Top += (FShowTabs ? kTabHeight : 0) + 2;
    Rect.Left += 2;
    Rect.Right = std::max(Rect.Left, Rect.Right - 2);
    Rect.Bottom = std::max(Rect.Top, Rect.Bottom - 2);
}

void TCustomTabControl::Paint(TCanvas& Canvas) const {
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(TRect{0, 0, FWidth, FHeight});
    const int32_t top = FShowTabs ? kTabHeight : 0;
    TRect page{0, top, FWidth, FHeight};
    Canvas.Frame3D(page, clBtnHighlight, cl3DDkShadow);
    Canvas.Frame3D(page, cl3DLight, clBtnShadow);
    if (!FShowTabs) return;
    std::vector<AnsiString> captions = TabCaptions();
    const int selected = SelectedTab();
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Alignment = taCenter;
    f.Layout = tlCenter;
    f.Enabled = IsEnabledForInput();
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
        TRect tab = TabRect(i);
        if (i == selected) tab = TRect{tab.Left - 2, tab.Top - 2, tab.Right + 2, tab.Bottom + 1};
        // Highlight on the left and top, shadow on the right; open at the bottom.
        Canvas.Brush.Color = FColor;
        Canvas.FillRect(tab);
        Canvas.Brush.Color = clBtnHighlight;
        Canvas.FillRect(TRect{tab.Left, tab.Top + 1, tab.Left + 1, tab.Bottom});
        Canvas.FillRect(TRect{tab.Left + 1, tab.Top, tab.Right - 1, tab.Top + 1});
        Canvas.Brush.Color = cl3DDkShadow;
        Canvas.FillRect(TRect{tab.Right - 1, tab.Top + 1, tab.Right, tab.Bottom});
        Canvas.Brush.Color = clBtnShadow;
        Canvas.FillRect(TRect{tab.Right - 2, tab.Top + 1, tab.Right - 1, tab.Bottom});
        look::DrawCaption(Canvas, tab, captions[static_cast<size_t>(i)], f);
        if (i == selected && Focused()) Canvas.DrawFocusRect(TRect{tab.Left + 3, tab.Top + 3, tab.Right - 3, tab.Bottom - 2});
    }
}

void TCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft) {
        const TPoint p{X + FClientInsets.Left, Y + FClientInsets.Top};
        const int count = static_cast<int>(TabCaptions().size());
        for (int i = 0; i < count; ++i)
            if (TabRect(i).Contains(p)) {
                TWeakRef<TCustomTabControl> self(this);
                TabClicked(i);
                if (!self) return;
                break;
            }
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------
// TTabSheet

VCL_IMPLEMENT_CLASS(TTabSheet)
void TTabSheet::DescribeClass(ClassBuilder<TTabSheet>& c) {
    // A sheet fills its page control: its place is not stored.
    c.Property("Left", &TControl::Left, &TControl::SetLeft).Stored(false);
    c.Property("Top", &TControl::Top, &TControl::SetTop).Stored(false);
    c.Property("Width", &TControl::Width, &TControl::SetWidth).Stored(false);
    c.Property("Height", &TControl::Height, &TControl::SetHeight).Stored(false);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    // The sheet's size follows from its page control.
    c.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight).Stored(false);
    c.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth).Stored(false);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TTabSheet::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TTabSheet::IsFontStored);
    c.Property("Highlighted", &TTabSheet::FHighlighted).Default(false);
    c.Property("ImageIndex", &TTabSheet::ImageIndex).Default(-1);
    c.Property("PageIndex", &TTabSheet::PageIndex, nullptr).Stored(false);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    c.Property("OnEnter", &TWinControl::OnEnter);
    c.Property("OnExit", &TWinControl::OnExit);
    c.Property("OnHide", &TTabSheet::OnHide);
    c.Property("OnShow", &TTabSheet::OnShow);
    PublishMouseEvents(c);
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    FAlign = alClient;
    FVisible = false;
}

void TTabSheet::SetParent(TWinControl* AParent) {
    TWinControl::SetParent(AParent);
    TPageControl* old = FPageControl.Get();
    FPageControl = dynamic_cast<TPageControl*>(AParent);
    if (old && old != FPageControl.Get()) old->UpdateSheets();
    if (TPageControl* pc = FPageControl.Get()) pc->UpdateSheets();
}

void TTabSheet::SetPageControl(TPageControl* v) { SetParent(v); }

void TTabSheet::SetTabVisible(bool v) {
    if (v == FTabVisible) return;
    FTabVisible = v;
    if (TPageControl* pc = FPageControl.Get()) pc->UpdateSheets();
}

int32_t TTabSheet::PageIndex() const {
    TPageControl* pc = FPageControl.Get();
    if (!pc) return -1;
    for (int i = 0; i < pc->PageCount(); ++i)
        if (pc->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::Paint(TCanvas& Canvas) const {
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(TRect{0, 0, FWidth, FHeight});
}

// ---------------------------------------------------------------------------
// TPageControl

VCL_IMPLEMENT_CLASS(TPageControl)
void TPageControl::DescribeClass(ClassBuilder<TPageControl>& c) {
    c.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    // ActivePage says it; Delphi also writes the index.
    c.Property("TabIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex).Stored(false);
    PublishTabProperties(c);
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

int TPageControl::PageCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TTabSheet*>(Controls(i))) ++n;
    return n;
}

TTabSheet* TPageControl::Pages(int Index) const {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* s = dynamic_cast<TTabSheet*>(Controls(i)))
            if (Index-- == 0) return s;
    return nullptr;
}

std::vector<TTabSheet*> TPageControl::VisibleSheets() const {
    std::vector<TTabSheet*> sheets;
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabVisible()) sheets.push_back(Pages(i));
    return sheets;
}

std::vector<AnsiString> TPageControl::TabCaptions() const {
    std::vector<AnsiString> captions;
    for (TTabSheet* s : VisibleSheets()) captions.push_back(s->Caption());
    return captions;
}

int TPageControl::SelectedTab() const {
    std::vector<TTabSheet*> sheets = VisibleSheets();
    auto it = std::find(sheets.begin(), sheets.end(), FActivePage.Get());
    return it == sheets.end() ? -1 : static_cast<int>(it - sheets.begin());
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int v) { SetActivePage(Pages(v)); }

void TPageControl::SetActivePage(TTabSheet* Page) {
    if (Page && Page->PageControl() != this) return;
    FActivePage = Page;
    UpdateSheets();
}

void TPageControl::UpdateSheets() {
    // Without an active page the first sheet with a tab shows.
    if (!FActivePage || FActivePage->PageControl() != this) {
        std::vector<TTabSheet*> sheets = VisibleSheets();
        FActivePage = sheets.empty() ? nullptr : sheets.front();
    }
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* s = Pages(i);
        s->SetVisible(s == FActivePage.Get());
    }
    Invalidate();
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    UpdateSheets();
}

void TPageControl::TabClicked(int Index) {
    std::vector<TTabSheet*> sheets = VisibleSheets();
    if (Index < 0 || Index >= static_cast<int>(sheets.size()) || sheets[static_cast<size_t>(Index)] == FActivePage.Get())
        return;
    TWeakRef<TPageControl> self(this);
    bool allow = true;
    OnChanging(this, allow);
    if (!self || !allow) return;
    TWeakRef<TTabSheet> old(FActivePage.Get()), next(sheets[static_cast<size_t>(Index)]);
    if (old) old->OnHide(old.Get());
    if (!self || !next) return;
    SetActivePage(next.Get());
    next->OnShow(next.Get());
    if (self) OnChange(this);
}

// ---------------------------------------------------------------------------
// TTabControl

VCL_IMPLEMENT_CLASS(TTabControl)
void TTabControl::DescribeClass(ClassBuilder<TTabControl>& c) {
    c.Property("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs);
    c.Property("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex).Default(-1);
    PublishTabProperties(c);
}

TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner), FTabs(new TStringList()) {}
TTabControl::~TTabControl() { FTabs->Free(); }

void TTabControl::SetTabIndex(int v) {
    FTabIndex = v;
    Invalidate();
}

std::vector<AnsiString> TTabControl::TabCaptions() const {
    std::vector<AnsiString> captions;
    for (int i = 0; i < FTabs->Count(); ++i) captions.push_back(FTabs->Get(i));
    return captions;
}

void TTabControl::TabClicked(int Index) {
    if (Index == FTabIndex) return;
    TWeakRef<TTabControl> self(this);
    bool allow = true;
    OnChanging(this, allow);
    if (!self || !allow) return;
    SetTabIndex(Index);
    OnChange(this);
}

// ---------------------------------------------------------------------------
// TStatusBar

VCL_IMPLEMENT_CLASS(TStatusPanel)
void TStatusPanel::DescribeClass(ClassBuilder<TStatusPanel>& c) {
    c.Property("Alignment", &TStatusPanel::Alignment).Default(taLeftJustify);
    c.Property("Bevel", &TStatusPanel::Bevel).Default(pbLowered);
    c.Property("BiDiMode", &TStatusPanel::BiDiMode).Default(bdLeftToRight);
    c.Property("ParentBiDiMode", &TStatusPanel::ParentBiDiMode).Default(true);
    c.Property("Style", &TStatusPanel::Style).Default(psText);
    c.Property("Text", &TStatusPanel::Text);
    c.Property("Width", &TStatusPanel::Width);
}

VCL_IMPLEMENT_CLASS(TStatusPanels)
void TStatusPanels::DescribeClass(ClassBuilder<TStatusPanels>&) {}

TStatusPanels::TStatusPanels(TStatusBar* Owner) : TCollection(TStatusPanel::StaticClass()), FStatusBar(Owner) {}
TPersistent* TStatusPanels::GetOwner() { return FStatusBar; }
void TStatusPanels::Update(TCollectionItem*) { FStatusBar->Invalidate(); }

VCL_IMPLEMENT_CLASS(TStatusBar)
void TStatusBar::DescribeClass(ClassBuilder<TStatusBar>& c) {
    c.Property("AutoHint", &TStatusBar::FAutoHint).Default(false);
    c.Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    c.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
    c.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    c.Property("SizeGrip", &TStatusBar::FSizeGrip).Default(true);
    c.Property("UseSystemFont", &TStatusBar::FUseSystemFont).Default(true);
    c.Property("OnDrawPanel", &TStatusBar::OnDrawPanel);
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alBottom);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace).Stored(&TStatusBar::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TStatusBar::IsFontStored);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    PublishMouseEvents(c);
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), FPanels(new TStatusPanels(this)) {
    FWidth = 200;
    FHeight = 19;
    FAlign = alBottom;
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
}

TStatusBar::~TStatusBar() { FPanels->Free(); }

void TStatusBar::SetSimpleText(const AnsiString& v) {
    FSimpleText = v;
    Invalidate();
}

void TStatusBar::SetSimplePanel(bool v) {
    FSimplePanel = v;
    Invalidate();
}

void TStatusBar::Paint(TCanvas& Canvas) const {
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(TRect{0, 0, FWidth, FHeight});
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Layout = tlCenter;
    f.Prefix = false;
    auto panel = [&](TRect r, const AnsiString& text, TAlignment a, TStatusPanelBevel bevel) {
        if (bevel == pbLowered) Canvas.Frame3D(r, clBtnShadow, clBtnHighlight);
        else if (bevel == pbRaised) Canvas.Frame3D(r, clBtnHighlight, clBtnShadow);
        f.Alignment = a;
        look::DrawCaption(Canvas, TRect{r.Left + 2, r.Top, r.Right - 2, r.Bottom}, text, f);
    };
    const int32_t top = 2, bottom = FHeight;
    const int32_t grip = FSizeGrip ? 14 : 0;
    if (FSimplePanel || FPanels->Count() == 0) {
        panel(TRect{0, top, FWidth - grip, bottom}, FSimpleText, taLeftJustify, pbLowered);
    } else {
        int32_t x = 0;
        for (int i = 0; i < FPanels->Count() && x < FWidth; ++i) {
            const TStatusPanel* p = FPanels->Items(i);
            const bool last = i == FPanels->Count() - 1;
            const int32_t right = last ? std::max(x, FWidth - grip) : std::min(FWidth, x + p->Width);
            panel(TRect{x, top, right, bottom}, p->Text, p->Alignment, p->Bevel);
            x = right + 2;
        }
    }
    if (FSizeGrip)
        for (int32_t i = 0; i < 3; ++i)
            for (int32_t d = 0; d < 2; ++d) {
                const int32_t o = 4 * i + 2 + d;
                Canvas.Pen.Color = d == 0 ? clBtnHighlight : clBtnShadow;
                Canvas.MoveTo(FWidth - 1, FHeight - 1 - o);
                Canvas.LineTo(FWidth - 1 - o, FHeight - 1);
            }
}

// ---------------------------------------------------------------------------
// TToolBar, TToolButton

VCL_IMPLEMENT_CLASS(TToolButton)
void TToolButton::DescribeClass(ClassBuilder<TToolButton>& c) {
    c.Property("AllowAllUp", &TToolButton::FAllowAllUp).Default(false);
    c.Property("AutoSize", &TToolButton::FAutoSize).Default(false);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
    c.Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Grouped", &TToolButton::FGrouped).Default(false);
    c.Property("ImageIndex", &TToolButton::ImageIndex).Default(-1);
    c.Property("ImageName", &TToolButton::FImageName);
    c.Property("Indeterminate", &TToolButton::FIndeterminate).Default(false);
    c.Property("Marked", &TToolButton::FMarked).Default(false);
    c.Property("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("Wrap", &TToolButton::FWrap).Default(false);
    c.Property("OnClick", &TControl::OnClick);
    PublishMouseEvents(c);
}

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    FWidth = 23;
    FHeight = 22;
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks};
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(FParent); }

void TToolButton::SetStyle(TToolButtonStyle v) {
    FStyle = v;
    Invalidate();
}

void TToolButton::SetDown(bool v) {
    FDown = v;
    Invalidate();
}

void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft && FStyle != tbsSeparator && FStyle != tbsDivider) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const bool click = Button == mbLeft && FPressed && GetClientRect().Contains(TPoint{X, Y});
    if (Button == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TWeakRef<TToolButton> self(this);
    if (click) Click();
    if (self) TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TToolButton::Click() {
    if (FStyle == tbsCheck) SetDown(!FDown || (FGrouped && !FAllowAllUp));
    if (!OnClick && Action()) {
        Action()->Execute();
        return;
    }
    TGraphicControl::Click();
}

void TToolButton::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (FStyle == tbsSeparator) return;
    if (FStyle == tbsDivider) {
        const int32_t x = FWidth / 2 - 1;
        Canvas.Brush.Color = clBtnShadow;
        Canvas.FillRect(TRect{x, 2, x + 1, FHeight - 2});
        Canvas.Brush.Color = clBtnHighlight;
        Canvas.FillRect(TRect{x + 1, 2, x + 2, FHeight - 2});
        return;
    }
    const TToolBar* bar = ToolBar();
    const bool flat = !bar || bar->Flat();
    const bool pressed = FPressed || FDown;
    if (pressed) Canvas.Frame3D(r, clBtnShadow, clBtnHighlight);
    else if (!flat) Canvas.Frame3D(r, clBtnHighlight, clBtnShadow);
    if (bar && !bar->ShowCaptions()) return;
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Alignment = taCenter;
    f.Layout = tlBottom;
    f.Enabled = IsEnabledForInput();
    TRect text{0, 0, FWidth, FHeight - 3};
    if (pressed) text = TRect{1, 1, FWidth + 1, FHeight - 2};
    look::DrawCaption(Canvas, text, FText, f);
}

VCL_IMPLEMENT_CLASS(TToolBar)
void TToolBar::DescribeClass(ClassBuilder<TToolBar>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alTop);
    c.Property("AutoSize", &TToolBar::FAutoSize).Default(false);
    c.Property("BorderWidth", &TToolBar::FBorderWidth).Default(0);
    c.Property("ButtonHeight", &TToolBar::FButtonHeight).Default(22);
    c.Property("ButtonWidth", &TToolBar::FButtonWidth).Default(23);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace).Stored(&TToolBar::IsColorStored);
    c.Property("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages);
    c.Property("EdgeBorders", &TToolBar::FEdgeBorders).Default(TEdgeBorders{ebTop});
    c.Property("EdgeInner", &TToolBar::FEdgeInner).Default(esRaised);
    c.Property("EdgeOuter", &TToolBar::FEdgeOuter).Default(esLowered);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Flat", &TToolBar::FFlat).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TToolBar::IsFontStored);
    c.Property("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages);
    c.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
    c.Property("Indent", &TToolBar::FIndent).Default(0);
    c.Property("List", &TToolBar::FList).Default(false);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("ShowCaptions", &TToolBar::FShowCaptions).Default(false);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    c.Property("Transparent", &TToolBar::FTransparent).Default(false);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("Wrapable", &TToolBar::FWrapable).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    PublishMouseEvents(c);
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 150;
    FHeight = 29;
    FAlign = alTop;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
}

void TToolBar::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    // The edges: an etched line along each border edge.
    auto edge = [&](TRect line, bool horizontal) {
        Canvas.Brush.Color = clBtnShadow;
        Canvas.FillRect(line);
        Canvas.Brush.Color = clBtnHighlight;
        Canvas.FillRect(horizontal ? TRect{line.Left, line.Top + 1, line.Right, line.Bottom + 1}
                                   : TRect{line.Left + 1, line.Top, line.Right + 1, line.Bottom});
    };
    if (FEdgeBorders.Contains(ebTop)) edge(TRect{0, 0, FWidth, 1}, true);
    if (FEdgeBorders.Contains(ebBottom)) edge(TRect{0, FHeight - 2, FWidth, FHeight - 1}, true);
    if (FEdgeBorders.Contains(ebLeft)) edge(TRect{0, 0, 1, FHeight}, false);
    if (FEdgeBorders.Contains(ebRight)) edge(TRect{FWidth - 2, 0, FWidth - 1, FHeight}, false);
}

// ---------------------------------------------------------------------------
// TListView

VCL_IMPLEMENT_CLASS(TListColumn)
void TListColumn::DescribeClass(ClassBuilder<TListColumn>& c) {
    c.Property("Alignment", &TListColumn::Alignment).Default(taLeftJustify);
    c.Property("AutoSize", &TListColumn::AutoSize).Default(false);
    c.Property("Caption", &TListColumn::Caption);
    c.Property("ImageIndex", &TListColumn::ImageIndex).Default(-1);
    c.Property("MaxWidth", &TListColumn::MaxWidth).Default(0);
    c.Property("MinWidth", &TListColumn::MinWidth).Default(0);
    c.Property("Tag", &TListColumn::Tag).Default(0);
    c.Property("Visible", &TListColumn::Visible).Default(true);
    c.Property("Width", &TListColumn::Width).Default(50);
}

VCL_IMPLEMENT_CLASS(TListColumns)
void TListColumns::DescribeClass(ClassBuilder<TListColumns>&) {}
TListColumns::TListColumns(TControl* Owner) : TCollection(TListColumn::StaticClass()), FOwner(Owner) {}

VCL_IMPLEMENT_CLASS(TListItems)
void TListItems::DescribeClass(ClassBuilder<TListItems>&) {}

void TListItems::DefineProperties(TFiler& Filer) {
    // Delphi's and Lazarus' binary item records, kept byte for byte.
    Filer.DefineProperty(
        "ItemData", [this](TReader& r) { FItemData = r.ReadBinary(); },
        [this](TWriter& w) { w.WriteBinary(FItemData); }, !FItemData.empty());
    Filer.DefineProperty(
        "LazData", [this](TReader& r) { FLazData = r.ReadBinary(); }, [this](TWriter& w) { w.WriteBinary(FLazData); },
        !FLazData.empty());
    Filer.DefineProperty(
        "Data", [this](TReader& r) { FData = r.ReadBinary(); }, [this](TWriter& w) { w.WriteBinary(FData); },
        !FData.empty());
}

VCL_IMPLEMENT_CLASS(TListView)
void TListView::DescribeClass(ClassBuilder<TListView>& c) {
    c.Property("BorderStyle", &TListView::FBorderStyle).Default(bsSingle);
    c.Property("Checkboxes", &TListView::FCheckboxes).Default(false);
    c.Property("Columns", &TListView::Columns, &TListView::SetColumns);
    c.Property("GridLines", &TListView::FGridLines).Default(false);
    c.Property("GroupView", &TListView::FGroupView).Default(false);
    c.Property("HideSelection", &TListView::FHideSelection).Default(true);
    c.Property("Items", &TListView::Items, nullptr);
    c.Property("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
    c.Property("MultiSelect", &TListView::FMultiSelect).Default(false);
    c.Property("OwnerData", &TListView::FOwnerData).Default(false);
    c.Property("ReadOnly", &TListView::FReadOnly).Default(false);
    c.Property("RowSelect", &TListView::FRowSelect).Default(false);
    c.Property("ShowColumnHeaders", &TListView::FShowColumnHeaders).Default(true);
    c.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
    c.Property("StateImages", &TListView::StateImages, &TListView::SetStateImages);
    c.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle).Default(vsIcon);
    c.Property("OnChange", &TListView::OnChange);
    c.Property("OnChanging", &TListView::OnChanging);
    c.Property("OnData", &TListView::OnData);
    c.Property("OnDeletion", &TListView::OnDeletion);
    c.Property("OnSelectItem", &TListView::OnSelectItem);
    PublishWinBasics(c, true, clWindow, false);
}

TListView::TListView(TComponent* AOwner) : TWinControl(AOwner), FColumns(new TListColumns(this)) {
    FWidth = 250;
    FHeight = 150;
    FColor = clWindow;
    FParentColor = false;
    FTabStop = true;
    FClientInsets = TRect{2, 2, 2, 2};
}

TListView::~TListView() { FColumns->Free(); }

void TListView::SetViewStyle(TViewStyle v) {
    FViewStyle = v;
    Invalidate();
}

void TListView::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (FBorderStyle == bsSingle) Field(Canvas, r, FColor);
    else {
        Canvas.Brush.Color = FColor;
        Canvas.FillRect(r);
    }
    if (FViewStyle != vsReport || !FShowColumnHeaders) return;
    look::UseFont(Canvas, *this);
    look::TTextFormat f;
    f.Layout = tlCenter;
    f.Prefix = false;
    int32_t x = r.Left;
    const int32_t h = std::min<int32_t>(r.Height(), 17);
    for (int i = 0; i < FColumns->Count() && x < r.Right; ++i) {
        const TListColumn* col = FColumns->Items(i);
        if (!col->Visible) continue;
        TRect head{x, r.Top, std::min(r.Right, x + col->Width), r.Top + h};
        look::ButtonFace(Canvas, head, false, false);
        f.Alignment = col->Alignment;
        look::DrawCaption(Canvas, TRect{head.Left + 3, head.Top, head.Right - 3, head.Bottom}, col->Caption, f);
        x += col->Width;
    }
    if (x < r.Right) {
        TRect rest{x, r.Top, r.Right, r.Top + h};
        look::ButtonFace(Canvas, rest, false, false);
    }
}

// ---------------------------------------------------------------------------
// TTreeView

VCL_IMPLEMENT_CLASS(TTreeView)
void TTreeView::DescribeClass(ClassBuilder<TTreeView>& c) {
    c.Property("AutoExpand", &TTreeView::FAutoExpand).Default(false);
    c.Property("BorderStyle", &TTreeView::FBorderStyle).Default(bsSingle);
    c.Property("HideSelection", &TTreeView::FHideSelection).Default(true);
    c.Property("Images", &TTreeView::Images, &TTreeView::SetImages);
    c.Property("Indent", &TTreeView::FIndent).Default(19);
    // The nodes' stored data, kept as read.
    c.Property("Items", &TTreeView::Items, nullptr);
    c.Property("ReadOnly", &TTreeView::FReadOnly).Default(false);
    c.Property("RightClickSelect", &TTreeView::FRightClickSelect).Default(false);
    c.Property("RowSelect", &TTreeView::FRowSelect).Default(false);
    c.Property("ScrollBars", &TTreeView::FScrollBars).Default(ssBoth);
    c.Property("ShowButtons", &TTreeView::FShowButtons).Default(true);
    c.Property("ShowLines", &TTreeView::FShowLines).Default(true);
    c.Property("ShowRoot", &TTreeView::FShowRoot).Default(true);
    c.Property("ToolTips", &TTreeView::FToolTips).Default(true);
    c.Property("OnChange", &TTreeView::OnChange);
    PublishWinBasics(c, true, clWindow, false);
}

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 121;
    FHeight = 97;
    FColor = clWindow;
    FParentColor = false;
    FTabStop = true;
    FClientInsets = TRect{2, 2, 2, 2};
}

void TTreeView::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    if (FBorderStyle == bsSingle) Field(Canvas, r, FColor);
    else {
        Canvas.Brush.Color = FColor;
        Canvas.FillRect(r);
    }
}

// ---------------------------------------------------------------------------
// TProgressBar, TUpDown, TTrackBar, TDateTimePicker

VCL_IMPLEMENT_CLASS(TProgressBar)
void TProgressBar::DescribeClass(ClassBuilder<TProgressBar>& c) {
    c.Property("MarqueeInterval", &TProgressBar::FMarqueeInterval).Default(10);
    c.Property("Max", &TProgressBar::Max).Default(100);
    c.Property("Min", &TProgressBar::Min).Default(0);
    c.Property("Orientation", &TProgressBar::FOrientation).Default(pbHorizontal);
    c.Property("Position", &TProgressBar::Position).Default(0);
    c.Property("Smooth", &TProgressBar::FSmooth).Default(false);
    c.Property("Step", &TProgressBar::Step).Default(10);
    c.Property("Style", &TProgressBar::FStyle).Default(pbstNormal);
    PublishWinBasics(c, false);
}

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 150;
    FHeight = 17;
}

void TProgressBar::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    Canvas.Frame3D(r, clBtnShadow, clBtnHighlight);
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(r);
    if (Max <= Min) return;
    const int64_t pos = int64_t{std::clamp(Position, Min, Max)} - Min;
    const bool vertical = FOrientation == pbVertical;
    const int32_t length = vertical ? r.Height() : r.Width();
    // In floating point: a position of 2^32 times a width of 2^31 does not fit 64 bits.
    const int32_t filled = static_cast<int32_t>(static_cast<double>(pos) * length / static_cast<double>(int64_t{Max} - Min));
    Canvas.Brush.Color = clHighlight;
    // Blocks of 10 pixels with a gap of 2, as the classic bar has them.
    for (int32_t at = 0; at < filled; at += 12) {
        const int32_t end = std::min(filled, at + 10);
        if (vertical) Canvas.FillRect(TRect{r.Left + 1, r.Bottom - end, r.Right - 1, r.Bottom - at});
        else Canvas.FillRect(TRect{r.Left + at, r.Top + 1, r.Left + end, r.Bottom - 1});
    }
}

VCL_IMPLEMENT_CLASS(TUpDown)
void TUpDown::DescribeClass(ClassBuilder<TUpDown>& c) {
    c.Property("AlignButton", &TUpDown::FAlignButton).Default(udRight);
    c.Property("ArrowKeys", &TUpDown::FArrowKeys).Default(true);
    c.Property("Associate", &TUpDown::Associate, &TUpDown::SetAssociate);
    c.Property("Increment", &TUpDown::Increment).Default(1);
    c.Property("Max", &TUpDown::Max).Default(100);
    c.Property("Min", &TUpDown::Min).Default(0);
    c.Property("Orientation", &TUpDown::FOrientation).Default(udVertical);
    c.Property("Position", &TUpDown::Position, &TUpDown::SetPosition).Default(0);
    c.Property("Thousands", &TUpDown::FThousands).Default(true);
    c.Property("Wrap", &TUpDown::FWrap).Default(false);
    PublishWinBasics(c, false);
}

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 17;
    FHeight = 21;
}

void TUpDown::SetAssociate(TWinControl* v) {
    FAssociate = v;
    SetPosition(FPosition);
}

void TUpDown::SetPosition(int32_t v) {
    if (!IsLoading()) v = std::clamp(v, Min, std::max(Min, Max));
    FPosition = v;
    if (auto* edit = dynamic_cast<TCustomEdit*>(FAssociate.Get()); edit && !IsLoading())
        edit->SetTextValue(IntToStr(v));
    Invalidate();
}

void TUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    if (Button == mbLeft) {
        const bool up = FOrientation == udVertical ? Y < FHeight / 2 : X >= FWidth / 2;
        int32_t next = FPosition + (up ? Increment : -Increment);
        if (FWrap && next > Max) next = Min;
        if (FWrap && next < Min) next = Max;
        TWeakRef<TUpDown> self(this);
        SetPosition(next);
        Click();
        if (!self) return;
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TUpDown::Paint(TCanvas& Canvas) const {
    const TColor arrow = IsEnabledForInput() ? clBtnText : clGrayText;
    if (FOrientation == udVertical) {
        TRect up{0, 0, FWidth, FHeight / 2}, down{0, FHeight / 2, FWidth, FHeight};
        look::ButtonFace(Canvas, up, false, false);
        look::ButtonFace(Canvas, down, false, false);
        Arrow(Canvas, up, true, arrow);
        Arrow(Canvas, down, false, arrow);
    } else {
        TRect left{0, 0, FWidth / 2, FHeight}, right{FWidth / 2, 0, FWidth, FHeight};
        look::ButtonFace(Canvas, left, false, false);
        look::ButtonFace(Canvas, right, false, false);
        // Sideways arrows: columns instead of rows.
        for (int side = 0; side < 2; ++side) {
            TRect b = side ? right : left;
            const int32_t ax = b.Left + (b.Width() - 4) / 2, ay = b.Top + (b.Height() - 7) / 2;
            for (int32_t i = 0; i < 4; ++i)
                for (int32_t y = ay + i; y < ay + 7 - i; ++y) Canvas.Pixel(side ? ax + i : ax + 3 - i, y, arrow);
        }
    }
}

VCL_IMPLEMENT_CLASS(TTrackBar)
void TTrackBar::DescribeClass(ClassBuilder<TTrackBar>& c) {
    c.Property("Frequency", &TTrackBar::Frequency).Default(1);
    c.Property("LineSize", &TTrackBar::LineSize).Default(1);
    c.Property("Max", &TTrackBar::Max).Default(10);
    c.Property("Min", &TTrackBar::Min).Default(0);
    c.Property("Orientation", &TTrackBar::FOrientation).Default(trHorizontal);
    c.Property("PageSize", &TTrackBar::PageSize).Default(2);
    c.Property("Position", &TTrackBar::Position).Default(0);
    c.Property("TickMarks", &TTrackBar::FTickMarks).Default(tmBottomRight);
    c.Property("TickStyle", &TTrackBar::FTickStyle).Default(tsAuto);
    c.Property("OnChange", &TTrackBar::OnChange);
    PublishWinBasics(c, true);
}

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 150;
    FHeight = 45;
    FTabStop = true;
}

void TTrackBar::Paint(TCanvas& Canvas) const {
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(TRect{0, 0, FWidth, FHeight});
    const bool vertical = FOrientation == trVertical;
    const int32_t length = (vertical ? FHeight : FWidth) - 24;
    TRect groove = vertical ? TRect{FWidth / 2 - 2, 12, FWidth / 2 + 2, FHeight - 12}
                            : TRect{12, FHeight / 2 - 6, FWidth - 12, FHeight / 2 - 2};
    look::SunkenEdge(Canvas, groove);
    if (length <= 0) return;
    // A form file may give Min above Max: the range is taken either way.
    const int32_t lo = std::min(Min, Max), hi = std::max(Min, Max);
    const int64_t span = std::max<int64_t>(1, int64_t{hi} - lo);
    const double along = static_cast<double>(std::clamp(Position, lo, hi) - int64_t{lo}) * length / static_cast<double>(span);
    const int32_t at = 12 + static_cast<int32_t>(along);
    TRect thumb = vertical ? TRect{FWidth / 2 - 10, at - 5, FWidth / 2 + 10, at + 6}
                           : TRect{at - 5, FHeight / 2 - 14, at + 6, FHeight / 2 + 6};
    look::ButtonFace(Canvas, thumb, false, false);
}

VCL_IMPLEMENT_CLASS(TDateTimePicker)
void TDateTimePicker::DescribeClass(ClassBuilder<TDateTimePicker>& c) {
    c.Property("Checked", &TDateTimePicker::FChecked).Default(true);
    c.Property("Date", &TDateTimePicker::Date);
    c.Property("DateFormat", &TDateTimePicker::FDateFormat).Default(dfShort);
    c.Property("Kind", &TDateTimePicker::FKind).Default(dtkDate);
    c.Property("MaxDate", &TDateTimePicker::MaxDate);
    c.Property("MinDate", &TDateTimePicker::MinDate);
    c.Property("ShowCheckbox", &TDateTimePicker::FShowCheckbox).Default(false);
    c.Property("Time", &TDateTimePicker::Time);
    c.Property("OnChange", &TDateTimePicker::OnChange);
    PublishWinBasics(c, true, clWindow, false);
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 186;
    FHeight = 21;
    FColor = clWindow;
    FParentColor = false;
    FTabStop = true;
}

std::string TDateTimePicker::DisplayText() const {
    // Days since 30 Dec 1899, the time of day as the fraction. 1 Jan 0001
    // and 31 Dec 9999 bound the calendar; nothing outside is converted.
    constexpr double FirstDay = -693593, LastDay = 2958466;
    const double value = FKind == dtkTime ? Time : Date;
    if (!std::isfinite(value) || value < FirstDay || value >= LastDay) return {};
    char buf[32];
    if (FKind == dtkTime) {
        const int64_t secs = std::llround(std::fabs(std::fmod(value, 1.0)) * 86400) % 86400;
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", static_cast<int>(secs / 3600),
                      static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60));
        return buf;
    }
    // Civil date from days since 1970-01-01 (H. Hinnant's algorithm).
    const int64_t z = static_cast<int64_t>(value) - 25569 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2);
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", static_cast<int>(d), static_cast<int>(m), static_cast<int>(y));
    return buf;
}

void TDateTimePicker::Paint(TCanvas& Canvas) const {
    TRect r{0, 0, FWidth, FHeight};
    Field(Canvas, r, FColor);
    const int32_t bw = std::min<int32_t>(r.Width(), 17);
    TRect button{r.Right - bw, r.Top, r.Right, r.Bottom};
    look::ButtonFace(Canvas, button, false, false);
    Arrow(Canvas, button, false, IsEnabledForInput() ? clBtnText : clGrayText);
    const std::string text = DisplayText();
    look::UseFont(Canvas, *this);
    if (!IsEnabledForInput()) Canvas.Font()->SetColor(clGrayText);
    look::TTextFormat f;
    f.Layout = tlCenter;
    f.Prefix = false;
    look::DrawCaption(Canvas, TRect{r.Left + 2, r.Top, button.Left, r.Bottom}, text, f);
}

void RegisterComCtrls() {
    RegisterClasses({TPageControl::StaticClass(), TTabSheet::StaticClass(), TTabControl::StaticClass(),
                     TStatusBar::StaticClass(), TToolBar::StaticClass(), TToolButton::StaticClass(),
                     TListView::StaticClass(), TTreeView::StaticClass(), TProgressBar::StaticClass(),
                     TUpDown::StaticClass(), TTrackBar::StaticClass(), TDateTimePicker::StaticClass()});
}

}  // namespace vcl
