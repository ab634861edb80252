// Menus: main menus (drawn as the form's menu bar), pop-up menus and their
// items, stored in form files as nested objects.
#pragma once

#include <vector>

#include "framework/Controls.h"

namespace vcl {

class TMenu;
class TCustomImageList;

enum TMenuItemAutoFlag { maAutomatic, maManual, maParent };
using TMenuAutoFlag = TMenuItemAutoFlag;
enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum TPopupAlignment { paLeft, paRight, paCenter };
enum TTrackButton { tbRightButton, tbLeftButton };

class TMenuItem : public TComponent {
    VCL_CLASS(TMenuItem, TComponent)
    explicit TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}
    ~TMenuItem() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const { return FItems[static_cast<size_t>(Index)]; }
    void Add(TMenuItem* Item);
    void Remove(TMenuItem* Item);
    TMenuItem* Parent() const { return FParent.Get(); }
    // The menu the item is in (through its parents), or null.
    TMenu* GetParentMenu() const;
    // Runs the action when one is set and no OnClick, else OnClick.
    virtual void Click();
    TBasicAction* Action() const;
    void SetAction(TBasicAction* v);
    TCustomImageList* SubMenuImages() const;
    void SetSubMenuImages(TCustomImageList* v);

    AnsiString Caption;
    bool AutoCheck = false;
    TMenuItemAutoFlag AutoHotkeys = maParent;
    TMenuItemAutoFlag AutoLineReduction = maParent;
    TMenuBreak Break = mbNone;
    bool Checked = false;
    bool Default = false;
    bool Enabled = true;
    int32_t GroupIndex = 0;
    int32_t HelpContext = 0;
    AnsiString Hint;
    int32_t ImageIndex = -1;
    AnsiString ImageName;
    bool RadioItem = false;
    TShortCut ShortCut = 0;
    bool Visible = true;
    TNotifyEvent OnClick;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
    friend class TMenu;
    std::vector<TMenuItem*> FItems;
    TWeakRef<TMenuItem> FParent;
    TMenu* FMenu = nullptr;  // set on a menu's own root item
    TWeakRef<TBasicAction> FAction;
    TWeakRef<TCustomImageList> FSubMenuImages;
};

class TMenu : public TComponent {
    VCL_CLASS(TMenu, TComponent)
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    // The invisible root item whose children are the menu's top items.
    TMenuItem* Items() const { return FItems; }
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* v);
    TMenuAutoFlag AutoHotkeys = maAutomatic;
    TMenuAutoFlag AutoLineReduction = maAutomatic;
    TBiDiMode BiDiMode = bdLeftToRight;
    bool ParentBiDiMode = true;
    bool OwnerDraw = false;
    TNotifyEvent OnChange;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
    TMenuItem* FItems;
    TWeakRef<TCustomImageList> FImages;
};

class TMainMenu : public TMenu {
    VCL_CLASS(TMainMenu, TMenu)
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    bool AutoMerge = false;
    // The bar's height, and the top items' places along it.
    static constexpr int32_t kBarHeight = 19;
    // Draws the bar across R: the visible top items' captions, left to right.
    void PaintBar(TCanvas& Canvas, TRect R, const TFont* Font) const;
};

class TPopupMenu : public TMenu {
    VCL_CLASS(TPopupMenu, TMenu)
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
    TPopupAlignment Alignment = paLeft;
    bool AutoPopup = true;
    int32_t HelpContext = 0;
    TTrackButton TrackButton = tbRightButton;
    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;
};

void RegisterMenus();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TMenuItemAutoFlag, maAutomatic, maManual, maParent)
VCL_ENUM_INFO(vcl::TMenuBreak, mbNone, mbBreak, mbBarBreak)
VCL_ENUM_INFO(vcl::TPopupAlignment, paLeft, paRight, paCenter)
VCL_ENUM_INFO(vcl::TTrackButton, tbRightButton, tbLeftButton)
