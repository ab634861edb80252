// minimal: a form made in code with a label, an edit box and a button, and a
// TQVTrackMouse that prints "enter NAME" and "leave NAME" as the mouse
// pointer goes over them.
//
//   minimal                 a window where a display is reachable, else a
//                           short tour of the form on the headless desktop
//   minimal --script FILE   an input script drives the headless desktop
//   minimal --help | --version
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <framework/Forms.h>
#include <framework/StdCtrls.h>
#include <framework/Version.h>
#include <framework/platform/headless/HeadlessPlatform.h>
#include <framework/platform/headless/InputScript.h>
#include <runtime/QVTrackMouse.h>

using namespace vcl;

// Input script commands, as formrun takes them: the pointer visits each control.
const char* const kTour = "move Form1.Label1\nmove Form1.Edit1\nmove Form1.Button1\nmove Form1 10 90\n";

template <class T>
T* Place(TForm* Form, const char* Name, const char* Caption, int Left, int Top, int Width, int Height) {
    T* control = new T(Form);  // owned and freed by the form
    control->SetName(Name);
    control->SetCaption(Caption);
    control->SetBounds(Left, Top, Width, Height);
    control->SetParent(Form);
    return control;
}

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each event reaches a pipe as it happens
    const std::string option = argc > 1 ? argv[1] : "";
    if (argc == 2 && (option == "--help" || option == "--version")) {
        std::puts(option == "--help" ? "usage: minimal [--script FILE]" : "minimal " QV_VERSION);
        return 0;
    }
    std::string script = kTour, source = "tour";
    if (argc == 3 && option == "--script") {
        source = argv[2];
        if (!ReadFileBytes(source, script)) {
            std::fprintf(stderr, "minimal: cannot read %s: %s\n", argv[2], std::strerror(errno));
            return 1;
        }
        SetPlatform(CreatePlatform("headless"));  // scripts drive the virtual desktop
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: minimal [--script FILE]\n");
        return 2;
    }
    try {
        Application->Initialize();  // a window where a display is set, else the headless desktop
    } catch (const Exception& e) {
        std::fprintf(stderr, "minimal: %s\n", e.Message().c_str());  // e.g. a display that cannot be opened
        return 1;
    }

    TForm* form = nullptr;
    Application->CreateForm(form);
    form->SetName("Form1");
    form->SetCaption("Minimal");
    form->SetClientWidth(260);
    form->SetClientHeight(100);
    TControl* label = Place<TLabel>(form, "Label1", "Your name:", 12, 16, 80, 17);
    TControl* edit = Place<TEdit>(form, "Edit1", "", 92, 12, 150, 21);
    TControl* button = Place<TButton>(form, "Button1", "Hello", 167, 48, 75, 25);

    auto* tracker = new TQVTrackMouse(form);
    for (TControl* control : {label, edit, button}) tracker->Associate()->AddControl(control);
    tracker->OnMouseEnter() = TQVTrackMouseEvent::Of(form, [](TObject* Sender) {
        std::printf("enter %s\n", static_cast<TControl*>(Sender)->Name().c_str());
    });
    tracker->OnMouseLeave() = TQVTrackMouseEvent::Of(form, [](TObject* Sender) {
        std::printf("leave %s\n", static_cast<TControl*>(Sender)->Name().c_str());
    });
    tracker->Run();

    auto* desktop = dynamic_cast<THeadlessPlatform*>(Platform());
    int status = 0;
    try {
        TInputScript input(script, source);
        if (desktop) desktop->OnIdleInput = [&] { return input.Step(*desktop); };
        Application->Run();  // until the form closes or the script ends
        if (desktop) input.Finish(*desktop);  // lines after the form closed
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());  // FILE:LINE: what is wrong
        status = 1;
    }
    if (desktop) desktop->OnIdleInput = nullptr;  // it refers to the script above
    return status;
}
