#include "demo/TrackForm.h"

#include "demo/HoverLog.h"
#include "demo/TrackAbout.h"
#include "framework/Resources.h"
#include "framework/SysUtils.h"
#include "framework/Windows.h"

using namespace vcl;

TFormDemo* FormDemo = nullptr;

VCL_IMPLEMENT_CLASS(TFormDemo)
void TFormDemo::DescribeClass(ClassBuilder<TFormDemo>& c) {
    c.Field("Bevel1", &TFormDemo::Bevel1);
    c.Field("lblLink", &TFormDemo::lblLink);
    c.Field("Label2", &TFormDemo::Label2);
    c.Field("Label3", &TFormDemo::Label3);
    c.Field("Label4", &TFormDemo::Label4);
    c.Field("Label5", &TFormDemo::Label5);
    c.Field("Bevel2", &TFormDemo::Bevel2);
    c.Field("Bevel3", &TFormDemo::Bevel3);
    c.Field("Bevel4", &TFormDemo::Bevel4);
    c.Field("Bevel5", &TFormDemo::Bevel5);
    c.Field("lblAdditioned", &TFormDemo::lblAdditioned);
    c.Field("pnlLabels", &TFormDemo::pnlLabels);
    c.Field("Panel2", &TFormDemo::Panel2);
    c.Field("Panel3", &TFormDemo::Panel3);
    c.Field("Panel4", &TFormDemo::Panel4);
    c.Field("Panel5", &TFormDemo::Panel5);
    c.Field("pnlPanels", &TFormDemo::pnlPanels);
    c.Field("pnlAbout", &TFormDemo::pnlAbout);
    c.Field("pnlAdd", &TFormDemo::pnlAdd);
    c.Field("pnlExit", &TFormDemo::pnlExit);
    c.Field("Edit1", &TFormDemo::Edit1);
    c.Field("Edit2", &TFormDemo::Edit2);
    c.Field("Edit3", &TFormDemo::Edit3);
    c.Field("Button1", &TFormDemo::Button1);
    c.Field("Button2", &TFormDemo::Button2);
    c.Field("Button3", &TFormDemo::Button3);
    c.Field("CheckBox1", &TFormDemo::CheckBox1);
    c.Field("CheckBox2", &TFormDemo::CheckBox2);
    c.Field("CheckBox3", &TFormDemo::CheckBox3);
    c.Field("CheckBox4", &TFormDemo::CheckBox4);
    c.Field("RadioButton1", &TFormDemo::RadioButton1);
    c.Field("RadioButton2", &TFormDemo::RadioButton2);
    c.Field("RadioButton3", &TFormDemo::RadioButton3);
    c.Field("RadioButton4", &TFormDemo::RadioButton4);
    c.Field("pnlRemove", &TFormDemo::pnlRemove);
    c.Field("pnlTesting", &TFormDemo::pnlTesting);
    c.Field("pnlThe", &TFormDemo::pnlThe);
    c.Field("pnlBounding", &TFormDemo::pnlBounding);
    c.Field("chkboxBounding", &TFormDemo::chkboxBounding);
    c.Field("pnlMessage", &TFormDemo::pnlMessage);
    c.Field("pnlChildMessage", &TFormDemo::pnlChildMessage);
    c.Field("QVTrack", &TFormDemo::QVTrack);
    c.Method<&TFormDemo::QVTrackMouseEnter>("QVTrackMouseEnter");
    c.Method<&TFormDemo::QVTrackMouseLeave>("QVTrackMouseLeave");
    c.Method<&TFormDemo::pnlPanelsMouseDown>("pnlPanelsMouseDown");
    c.Method<&TFormDemo::pnlPanelsMouseUp>("pnlPanelsMouseUp");
    c.Method<&TFormDemo::chkboxBoundingClick>("chkboxBoundingClick");
}

TFormDemo::TFormDemo(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(this); }

namespace {

enum class TLook { Enter, Leave };

const TColor kDarkGrey = static_cast<TColor>(0x414141);

// The hover look of one tracked control, chosen by its exact class name
// (not by ancestry): the first matching row acts.
void ApplyLook(TObject* Sender, TLook Look) {
    auto* control = dynamic_cast<TControl*>(Sender);
    if (!control) return;
    const bool enter = Look == TLook::Enter;
    const std::string& name = Sender->ClassName();
    TFont* font = control->Font();
    if (name == "TLabel") {
        // Leaving keeps the label bold, even if something took bold away.
        TFontStyles style = font->Style() + TFontStyles{fsBold};
        font->SetStyle(enter ? style + TFontStyles{fsUnderline} : style - TFontStyles{fsUnderline});
    } else if (name == "TEdit") {
        control->SetColor(enter ? clSilver : clGray);
    } else if (name == "TButton") {
        const TFontStyles both{fsUnderline, fsBold};
        font->SetStyle(enter ? font->Style() + both : font->Style() - both);
    } else if (name == "TCheckBox") {
        if (auto* box = dynamic_cast<TCustomCheckBox*>(control)) box->SetChecked(!box->Checked());
        font->SetColor(enter ? clWhite : clSilver);
    } else if (name == "TBevel") {
        if (auto* bevel = dynamic_cast<TBevel*>(control)) bevel->SetStyle(enter ? bsRaised : bsLowered);
    } else if (name == "TRadioButton") {
        font->SetStyle(enter ? font->Style() + TFontStyles{fsBold} : font->Style() - TFontStyles{fsBold});
    } else if (name == "TFormDemo") {
        // The form itself keeps its look.
    } else {
        // Panels in this form. Any other control gets the colours only.
        control->SetColor(enter ? clAqua : kDarkGrey);
        font->SetColor(enter ? clBlack : clWhite);
        if (auto* panel = dynamic_cast<TCustomPanel*>(control)) panel->SetBevelOuter(enter ? bvRaised : bvNone);
    }
}

}  // namespace

void TFormDemo::ShowCount() {
    if (!lblAdditioned || !QVTrack) return;
    lblAdditioned->SetCaption("Controls Additioned: " + IntToStr(QVTrack->TrackedControls()->Count()));
}

void TFormDemo::QVTrackMouseEnter(TObject* Sender) {
    hoverbench::LogHoverEvent("enter", Sender);
    ApplyLook(Sender, TLook::Enter);
    ShowCount();
}

void TFormDemo::QVTrackMouseLeave(TObject* Sender) {
    hoverbench::LogHoverEvent("leave", Sender);
    ApplyLook(Sender, TLook::Leave);
    ShowCount();
}

void TFormDemo::pnlPanelsMouseDown(TObject* Sender, TMouseButton, TShiftState, int32_t, int32_t) {
    if (auto* panel = dynamic_cast<TCustomPanel*>(Sender)) panel->SetBevelOuter(bvLowered);
}

void TFormDemo::pnlPanelsMouseUp(TObject* Sender, TMouseButton, TShiftState, int32_t, int32_t) {
    auto* panel = dynamic_cast<TCustomPanel*>(Sender);
    if (!panel) return;
    panel->SetBevelOuter(bvRaised);
    const AnsiString caption = panel->Caption();
    if (caption == "Exit") {
        Close();
    } else if (caption == "About") {
        if (FormAbout) FormAbout->ShowModal();
    } else if (caption == "Add") {
        if (!pnlPanels || !QVTrack) return;
        pnlPanels->SetVisible(true);
        TList* tracked = QVTrack->TrackedControls();
        if (tracked->IndexOf(static_cast<TControl*>(pnlPanels)) == -1)
            tracked->Add(static_cast<TControl*>(pnlPanels));
        else
            MessageBoxA(nullptr, "The control \"pnlPanels\" is already additioned.", "Adding Control",
                        MB_OK | MB_ICONERROR);
    } else if (caption == "Remove") {
        if (!pnlPanels || !QVTrack) return;
        pnlPanels->SetVisible(false);
        if (QVTrack->TrackedControls()->Remove(static_cast<TControl*>(pnlPanels)) == -1)
            MessageBoxA(nullptr, "The control \"pnlPanels\" haven't been additioned.", "Removing Control",
                        MB_OK | MB_ICONERROR);
    }
}

void TFormDemo::chkboxBoundingClick(TObject*) {
    if (!chkboxBounding) return;
    if (QVTrack) QVTrack->SetBounding(chkboxBounding->Checked());
    if (FormAbout && FormAbout->QVTrackAbout) FormAbout->QVTrackAbout->SetBounding(chkboxBounding->Checked());
}
