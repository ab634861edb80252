#include "framework/Menus.h"

#include <algorithm>

#include "framework/ActnList.h"
#include "framework/Canvas.h"
#include "framework/ClassicLook.h"
#include "framework/ImgList.h"

namespace vcl {

// ---------------------------------------------------------------------------
// TMenuItem

VCL_IMPLEMENT_CLASS(TMenuItem)
void TMenuItem::DescribeClass(ClassBuilder<TMenuItem>& c) {
    c.Property("Action", &TMenuItem::Action, &TMenuItem::SetAction);
    c.Property("AutoCheck", &TMenuItem::AutoCheck).Default(false);
    c.Property("AutoHotkeys", &TMenuItem::AutoHotkeys).Default(maParent);
    c.Property("AutoLineReduction", &TMenuItem::AutoLineReduction).Default(maParent);
    c.Property("Break", &TMenuItem::Break).Default(mbNone);
    c.Property("Caption", &TMenuItem::Caption);
    c.Property("Checked", &TMenuItem::Checked).Default(false);
    c.Property("Default", &TMenuItem::Default).Default(false);
    c.Property("Enabled", &TMenuItem::Enabled).Default(true);
    c.Property("GroupIndex", &TMenuItem::GroupIndex).Default(0);
    c.Property("HelpContext", &TMenuItem::HelpContext).Default(0);
    c.Property("Hint", &TMenuItem::Hint);
    c.Property("ImageIndex", &TMenuItem::ImageIndex).Default(-1);
    c.Property("ImageName", &TMenuItem::ImageName);
    c.Property("RadioItem", &TMenuItem::RadioItem).Default(false);
    c.Property("ShortCut", &TMenuItem::ShortCut).Default(0);
    c.Property("SubMenuImages", &TMenuItem::SubMenuImages, &TMenuItem::SetSubMenuImages);
    c.Property("Visible", &TMenuItem::Visible).Default(true);
    c.Property("OnClick", &TMenuItem::OnClick);
}

TMenuItem::~TMenuItem() {
    if (TMenuItem* p = FParent.Get()) std::erase(p->FItems, this);
    for (TMenuItem* child : FItems) child->FParent = nullptr;
}

void TMenuItem::Add(TMenuItem* Item) {
    if (!Item || Item == this) return;
    if (TMenuItem* old = Item->FParent.Get()) std::erase(old->FItems, Item);
    Item->FParent = this;
    FItems.push_back(Item);
}

void TMenuItem::Remove(TMenuItem* Item) {
    if (!Item || Item->FParent.Get() != this) return;
    std::erase(FItems, Item);
    Item->FParent = nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->FParent) i = i->FParent.Get();
    return i->FMenu;
}

void TMenuItem::Click() {
    if (!Enabled) return;
    if (AutoCheck) Checked = !Checked;
    if (!OnClick && FAction) FAction->Execute();
    else OnClick(this);
}

TBasicAction* TMenuItem::Action() const { return FAction.Get(); }
void TMenuItem::SetAction(TBasicAction* v) { FAction = v; }
TCustomImageList* TMenuItem::SubMenuImages() const { return FSubMenuImages.Get(); }
void TMenuItem::SetSubMenuImages(TCustomImageList* v) { FSubMenuImages = v; }

TComponent* TMenuItem::GetParentComponent() const {
    TMenuItem* p = FParent.Get();
    if (p && p->FMenu) return p->FMenu;
    return p;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (auto* menu = dynamic_cast<TMenu*>(Value)) menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Value)) item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    std::vector<TMenuItem*> items = FItems;
    for (TMenuItem* i : items)
        if (i->Owner() == Root) Proc(i);
}

// ---------------------------------------------------------------------------
// TMenu

VCL_IMPLEMENT_CLASS(TMenu)
void TMenu::DescribeClass(ClassBuilder<TMenu>&) {}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() {
    FItems->FMenu = nullptr;
    FItems->Free();
}

TCustomImageList* TMenu::Images() const { return FImages.Get(); }
void TMenu::SetImages(TCustomImageList* v) { FImages = v; }

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) { FItems->GetChildren(Proc, Root); }

template <class C>
static void PublishMenu(ClassBuilder<C>& c) {
    c.Property("AutoHotkeys", &TMenu::AutoHotkeys).Default(maAutomatic);
    c.Property("AutoLineReduction", &TMenu::AutoLineReduction).Default(maAutomatic);
    c.Property("BiDiMode", &TMenu::BiDiMode).Default(bdLeftToRight);
    c.Property("Images", &TMenu::Images, &TMenu::SetImages);
    c.Property("OwnerDraw", &TMenu::OwnerDraw).Default(false);
    c.Property("ParentBiDiMode", &TMenu::ParentBiDiMode).Default(true);
    c.Property("OnChange", &TMenu::OnChange);
}

VCL_IMPLEMENT_CLASS(TMainMenu)
void TMainMenu::DescribeClass(ClassBuilder<TMainMenu>& c) {
    c.Property("AutoMerge", &TMainMenu::AutoMerge).Default(false);
    PublishMenu(c);
}

void TMainMenu::PaintBar(TCanvas& Canvas, TRect R, const TFont* Font) const {
    Canvas.Brush.Color = clBtnFace;
    Canvas.FillRect(R);
    Canvas.Font()->Assign(const_cast<TFont*>(Font));
    look::TTextFormat f;
    f.Layout = tlCenter;
    int32_t x = R.Left + 6;
    for (int i = 0; i < Items()->Count() && x < R.Right; ++i) {
        const TMenuItem* item = Items()->Items(i);
        if (!item->Visible) continue;
        f.Enabled = item->Enabled;
        TRect text{x, R.Top, R.Right, R.Bottom};
        TRect used = look::DrawCaption(Canvas, text, item->Caption, f);
        x = used.Right + 14;
    }
}

VCL_IMPLEMENT_CLASS(TPopupMenu)
void TPopupMenu::DescribeClass(ClassBuilder<TPopupMenu>& c) {
    c.Property("Alignment", &TPopupMenu::Alignment).Default(paLeft);
    c.Property("AutoPopup", &TPopupMenu::AutoPopup).Default(true);
    c.Property("HelpContext", &TPopupMenu::HelpContext).Default(0);
    c.Property("TrackButton", &TPopupMenu::TrackButton).Default(tbRightButton);
    PublishMenu(c);
    c.Property("OnClose", &TPopupMenu::OnClose);
    c.Property("OnPopup", &TPopupMenu::OnPopup);
}

void RegisterMenus() {
    RegisterClasses({TMainMenu::StaticClass(), TPopupMenu::StaticClass(), TMenuItem::StaticClass()});
}

}  // namespace vcl
