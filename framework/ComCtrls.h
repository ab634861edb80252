// Common controls: page controls and their sheets, tab controls, status
// bars, tool bars, list views, tree views, progress bars, up-down buttons,
// track bars and date pickers, each drawn in the classic look.
#pragma once

#include <vector>

#include "framework/Controls.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"

namespace vcl {

class TPageControl;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// Tabs along the top and a raised page below them; the page controls and
// tab controls share it. TabRect gives each tab's place.
class TCustomTabControl : public TWinControl {
    VCL_CLASS(TCustomTabControl, TWinControl)
    explicit TCustomTabControl(TComponent* AOwner);
    static constexpr int32_t kTabHeight = 20;
    // The tab captions shown and the one selected (-1: none).
    virtual std::vector<AnsiString> TabCaptions() const = 0;
    virtual int SelectedTab() const = 0;
    TRect TabRect(int Index) const;
    void Paint(TCanvas& Canvas) const override;
    TNotifyEvent OnChange;
    TEvent<TObject*, bool&> OnChanging;

protected:
    void AdjustClientRect(TRect& Rect) const override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    // A click on tab Index.
    virtual void TabClicked(int Index) = 0;
    template <class C>
    static void PublishTabProperties(ClassBuilder<C>& c);
    TWeakRef<TCustomImageList> FImages;
    TCustomImageList* Images() const { return FImages.Get(); }
    void SetImages(TCustomImageList* v) { FImages = v; }
    bool FHotTrack = false;
    bool FMultiLine = false;
    bool FOwnerDraw = false;
    bool FRaggedRight = false;
    bool FScrollOpposite = false;
    bool FShowTabs = true;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    int32_t FTabHeightValue = 0;
    int32_t FTabWidthValue = 0;
};

// A page of a page control: shown while it is the active page.
class TTabSheet : public TWinControl {
    VCL_CLASS(TTabSheet, TWinControl)
    explicit TTabSheet(TComponent* AOwner);
    TPageControl* PageControl() const { return FPageControl.Get(); }
    void SetPageControl(TPageControl* v);
    void SetParent(TWinControl* AParent) override;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    int32_t ImageIndex = -1;
    int32_t PageIndex() const;
    void Paint(TCanvas& Canvas) const override;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

private:
    TWeakRef<TPageControl> FPageControl;
    bool FTabVisible = true;
    bool FHighlighted = false;
};

class TPageControl : public TCustomTabControl {
    VCL_CLASS(TPageControl, TCustomTabControl)
    explicit TPageControl(TComponent* AOwner);
    int PageCount() const;
    TTabSheet* Pages(int Index) const;
    TTabSheet* ActivePage() const { return FActivePage.Get(); }
    // Shows Page and hides the others; raises nothing.
    void SetActivePage(TTabSheet* Page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int v);
    std::vector<AnsiString> TabCaptions() const override;
    int SelectedTab() const override;
    void Loaded() override;

protected:
    void TabClicked(int Index) override;

private:
    friend class TTabSheet;
    // The sheets with a visible tab, in page order.
    std::vector<TTabSheet*> VisibleSheets() const;
    void UpdateSheets();
    TWeakRef<TTabSheet> FActivePage;
};

// Tabs over one page whose controls stay the same; Tabs are the captions.
class TTabControl : public TCustomTabControl {
    VCL_CLASS(TTabControl, TCustomTabControl)
    explicit TTabControl(TComponent* AOwner);
    ~TTabControl() override;
    TStrings* Tabs() const { return FTabs; }
    void SetTabs(TStrings* v) { FTabs->Assign(v); }
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int v);
    std::vector<AnsiString> TabCaptions() const override;
    int SelectedTab() const override { return FTabIndex; }

protected:
    void TabClicked(int Index) override;

private:
    TStrings* FTabs;
    int FTabIndex = -1;
};

// --- Status bar ---

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
    VCL_CLASS(TStatusPanel, TCollectionItem)
    explicit TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}
    TAlignment Alignment = taLeftJustify;
    TStatusPanelBevel Bevel = pbLowered;
    TBiDiMode BiDiMode = bdLeftToRight;
    bool ParentBiDiMode = true;
    TStatusPanelStyle Style = psText;
    AnsiString Text;
    int32_t Width = 50;
};

class TStatusBar;

class TStatusPanels : public TCollection {
    VCL_CLASS(TStatusPanels, TCollection)
    explicit TStatusPanels(TStatusBar* Owner);
    TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(GetItem(Index)); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TPersistent* GetOwner() override;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TStatusBar* FStatusBar;
};

// A bar along the bottom: its panels left to right (the last one takes what
// is left), or SimpleText alone with SimplePanel; a size grip at the right.
class TStatusBar : public TWinControl {
    VCL_CLASS(TStatusBar, TWinControl)
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;
    TStatusPanels* Panels() const { return FPanels; }
    void SetPanels(TStatusPanels* v) { FPanels->Assign(v); }
    AnsiString SimpleText() const { return FSimpleText; }
    void SetSimpleText(const AnsiString& v);
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool v);
    void Paint(TCanvas& Canvas) const override;
    TEvent<TStatusBar*, TStatusPanel*, TRect> OnDrawPanel;

private:
    TStatusPanels* FPanels;
    AnsiString FSimpleText;
    bool FSimplePanel = false;
    bool FSizeGrip = true;
    bool FAutoHint = false;
    bool FUseSystemFont = true;
};

// --- Tool bar ---

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TSet<TEdgeBorder>;
enum TEdgeStyle { esNone, esRaised, esLowered };

class TToolBar;

// A button of a tool bar: its caption (with ShowCaptions) on a flat face
// that looks pressed while Down; separators and dividers draw a gap or line.
class TToolButton : public TGraphicControl {
    VCL_CLASS(TToolButton, TGraphicControl)
    explicit TToolButton(TComponent* AOwner);
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    int32_t ImageIndex = -1;
    void Click() override;
    void Paint(TCanvas& Canvas) const override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

private:
    TToolBar* ToolBar() const;
    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false;
    bool FPressed = false;
    bool FGrouped = false;
    bool FAllowAllUp = false;
    bool FMarked = false;
    bool FIndeterminate = false;
    bool FWrap = false;
    AnsiString FImageName;
    TWeakRef<TPopupMenu> FDropdownMenu;
    TPopupMenu* DropdownMenu() const { return FDropdownMenu.Get(); }
    void SetDropdownMenu(TPopupMenu* v) { FDropdownMenu = v; }
};

// A bar along the top whose buttons sit in a row from Indent on.
class TToolBar : public TWinControl {
    VCL_CLASS(TToolBar, TWinControl)
    explicit TToolBar(TComponent* AOwner);
    bool Flat() const { return FFlat; }
    bool ShowCaptions() const { return FShowCaptions; }
    void Paint(TCanvas& Canvas) const override;

private:
    friend class TToolButton;
    TCustomImageList* Images() const { return FImages.Get(); }
    void SetImages(TCustomImageList* v) { FImages = v; }
    TCustomImageList* DisabledImages() const { return FDisabledImages.Get(); }
    void SetDisabledImages(TCustomImageList* v) { FDisabledImages = v; }
    TCustomImageList* HotImages() const { return FHotImages.Get(); }
    void SetHotImages(TCustomImageList* v) { FHotImages = v; }
    TWeakRef<TCustomImageList> FImages, FDisabledImages, FHotImages;
    int32_t FButtonHeight = 22;
    int32_t FButtonWidth = 23;
    TEdgeBorders FEdgeBorders{ebTop};
    TEdgeStyle FEdgeInner = esRaised;
    TEdgeStyle FEdgeOuter = esLowered;
    bool FFlat = true;
    int32_t FIndent = 0;
    bool FList = false;
    bool FShowCaptions = false;
    bool FTransparent = false;
    bool FWrapable = true;
    int32_t FBorderWidth = 0;
};

// --- List view ---

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn : public TCollectionItem {
    VCL_CLASS(TListColumn, TCollectionItem)
    explicit TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}
    TAlignment Alignment = taLeftJustify;
    bool AutoSize = false;
    AnsiString Caption;
    int32_t ImageIndex = -1;
    int32_t MaxWidth = 0;
    int32_t MinWidth = 0;
    int32_t Width = 50;
    int32_t Tag = 0;
    bool Visible = true;
};

class TListColumns : public TCollection {
    VCL_CLASS(TListColumns, TCollection)
    explicit TListColumns(TControl* Owner);
    TListColumn* Items(int Index) const { return static_cast<TListColumn*>(GetItem(Index)); }
    TPersistent* GetOwner() override { return FOwner; }

protected:
    void Update(TCollectionItem*) override { FOwner->Invalidate(); }

private:
    TControl* FOwner;
};

// A list view's items: captions kept, with the stored data as read.
class TListItems : public TPersistent {
    VCL_CLASS(TListItems, TPersistent)
    TListItems() = default;
    std::vector<AnsiString> Captions;
    void DefineProperties(TFiler& Filer) override;

private:
    std::string FItemData, FLazData, FData;
};

// A sunken white list; in vsReport the column headers across the top.
class TListView : public TWinControl {
    VCL_CLASS(TListView, TWinControl)
    explicit TListView(TComponent* AOwner);
    ~TListView() override;
    TListColumns* Columns() const { return FColumns; }
    void SetColumns(TListColumns* v) { FColumns->Assign(v); }
    TListItems* Items() const { return FItems.get(); }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle v);
    void Paint(TCanvas& Canvas) const override;
    TNotifyEvent OnChange;
    TEvent<TObject*, TObject*, bool> OnSelectItem;
    TEvent<TObject*, TObject*> OnDeletion;
    TEvent<TObject*, TObject*> OnData;
    TEvent<TObject*, TObject*, bool&> OnChanging;

private:
    TListColumns* FColumns;
    std::unique_ptr<TListItems> FItems{new TListItems()};
    TViewStyle FViewStyle = vsIcon;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCheckboxes = false;
    bool FGridLines = false;
    bool FHideSelection = true;
    bool FMultiSelect = false;
    bool FOwnerData = false;
    bool FReadOnly = false;
    bool FRowSelect = false;
    bool FShowColumnHeaders = true;
    bool FGroupView = false;
    TWeakRef<TCustomImageList> FLargeImages, FSmallImages, FStateImages;
    TCustomImageList* LargeImages() const { return FLargeImages.Get(); }
    void SetLargeImages(TCustomImageList* v) { FLargeImages = v; }
    TCustomImageList* SmallImages() const { return FSmallImages.Get(); }
    void SetSmallImages(TCustomImageList* v) { FSmallImages = v; }
    TCustomImageList* StateImages() const { return FStateImages.Get(); }
    void SetStateImages(TCustomImageList* v) { FStateImages = v; }
};

// A tree view: a sunken white box with its items' stored data kept.
class TTreeView : public TWinControl {
    VCL_CLASS(TTreeView, TWinControl)
    explicit TTreeView(TComponent* AOwner);
    void Paint(TCanvas& Canvas) const override;
    TListItems* Items() const { return FItems.get(); }
    TNotifyEvent OnChange;

private:
    std::unique_ptr<TListItems> FItems{new TListItems()};
    TScrollStyle FScrollBars = ssBoth;
    bool FAutoExpand = false;
    bool FHideSelection = true;
    bool FReadOnly = false;
    bool FRightClickSelect = false;
    bool FRowSelect = false;
    bool FShowButtons = true;
    bool FShowLines = true;
    bool FShowRoot = true;
    bool FToolTips = true;
    int32_t FIndent = 19;
    TBorderStyle FBorderStyle = bsSingle;
    TWeakRef<TCustomImageList> FImages;
    TCustomImageList* Images() const { return FImages.Get(); }
    void SetImages(TCustomImageList* v) { FImages = v; }
};

// --- Range controls ---

enum TProgressBarOrientation { pbHorizontal, pbVertical };
enum TProgressBarStyle { pbstNormal, pbstMarquee };
enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

// A sunken trough filled with highlight-coloured blocks up to Position.
class TProgressBar : public TWinControl {
    VCL_CLASS(TProgressBar, TWinControl)
    explicit TProgressBar(TComponent* AOwner);
    int32_t Min = 0, Max = 100, Position = 0, Step = 10;
    void Paint(TCanvas& Canvas) const override;

private:
    TProgressBarOrientation FOrientation = pbHorizontal;
    TProgressBarStyle FStyle = pbstNormal;
    bool FSmooth = false;
    int32_t FMarqueeInterval = 10;
};

// Two arrow buttons that step Position between Min and Max; with an
// Associate edit box its text follows.
class TUpDown : public TWinControl {
    VCL_CLASS(TUpDown, TWinControl)
    explicit TUpDown(TComponent* AOwner);
    int32_t Min = 0, Max = 100, Increment = 1;
    int32_t Position() const { return FPosition; }
    void SetPosition(int32_t v);
    TWinControl* Associate() const { return FAssociate.Get(); }
    void SetAssociate(TWinControl* v);
    void Paint(TCanvas& Canvas) const override;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

private:
    int32_t FPosition = 0;
    TWeakRef<TWinControl> FAssociate;
    TUDAlignButton FAlignButton = udRight;
    TUDOrientation FOrientation = udVertical;
    bool FArrowKeys = true;
    bool FThousands = true;
    bool FWrap = false;
};

// A groove with a raised thumb at Position.
class TTrackBar : public TWinControl {
    VCL_CLASS(TTrackBar, TWinControl)
    explicit TTrackBar(TComponent* AOwner);
    int32_t Min = 0, Max = 10, Position = 0, Frequency = 1, PageSize = 2, LineSize = 1;
    void Paint(TCanvas& Canvas) const override;
    TNotifyEvent OnChange;

private:
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
};

enum TDateTimeKind { dtkDate, dtkTime, dtkDateTime };
enum TDTDateFormat { dfShort, dfLong };

// A sunken field with the date (or time) and a drop button.
class TDateTimePicker : public TWinControl {
    VCL_CLASS(TDateTimePicker, TWinControl)
    explicit TDateTimePicker(TComponent* AOwner);
    double Date = 0, Time = 0, MinDate = 0, MaxDate = 0;
    void Paint(TCanvas& Canvas) const override;
    // What the field shows: the date as dd.mm.yyyy or the time as hh:mm:ss;
    // empty for a value no calendar holds (not a number, infinite, before
    // the year 1 or after 9999), which a form file can store all the same.
    std::string DisplayText() const;
    TNotifyEvent OnChange;

private:
    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
    bool FChecked = true;
    bool FShowCheckbox = false;
};

// Registers the page and tab controls, status bar, tool bar and buttons,
// list and tree views, progress bar, up-down, track bar and date picker.
void RegisterComCtrls();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TTabPosition, tpTop, tpBottom, tpLeft, tpRight)
VCL_ENUM_INFO(vcl::TTabStyle, tsTabs, tsButtons, tsFlatButtons)
VCL_ENUM_INFO(vcl::TStatusPanelStyle, psText, psOwnerDraw)
VCL_ENUM_INFO(vcl::TStatusPanelBevel, pbNone, pbLowered, pbRaised)
VCL_ENUM_INFO(vcl::TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton)
VCL_ENUM_INFO(vcl::TEdgeBorder, ebLeft, ebTop, ebRight, ebBottom)
VCL_ENUM_INFO(vcl::TEdgeStyle, esNone, esRaised, esLowered)
VCL_ENUM_INFO(vcl::TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)
VCL_ENUM_INFO(vcl::TProgressBarOrientation, pbHorizontal, pbVertical)
VCL_ENUM_INFO(vcl::TProgressBarStyle, pbstNormal, pbstMarquee)
VCL_ENUM_INFO(vcl::TUDAlignButton, udLeft, udRight)
VCL_ENUM_INFO(vcl::TUDOrientation, udHorizontal, udVertical)
VCL_ENUM_INFO(vcl::TTrackBarOrientation, trHorizontal, trVertical)
VCL_ENUM_INFO(vcl::TTickMark, tmBottomRight, tmTopLeft, tmBoth)
VCL_ENUM_INFO(vcl::TTickStyle, tsNone, tsAuto, tsManual)
VCL_ENUM_INFO(vcl::TDateTimeKind, dtkDate, dtkTime, dtkDateTime)
VCL_ENUM_INFO(vcl::TDTDateFormat, dfShort, dfLong)
