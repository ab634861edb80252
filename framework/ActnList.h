// Actions and action lists: commands that menu items, buttons and tool
// buttons share, stored in form files inside their list.
#pragma once

#include <vector>

#include "framework/Controls.h"

namespace vcl {

class TCustomActionList;
class TCustomImageList;

class TBasicAction : public TComponent {
    VCL_CLASS(TBasicAction, TComponent)
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    // Runs OnUpdate; false when there is none.
    virtual bool Update();
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
};

// An action that belongs to a list: written inside it.
class TContainedAction : public TBasicAction {
    VCL_CLASS(TContainedAction, TBasicAction)
    explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    ~TContainedAction() override;
    TCustomActionList* ActionList() const { return FActionList.Get(); }
    void SetActionList(TCustomActionList* v);
    AnsiString Category;

    bool HasParent() const override { return FActionList.Get() != nullptr; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

private:
    TWeakRef<TCustomActionList> FActionList;
};

using THintEvent = TEvent<AnsiString&, bool&>;

class TCustomAction : public TContainedAction {
    VCL_CLASS(TCustomAction, TContainedAction)
    explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
    // A checked AutoCheck action toggles before OnExecute runs.
    bool Execute() override;
    AnsiString Caption;
    bool Checked = false;
    bool AutoCheck = false;
    bool Enabled = true;
    bool Visible = true;
    bool DisableIfNoHandler = true;
    int32_t GroupIndex = 0;
    int32_t HelpContext = 0;
    AnsiString HelpKeyword;
    THelpType HelpType = htContext;
    AnsiString Hint;
    int32_t ImageIndex = -1;
    AnsiString ImageName;
    TShortCut ShortCut = 0;
    THintEvent OnHint;
};

class TAction : public TCustomAction {
    VCL_CLASS(TAction, TCustomAction)
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };

class TCustomActionList : public TComponent {
    VCL_CLASS(TCustomActionList, TComponent)
    explicit TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}
    ~TCustomActionList() override;
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* Actions(int Index) const { return FActions[static_cast<size_t>(Index)]; }
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* v);
    TActionListState State = asNormal;
    TNotifyEvent OnChange;
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
    friend class TContainedAction;
    std::vector<TContainedAction*> FActions;
    TWeakRef<TCustomImageList> FImages;
};

class TActionList : public TCustomActionList {
    VCL_CLASS(TActionList, TCustomActionList)
    explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

void RegisterActions();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TActionListState, asNormal, asSuspended, asSuspendedEnabled)
