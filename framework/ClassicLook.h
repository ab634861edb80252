// The pieces of the classic 3-D look that several controls share (private
// to the framework): button faces, sunken fields, check boxes, radio
// buttons, and captions with accelerator marks.
#pragma once

#include <string_view>

#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"

namespace vcl::look {

constexpr int32_t kCheckSize = 13;  // a check box's square
constexpr int32_t kRadioSize = 12;  // a radio button's circle

// The 2-pixel sunken edge of edit boxes and list boxes; R shrinks inside it.
void SunkenEdge(TCanvas& C, TRect& R);
// A push button's face, raised or pressed in, filled with clBtnFace; R
// shrinks to the face. Framed adds the black outer line of a default or
// focused button.
void ButtonFace(TCanvas& C, TRect& R, bool Pressed, bool Framed);
// A check box square with its top-left at (X, Y); Shaded is the pressed or
// disabled look (button-face field).
void CheckBox(TCanvas& C, int32_t X, int32_t Y, TCheckBoxState State, bool Shaded);
// A radio button circle with its top-left at (X, Y).
void RadioButton(TCanvas& C, int32_t X, int32_t Y, bool Checked, bool Shaded);

struct TTextFormat {
    TAlignment Alignment = taLeftJustify;
    TTextLayout Layout = tlTop;
    bool WordWrap = false;
    bool Prefix = true;   // '&' marks the accelerator, "&&" is one '&'
    bool Enabled = true;  // disabled text is engraved in shadow and highlight
};
// Draws text in the canvas's font within R (lines broken at line breaks
// and, with WordWrap, at spaces to fit) and returns the rectangle the text
// covers. The brush is not used.
TRect DrawCaption(TCanvas& C, TRect R, std::string_view Text, const TTextFormat& Format);
// The rectangle DrawCaption would cover, without drawing.
TRect MeasureCaption(TCanvas& C, TRect R, std::string_view Text, const TTextFormat& Format);

// The canvas's font set to a control's.
void UseFont(TCanvas& C, const TControl& Control);

}  // namespace vcl::look
