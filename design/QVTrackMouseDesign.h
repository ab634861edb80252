// The design-time half of unit QVTrackMouse: the Associate property editor,
// its check-list dialog, and Register, which a designer calls to put
// TQVTrackMouse on its palette and bind the editor.
#pragma once

#include <vector>

#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/DesignIntf.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "runtime/QVTrackMouse.h"

// Edits Associate through TQVControlsListForm: an ellipsis button and a
// dialog; the designer hears of a change only when the user made one.
class TQVControlsListProperty : public vcl::TClassProperty {
    VCL_CLASS(TQVControlsListProperty, vcl::TClassProperty)
    TQVControlsListProperty() = default;
    void Edit() override;
    // paDialog alone.
    vcl::TPropertyAttributes GetAttributes() override;
};

// Lists every control the tracker's owner owns, and the owner itself, each
// with a check box ticked when Associate names it; rewrites Associate with
// the ticked ones, in listing order, when it is destroyed. Built from the
// form resource TQVCONTROLSLISTFORM.
class TQVControlsListForm : public vcl::TForm {
    VCL_CLASS(TQVControlsListForm, vcl::TForm)
    explicit TQVControlsListForm(vcl::TComponent* AOwner);
    ~TQVControlsListForm() override;

    vcl::TCheckListBox* chklstControls = nullptr;
    vcl::TPanel* p1 = nullptr;
    vcl::TPanel* p2 = nullptr;
    vcl::TPanel* pnlGrid = nullptr;
    vcl::TSpeedButton* spdbtnSelectAll = nullptr;

    // Fills the list from ControlsList's owner form, shows the dialog
    // modally and returns 1 when the user changed a mark, else 2. The first
    // argument is not consulted.
    int Execute(vcl::TComponent* AOwner, TQVControlsList* ControlsList);

    void FormDestroy(vcl::TObject* Sender);
    void FormClose(vcl::TObject* Sender, vcl::TCloseAction& Action);
    void chklstControlsClickCheck(vcl::TObject* Sender);
    void spdbtnSelectAllClick(vcl::TObject* Sender);

    TQVControlsList* FControlsList = nullptr;
    bool FModified = false;
    vcl::TList* FListedComponents = nullptr;

private:
    // The collection's tracker and the listed components may be freed while
    // the dialog is up; nothing freed is touched afterwards.
    vcl::TWeakRef<TQVTrackMouse> FTracker;
    std::vector<vcl::TWeakRef<vcl::TComponent>> FListedAlive;
};

// The entry text of a component: "Name: TClass".
vcl::AnsiString ControlsListEntry(vcl::TComponent* Component);

// Puts TQVTrackMouse on the palette page "QVComponents", then binds
// TQVControlsListProperty to its Associate.
void Register();
