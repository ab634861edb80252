#include "demo/Tour.h"

#include <cstdio>
#include <iterator>
#include <string>

namespace hoverbench {

namespace {

struct TStep {
    const char* Name;      // the screenshot's name
    const char* Commands;  // run before it is taken
};

// Positions name controls, so the tour does not depend on frame sizes. The
// tracker starts in the geometric mode: a pointer in an overlap lies inside
// both grey panels, and inside the message bar over its child panel.
const TStep kSteps[] = {
    {"start", "# The main form as it opens: nothing hovered yet\n"},
    {"label", "move FormDemo.Label2\n"},
    {"edit", "move FormDemo.Edit1\n"},
    {"button", "move FormDemo.Button1\n"},
    {"checkbox", "move FormDemo.CheckBox1\n"},
    {"bevel", "move FormDemo.Bevel3 35 95\n"},
    {"radiobutton", "move FormDemo.RadioButton2\n"},
    {"caption-panel", "move FormDemo.Panel3\n"},
    {"overlapping-panels", "move FormDemo.pnlThe 20 10\n"},
    {"message-bar", "move FormDemo.pnlMessage 100 11\n"},
    {"child-panel", "move FormDemo.pnlChildMessage\n"},
    {"add", "click FormDemo.pnlAdd\n"},
    {"add-again-box-a", "click FormDemo.pnlAdd\n"},
    {"added-panel-hovered", "key Return\nmove FormDemo.pnlPanels\n"},
    {"remove", "click FormDemo.pnlRemove\n"},
    {"remove-again-box-b", "click FormDemo.pnlRemove\n"},
    // Entering the tracked check box flips it (messaging mode), the click
    // clears it (geometric), leaving flips it again: ticked, messaging.
    {"bounding-ticked", "key Return\nmove FormDemo.chkboxBounding\nclick FormDemo.chkboxBounding\nmove FormDemo.Label3\n"},
    {"messaging-crossings", "move FormDemo.Edit2\nmove FormDemo.Button2\nmove FormDemo.RadioButton3\nmove FormDemo.pnlThe 20 10\n"},
    // The about box's labels cover its client area, so only the geometric
    // mode sees the pointer on the form itself: Space, on the focused check
    // box, clears it without a crossing.
    {"bounding-cleared", "key Space\nmove FormDemo.Edit3\n"},
    {"about-opened", "click FormDemo.pnlAbout\n"},
    {"about-in", "move FormAbout\n"},
    {"about-out", "move 1000 740\n"},
    {"about-closed", "close FormAbout\n"},
    {"exit-hovered", "move FormDemo.pnlExit\n"},
};

}  // namespace

TTour MakeTour() {
    TTour tour;
    for (const TStep& step : kSteps) {
        ++tour.Steps;
        char name[64];
        std::snprintf(name, sizeof name, "%02d-%s.png", tour.Steps, step.Name);
        tour.Script += step.Commands;
        tour.Script += std::string("shot ") + name + "\n";
    }
    tour.Script += "click FormDemo.pnlExit\n";
    return tour;
}

void DrawPointer(vcl::TBitmapData& Shot, vcl::TPoint Tip) {
    // The classic arrow: X outline, o fill.
    static const char* const kArrow[] = {
        "X",          "XX",         "XoX",         "XooX",        "XoooX",     "XooooX",      "XoooooX",
        "XooooooX",   "XoooooooX",  "XooooooooX",  "XoooooXXXXX", "XooXooX",   "XoX XooX",    "XX  XooX",
        "X    XooX",  "     XooX",  "      XooX",  "      XooX",  "       XX",
    };
    for (int y = 0; y < static_cast<int>(std::size(kArrow)); ++y)
        for (int x = 0; kArrow[y][x]; ++x) {
            const char c = kArrow[y][x];
            if (c == 'X') Shot.SetPixel(Tip.x + x, Tip.y + y, 0x000000);
            else if (c == 'o') Shot.SetPixel(Tip.x + x, Tip.y + y, 0xFFFFFF);
        }
}

}  // namespace hoverbench
