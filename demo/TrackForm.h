// Unit TrackForm: HoverBench's main form. A tracker watches 39 of its
// controls and gives the one under the pointer a hover look chosen by its
// class name; the action panels act on their captions.
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "runtime/QVTrackMouse.h"

class TFormDemo : public vcl::TForm {
    VCL_CLASS(TFormDemo, vcl::TForm)

    // Builds the form from its resource, TFORMDEMO.
    explicit TFormDemo(vcl::TComponent* AOwner);

    // Published fields, in creation order.
    vcl::TBevel* Bevel1 = nullptr;
    vcl::TLabel* lblLink = nullptr;
    vcl::TLabel* Label2 = nullptr;
    vcl::TLabel* Label3 = nullptr;
    vcl::TLabel* Label4 = nullptr;
    vcl::TLabel* Label5 = nullptr;
    vcl::TBevel* Bevel2 = nullptr;
    vcl::TBevel* Bevel3 = nullptr;
    vcl::TBevel* Bevel4 = nullptr;
    vcl::TBevel* Bevel5 = nullptr;
    vcl::TLabel* lblAdditioned = nullptr;
    vcl::TPanel* pnlLabels = nullptr;
    vcl::TPanel* Panel2 = nullptr;
    vcl::TPanel* Panel3 = nullptr;
    vcl::TPanel* Panel4 = nullptr;
    vcl::TPanel* Panel5 = nullptr;
    vcl::TPanel* pnlPanels = nullptr;
    vcl::TPanel* pnlAbout = nullptr;
    vcl::TPanel* pnlAdd = nullptr;
    vcl::TPanel* pnlExit = nullptr;
    vcl::TEdit* Edit1 = nullptr;
    vcl::TEdit* Edit2 = nullptr;
    vcl::TEdit* Edit3 = nullptr;
    vcl::TButton* Button1 = nullptr;
    vcl::TButton* Button2 = nullptr;
    vcl::TButton* Button3 = nullptr;
    vcl::TCheckBox* CheckBox1 = nullptr;
    vcl::TCheckBox* CheckBox2 = nullptr;
    vcl::TCheckBox* CheckBox3 = nullptr;
    vcl::TCheckBox* CheckBox4 = nullptr;
    vcl::TRadioButton* RadioButton1 = nullptr;
    vcl::TRadioButton* RadioButton2 = nullptr;
    vcl::TRadioButton* RadioButton3 = nullptr;
    vcl::TRadioButton* RadioButton4 = nullptr;
    vcl::TPanel* pnlRemove = nullptr;
    vcl::TPanel* pnlTesting = nullptr;
    vcl::TPanel* pnlThe = nullptr;
    vcl::TPanel* pnlBounding = nullptr;
    vcl::TCheckBox* chkboxBounding = nullptr;
    vcl::TPanel* pnlMessage = nullptr;
    vcl::TPanel* pnlChildMessage = nullptr;
    TQVTrackMouse* QVTrack = nullptr;

    // Published handlers, bound by name from the layout.
    void QVTrackMouseEnter(vcl::TObject* Sender);
    void QVTrackMouseLeave(vcl::TObject* Sender);
    void pnlPanelsMouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int32_t X,
                            int32_t Y);
    void pnlPanelsMouseUp(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int32_t X,
                          int32_t Y);
    void chkboxBoundingClick(vcl::TObject* Sender);

private:
    void ShowCount();
};

extern TFormDemo* FormDemo;
