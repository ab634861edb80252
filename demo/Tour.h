// HoverBench's headless tour: an input script that shows every kind of
// tracked control at work, with a screenshot after each step.
#pragma once

#include <string>

#include "framework/Canvas.h"

namespace hoverbench {

struct TTour {
    std::string Script;  // input-script commands
    int Steps = 0;       // one screenshot each
};

// The tour; its shot commands name the screenshots NN-step.png, to be
// written into the directory of the caller's choice.
TTour MakeTour();

// Draws the mouse pointer, its tip at Tip, into a screenshot: the headless
// desktop has no cursor of its own, and the tour's pictures are about where
// the pointer is.
void DrawPointer(vcl::TBitmapData& Shot, vcl::TPoint Tip);

}  // namespace hoverbench
