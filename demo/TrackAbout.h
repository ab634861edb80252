// Unit TrackAbout: HoverBench's about box. Its tracker watches the form
// itself and a large label says whether the pointer is inside ("IN!") or
// outside ("OUT!").
#pragma once

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "runtime/QVTrackMouse.h"

class TFormAbout : public vcl::TForm {
    VCL_CLASS(TFormAbout, vcl::TForm)

    // Builds the form from its resource, TFORMABOUT.
    explicit TFormAbout(vcl::TComponent* AOwner);

    vcl::TLabel* Label1 = nullptr;
    vcl::TLabel* Label2 = nullptr;
    vcl::TLabel* Label3 = nullptr;
    vcl::TLabel* lblINOUT = nullptr;
    vcl::TLabel* Label4 = nullptr;
    TQVTrackMouse* QVTrackAbout = nullptr;

    void QVTrackAboutMouseEnter(vcl::TObject* Sender);
    void QVTrackAboutMouseLeave(vcl::TObject* Sender);
};

extern TFormAbout* FormAbout;
