// hovertips: the mouse tracker's opt-in features on a form made in code.
//
//   hovertips                  a real window, where a display is reachable
//   hovertips --script FILE    an input script drives the headless desktop
//
// Two trackers watch one form:
// - the first treats the "Shipping" group box and everything inside it as
//   one area (TrackChildren): the box and its buttons light up together;
// - the second watches Save, Cancel and the comment box, and shows a tooltip
//   under one once the pointer has rested on it for HoverTime (OnMouseHover).
// Each event is printed on standard output, one line each.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/Version.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#include "framework/platform/headless/InputScript.h"
#include "runtime/QVTrackMouse.h"

using namespace vcl;

namespace {

// The help text each watched control shows in its tooltip.
const struct {
    const char* Control;
    const char* Text;
} kHelp[] = {
    {"Save", "Keeps the shipping choice"},
    {"Cancel", "Closes without saving"},
    {"Comment", "A note for the courier"},
};

// A pale blue (0x00BBGGRR) for the group under the pointer.
const TColor kGroupHighlight = static_cast<TColor>(0xFFE8D8);

void Say(const std::string& Line) { std::printf("%s\n", Line.c_str()); }

std::string NameOf(TObject* Sender) { return static_cast<TControl*>(Sender)->Name(); }

}  // namespace

class THoverTipsForm : public TForm {
    VCL_CLASS(THoverTipsForm, TForm)
    explicit THoverTipsForm(TComponent* AOwner);

private:
    // A control owned by this form (so that scripts find it by name) placed
    // on Parent. Controls made at run time show their name as caption.
    template <class T>
    T* Place(TWinControl* Parent, const char* Name, int32_t Left, int32_t Top, int32_t Width, int32_t Height) {
        T* c = new T(this);
        c->SetName(Name);
        c->SetBounds(Left, Top, Width, Height);
        c->SetParent(Parent);
        return c;
    }
    static void Watch(TQVTrackMouse* Tracker, TControl* Control) {
        static_cast<TQVControlItem*>(Tracker->Associate()->Add())->TheControl = Control;
    }

    // The group tracker's events.
    void GroupEnter(TObject* Sender) {
        Say("enter " + NameOf(Sender));
        FShipping->SetColor(kGroupHighlight);  // children with ParentColor follow
    }
    void GroupLeave(TObject* Sender) {
        Say("leave " + NameOf(Sender));
        FShipping->SetParentColor(true);  // back to the form's colour, children too
    }

    // The tooltip tracker's events.
    void TipEnter(TObject* Sender) { Say("enter " + NameOf(Sender)); }
    void TipHover(TObject* Sender) {
        auto* control = static_cast<TControl*>(Sender);
        Say("hover " + control->Name());
        for (const auto& help : kHelp) {
            if (control->Name() != help.Control) continue;
            FTip->SetCaption(help.Text);
            // Just below the control, kept inside the form.
            const int32_t left = std::min(control->Left(), ClientWidth() - FTip->Width());
            FTip->SetBounds(left, control->Top() + control->Height() + 2, FTip->Width(), FTip->Height());
            FTip->BringToFront();
            FTip->Show();
            Say("tip " + control->Name() + ": " + help.Text);
        }
    }
    void TipLeave(TObject* Sender) {
        Say("leave " + NameOf(Sender));
        FTip->Hide();
    }

    TGroupBox* FShipping;
    TPanel* FTip;
};

VCL_IMPLEMENT_CLASS(THoverTipsForm)
void THoverTipsForm::DescribeClass(ClassBuilder<THoverTipsForm>&) {}

THoverTipsForm::THoverTipsForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("HoverTips");
    SetCaption("Hover tips");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientWidth(300);
    SetClientHeight(170);

    FShipping = Place<TGroupBox>(this, "Shipping", 8, 8, 185, 105);
    Place<TRadioButton>(FShipping, "Standard", 12, 22, 160, 17)->SetChecked(true);
    Place<TRadioButton>(FShipping, "Express", 12, 46, 160, 17);
    Place<TCheckBox>(FShipping, "GiftWrap", 12, 74, 160, 17)->SetCaption("Gift wrap");
    auto* save = Place<TButton>(this, "Save", 212, 16, 75, 25);
    auto* cancel = Place<TButton>(this, "Cancel", 212, 80, 75, 25);
    auto* comment = Place<TEdit>(this, "Comment", 8, 124, 185, 21);
    comment->SetTextValue("");

    FTip = Place<TPanel>(this, "Tip", 0, 0, 170, 20);
    FTip->SetCaption("");
    FTip->SetColor(clInfoBk);
    FTip->SetBevelOuter(bvNone);
    FTip->SetBorderStyle(bsSingle);
    FTip->Hide();

    // In the messaging mode (Bounding) with TrackChildren, moving from the
    // box onto a radio button and on to the check box raises nothing: the
    // pointer is still over the group box.
    auto* group = new TQVTrackMouse(this);
    Watch(group, FShipping);
    group->SetBounding(true);
    group->SetTrackChildren(true);
    group->OnMouseEnter() = TQVTrackMouseEvent::Of<&THoverTipsForm::GroupEnter>(this);
    group->OnMouseLeave() = TQVTrackMouseEvent::Of<&THoverTipsForm::GroupLeave>(this);
    group->Run();

    // OnMouseHover comes once per visit, after the pointer has stayed
    // HoverTime milliseconds; a shorter visit gets none.
    auto* tips = new TQVTrackMouse(this);
    Watch(tips, save);
    Watch(tips, cancel);
    Watch(tips, comment);
    tips->SetHoverTime(500);
    tips->OnMouseEnter() = TQVTrackMouseEvent::Of<&THoverTipsForm::TipEnter>(this);
    tips->OnMouseHover() = TQVTrackMouseEvent::Of<&THoverTipsForm::TipHover>(this);
    tips->OnMouseLeave() = TQVTrackMouseEvent::Of<&THoverTipsForm::TipLeave>(this);
    tips->Run();
}

namespace {

const char* const kUsage =
    "usage: hovertips [--script FILE]\n"
    "       hovertips --help | --version\n"
    "  (no options)    a real window, where a display is reachable\n"
    "  --script FILE   drive the headless desktop with an input script\n";

int Usage(const std::string& Problem) {
    std::fprintf(stderr, "hovertips: %s\n%s", Problem.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Each event reaches a pipe as it happens, in step with the run's errors.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::puts("hovertips " QV_VERSION);
            return 0;
        }
        if (arg != "--script") return Usage("unknown argument '" + arg + "'");
        if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage("option '--script' needs a file name");
        scriptPath = argv[++i];
    }

    std::unique_ptr<TInputScript> script;
    try {
        if (!scriptPath.empty()) {
            std::string text;
            if (!ReadFileBytes(scriptPath, text)) {
                std::fprintf(stderr, "hovertips: cannot read '%s': %s\n", scriptPath.c_str(), std::strerror(errno));
                return 1;
            }
            script = std::make_unique<TInputScript>(text, scriptPath);  // syntax errors show here
            SetPlatform(CreatePlatform("headless"));                      // scripts drive the virtual desktop
        }
        Application->Initialize();  // otherwise: a window where a display is, else the headless desktop
    } catch (const EScriptError& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return 1;
    } catch (const Exception& e) {
        std::fprintf(stderr, "hovertips: %s\n", e.Message().c_str());  // e.g. a display that cannot be opened
        return 1;
    }
    auto* desktop = dynamic_cast<THeadlessPlatform*>(Platform());
    if (desktop && !script) return Usage("no display to open a window on; give a script to run headless");

    int status = 0;
    try {
        THoverTipsForm* form = nullptr;
        Application->CreateForm(form);
        if (desktop) desktop->OnIdleInput = [&] { return script->Step(*desktop); };
        Application->Run();  // until the form closes or the script ends
        if (desktop) script->Finish(*desktop);  // lines after the form closed
    } catch (const EScriptError& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        status = 1;
    }
    if (desktop) desktop->OnIdleInput = nullptr;  // it refers to this function's script
    return status;
}
