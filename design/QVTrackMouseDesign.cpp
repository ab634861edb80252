#include "design/QVTrackMouseDesign.h"

#include "framework/Resources.h"

using namespace vcl;

VCL_IMPLEMENT_CLASS(TQVControlsListProperty)
void TQVControlsListProperty::DescribeClass(ClassBuilder<TQVControlsListProperty>&) {}

TPropertyAttributes TQVControlsListProperty::GetAttributes() { return TPropertyAttributes{paDialog}; }

void TQVControlsListProperty::Edit() {
    auto* list = dynamic_cast<TQVControlsList*>(GetObjValue());
    if (!list) return;
    auto* dialog = new TQVControlsListForm(Application);
    TWeakRef<TQVControlsListForm> alive(dialog);
    try {
        if (dialog->Execute(Application, list) == 1) Modified();
    } catch (...) {
        // The collection is rewritten as after any close, if its tracker lives.
        if (alive) dialog->Free();
        throw;
    }
    if (alive) dialog->Free();
}

VCL_IMPLEMENT_CLASS(TQVControlsListForm)
void TQVControlsListForm::DescribeClass(ClassBuilder<TQVControlsListForm>& c) {
    c.Field("chklstControls", &TQVControlsListForm::chklstControls);
    c.Field("p1", &TQVControlsListForm::p1);
    c.Field("p2", &TQVControlsListForm::p2);
    c.Field("pnlGrid", &TQVControlsListForm::pnlGrid);
    c.Field("spdbtnSelectAll", &TQVControlsListForm::spdbtnSelectAll);
    c.Method<&TQVControlsListForm::FormDestroy>("FormDestroy");
    c.Method<&TQVControlsListForm::FormClose>("FormClose");
    c.Method<&TQVControlsListForm::chklstControlsClickCheck>("chklstControlsClickCheck");
    c.Method<&TQVControlsListForm::spdbtnSelectAllClick>("spdbtnSelectAllClick");
}

TQVControlsListForm::TQVControlsListForm(TComponent* AOwner) : TForm(AOwner) {
    if (!InitInheritedComponent(this))
        throw EResNotFound("Resource TQVCONTROLSLISTFORM not found (is the package's resource section intact?)");
}

AnsiString ControlsListEntry(TComponent* Component) { return Component->Name() + ": " + Component->ClassName(); }

int TQVControlsListForm::Execute(TComponent*, TQVControlsList* ControlsList) {
    if (!ControlsList) return mrCancel;
    TComponent* owner = ControlsList->FOwnerForm;
    SetCaption((owner ? owner->Name() : AnsiString()) + "'s controls");
    FControlsList = ControlsList;
    FTracker = ControlsList->FTracker;
    chklstControls->Clear();
    chklstControls->SetSorted(true);
    if (FListedComponents) FListedComponents->Free();
    FListedComponents = new TList();
    FListedAlive.clear();
    auto list = [&](TComponent* c) {
        const int at = chklstControls->Items()->Add(ControlsListEntry(c));
        FListedComponents->Add(c);
        FListedAlive.emplace_back(c);
        if (auto* control = dynamic_cast<TControl*>(c); control && FControlsList->IndexOf(control) != -1)
            chklstControls->SetChecked(at, true);
    };
    if (owner) {
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            TComponent* c = owner->Components(i);
            if (!c || !IsClass(c->ClassType(), "TControl")) continue;
            list(c);
        }
        list(owner);
    }
    FModified = false;
    ShowModal();
    return ModalResult();
}

void TQVControlsListForm::FormClose(TObject*, TCloseAction&) { SetModalResult(FModified ? mrOk : mrCancel); }

void TQVControlsListForm::chklstControlsClickCheck(TObject*) { FModified = true; }

void TQVControlsListForm::spdbtnSelectAllClick(TObject*) {
    spdbtnSelectAll->SetCaption(spdbtnSelectAll->Caption() == "Select All" ? "Deselect All" : "Select All");
    for (int i = 0; i < chklstControls->Items()->Count(); ++i)
        chklstControls->SetChecked(i, spdbtnSelectAll->Caption() != "Select All");
    FModified = true;
}

void TQVControlsListForm::FormDestroy(TObject*) {
    if (FControlsList && FTracker && chklstControls) {
        FControlsList->Clear();
        for (size_t i = 0; i < FListedAlive.size(); ++i) {
            TComponent* c = FListedAlive[i].Get();
            if (!c) continue;
            const int at = chklstControls->Items()->IndexOf(ControlsListEntry(c));
            if (at < 0 || !chklstControls->GetChecked(at)) continue;
            auto* item = static_cast<TQVControlItem*>(FControlsList->Add());
            item->TheControl = dynamic_cast<TControl*>(c);
            item->FControlName = c->Name();
        }
    }
    if (FListedComponents) FListedComponents->Free();
    FListedComponents = nullptr;
    FListedAlive.clear();
}

TQVControlsListForm::~TQVControlsListForm() {
    // Normally FormDestroy has freed it; a resource without OnDestroy has not.
    if (FListedComponents) FListedComponents->Free();
}

void Register() {
    RegisterComponents("QVComponents", {TQVTrackMouse::StaticClass()});
    RegisterPropertyEditor(TypeInfoOf<TQVControlsList*>(), TQVTrackMouse::StaticClass(), "Associate",
                           TQVControlsListProperty::StaticClass());
}
