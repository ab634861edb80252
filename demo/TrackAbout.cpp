#include "demo/TrackAbout.h"

#include "demo/HoverLog.h"
#include "framework/Resources.h"

using namespace vcl;

TFormAbout* FormAbout = nullptr;

VCL_IMPLEMENT_CLASS(TFormAbout)
void TFormAbout::DescribeClass(ClassBuilder<TFormAbout>& c) {
    c.Field("Label1", &TFormAbout::Label1);
    c.Field("Label2", &TFormAbout::Label2);
    c.Field("Label3", &TFormAbout::Label3);
    c.Field("lblINOUT", &TFormAbout::lblINOUT);
    c.Field("Label4", &TFormAbout::Label4);
    c.Field("QVTrackAbout", &TFormAbout::QVTrackAbout);
    c.Method<&TFormAbout::QVTrackAboutMouseEnter>("QVTrackAboutMouseEnter");
    c.Method<&TFormAbout::QVTrackAboutMouseLeave>("QVTrackAboutMouseLeave");
}

TFormAbout::TFormAbout(TComponent* AOwner) : TForm(AOwner) { InitInheritedComponent(this); }

void TFormAbout::QVTrackAboutMouseEnter(TObject* Sender) {
    hoverbench::LogHoverEvent("enter", Sender);
    if (lblINOUT) lblINOUT->SetCaption("IN!");
}

void TFormAbout::QVTrackAboutMouseLeave(TObject* Sender) {
    hoverbench::LogHoverEvent("leave", Sender);
    if (lblINOUT) lblINOUT->SetCaption("OUT!");
}
