#include "framework/ActnList.h"

#include <algorithm>

#include "framework/ImgList.h"

namespace vcl {

VCL_IMPLEMENT_CLASS(TBasicAction)
void TBasicAction::DescribeClass(ClassBuilder<TBasicAction>&) {}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

VCL_IMPLEMENT_CLASS(TContainedAction)
void TContainedAction::DescribeClass(ClassBuilder<TContainedAction>&) {}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TCustomActionList* v) {
    if (v == FActionList.Get()) return;
    if (TCustomActionList* old = FActionList.Get()) std::erase(old->FActions, this);
    FActionList = v;
    if (v) v->FActions.push_back(this);
}

TComponent* TContainedAction::GetParentComponent() const { return FActionList.Get(); }

void TContainedAction::SetParentComponent(TComponent* Value) {
    if (auto* list = dynamic_cast<TCustomActionList*>(Value)) SetActionList(list);
}

VCL_IMPLEMENT_CLASS(TCustomAction)
void TCustomAction::DescribeClass(ClassBuilder<TCustomAction>&) {}

bool TCustomAction::Execute() {
    if (!Enabled) return false;
    if (AutoCheck) Checked = !Checked;
    return TContainedAction::Execute();
}

VCL_IMPLEMENT_CLASS(TAction)
void TAction::DescribeClass(ClassBuilder<TAction>& c) {
    c.Property("AutoCheck", &TAction::AutoCheck).Default(false);
    c.Property("Caption", &TAction::Caption);
    c.Property("Category", &TAction::Category);
    c.Property("Checked", &TAction::Checked).Default(false);
    c.Property("DisableIfNoHandler", &TAction::DisableIfNoHandler).Default(true);
    c.Property("Enabled", &TAction::Enabled).Default(true);
    c.Property("GroupIndex", &TAction::GroupIndex).Default(0);
    c.Property("HelpContext", &TAction::HelpContext).Default(0);
    c.Property("HelpKeyword", &TAction::HelpKeyword);
    c.Property("HelpType", &TAction::HelpType).Default(htContext);
    c.Property("Hint", &TAction::Hint);
    c.Property("ImageIndex", &TAction::ImageIndex).Default(-1);
    c.Property("ImageName", &TAction::ImageName);
    c.Property("ShortCut", &TAction::ShortCut).Default(0);
    c.Property("Visible", &TAction::Visible).Default(true);
    c.Property("OnExecute", &TAction::OnExecute);
    c.Property("OnHint", &TAction::OnHint);
    c.Property("OnUpdate", &TAction::OnUpdate);
}

VCL_IMPLEMENT_CLASS(TCustomActionList)
void TCustomActionList::DescribeClass(ClassBuilder<TCustomActionList>&) {}

TCustomActionList::~TCustomActionList() {
    // The actions may outlive the list (other owners): they leave it now.
    while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
}

TCustomImageList* TCustomActionList::Images() const { return FImages.Get(); }
void TCustomActionList::SetImages(TCustomImageList* v) { FImages = v; }

void TCustomActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    std::vector<TContainedAction*> actions = FActions;
    for (TContainedAction* a : actions)
        if (a->Owner() == Root) Proc(a);
}

VCL_IMPLEMENT_CLASS(TActionList)
void TActionList::DescribeClass(ClassBuilder<TActionList>& c) {
    c.Property("Images", &TActionList::Images, &TActionList::SetImages);
    c.Property("State", &TActionList::State).Default(asNormal);
    c.Property("OnChange", &TActionList::OnChange);
    c.Property("OnExecute", &TActionList::OnExecute);
    c.Property("OnUpdate", &TActionList::OnUpdate);
}

void RegisterActions() { RegisterClasses({TActionList::StaticClass(), TAction::StaticClass()}); }

}  // namespace vcl
