// The program the end-to-end test drives: shows a form from a form file on a
// real backend and writes what happens, one line each, to standard output,
// so that a test moving the real pointer and pressing real keys can follow.
//
//   e2e_app FORM [--backend headless|sdl]
//
// Without --backend the application picks the backend as any program does.
// The form must have the controls of data/E2eForm.dfm. Lines written:
//   backend NAME                 the backend in use
//   shown X Y                    the form is shown; its client origin
//   move X Y                     a mouse move over the form, client coordinates
//   enter|leave NAME X Y         the pointer entered or left a control (or
//                                "form"), with GetCursorPos then
//   tick 0|1                     the check box was clicked (the caption changes)
//   answer ID                    the message box was closed with button ID
//   text TEXT                    the edit's text changed
//   warped X Y                   SetCursorPos to the panel's centre, then GetCursorPos
//   scribbled X Y                red text drawn on the screen at (X, Y) through
//                                GetDC(0), over the form's bare area
//   moved X Y W H                the form moved by (50, 30) and grew by (40, 20):
//                                its client origin and size then
#include <cstdio>
#include <string>

#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"
#include "framework/Windows.h"

using namespace vcl;

namespace {

template <class... A>
void Out(const char* Format, A... Args) {
    std::printf(Format, Args...);
    std::putchar('\n');
    std::fflush(stdout);
}

template <class T>
T* Need(TComponent* Root, const char* Name) {
    auto* c = dynamic_cast<T*>(Root->FindComponent(Name));
    if (!c) throw Exception(std::string("the form has no ") + Name);
    return c;
}

// Owned by the form, so that its handlers live exactly as long as the form.
class TProbe : public TComponent {
public:
    explicit TProbe(TForm* AForm) : TComponent(AForm), Form(AForm) {
        Tick = Need<TCheckBox>(Form, "TickBox");
        Edit = Need<TEdit>(Form, "NameEdit");
        Panel = Need<TPanel>(Form, "ColourPanel");
        Tick->OnClick = TNotifyEvent::Of<&TProbe::TickClick>(this);
        Need<TButton>(Form, "AskButton")->OnClick = TNotifyEvent::Of<&TProbe::AskClick>(this);
        Need<TButton>(Form, "WarpButton")->OnClick = TNotifyEvent::Of<&TProbe::WarpClick>(this);
        Need<TButton>(Form, "MoveButton")->OnClick = TNotifyEvent::Of<&TProbe::MoveClick>(this);
        Need<TButton>(Form, "ScribbleButton")->OnClick = TNotifyEvent::Of<&TProbe::ScribbleClick>(this);
        Edit->OnChange = TNotifyEvent::Of<&TProbe::EditChange>(this);
        Form->OnShow = TNotifyEvent::Of<&TProbe::FormShow>(this);
        Form->OnMouseMove = TMouseMoveEvent::Of<&TProbe::FormMouseMove>(this);
        Previous = HookWindowProc(Form, this, TWndMethod::Of<&TProbe::FormProc>(this));
    }

private:
    void TickClick(TObject*) {
        Out("tick %d", Tick->Checked() ? 1 : 0);
        Form->SetCaption(Tick->Checked() ? "E2E Form ticked" : "E2E Form");
    }
    void AskClick(TObject*) {
        int id = MessageBoxA(nullptr, "Go on?", "E2E Question", MB_YESNO | MB_ICONQUESTION);
        Out("answer %d", id);
    }
    void WarpClick(TObject*) {
        TPoint c = Panel->ClientToScreen(TPoint{Panel->Width() / 2, Panel->Height() / 2});
        SetCursorPos(c.x, c.y);
        TPoint p;
        GetCursorPos(&p);
        Out("warped %d %d", p.x, p.y);
    }
    void MoveClick(TObject*) {
        Form->SetBounds(Form->Left() + 50, Form->Top() + 30, Form->Width() + 40, Form->Height() + 20);
        TPoint o = Form->ClientOrigin();
        Out("moved %d %d %d %d", o.x, o.y, Form->ClientWidth(), Form->ClientHeight());
    }
    void ScribbleClick(TObject*) {
        TPoint at = Form->ClientToScreen(TPoint{200, 250});
        HDC dc = GetDC(nullptr);
        SetTextColor(dc, 0x0000FF);  // red
        TextOutA(dc, at.x, at.y, "Scribble", 8);
        ReleaseDC(nullptr, dc);
        Out("scribbled %d %d", at.x, at.y);
    }
    void EditChange(TObject*) { Out("text %s", Edit->Text().c_str()); }
    void FormShow(TObject*) {
        TPoint o = Form->ClientOrigin();
        Out("shown %d %d", o.x, o.y);
    }
    void FormMouseMove(TObject*, TShiftState, int32_t X, int32_t Y) { Out("move %d %d", X, Y); }
    void FormProc(TMessage& M) {
        if (M.Msg == CM_MOUSEENTER || M.Msg == CM_MOUSELEAVE) {
            auto* c = reinterpret_cast<TControl*>(M.LParam);
            TPoint p{-1, -1};
            GetCursorPos(&p);
            Out("%s %s %d %d", M.Msg == CM_MOUSEENTER ? "enter" : "leave", c ? c->Name().c_str() : "form", p.x,
                p.y);
        }
        Previous(M);
    }

    TForm* Form;
    TCheckBox* Tick;
    TEdit* Edit;
    TPanel* Panel;
    TWndMethod Previous;
};

}  // namespace

int main(int argc, char** argv) {
    std::string formPath, backend;
    bool usage = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--backend" && i + 1 < argc) backend = argv[++i];
        else if (formPath.empty() && !a.empty() && a[0] != '-') formPath = a;
        else usage = true;
    }
    if (usage || formPath.empty()) {
        std::fprintf(stderr, "usage: e2e_app FORM [--backend headless|sdl]\n");
        return 2;
    }
    std::string data;
    if (!ReadFileBytes(formPath, data)) {
        std::fprintf(stderr, "e2e_app: cannot read %s\n", formPath.c_str());
        return 1;
    }
    try {
        RegisterFormClasses();
        RegisterExtControls();  // and the standard controls and buttons
        RegisterCheckListBox();
        if (!backend.empty()) {
            auto p = CreatePlatform(backend);
            if (!p) {
                std::fprintf(stderr, "e2e_app: the %s backend cannot start\n", backend.c_str());
                return 2;
            }
            SetPlatform(std::move(p));
        }
        Application->Initialize();
        Out("backend %s", Platform()->Name());
        TForm* form = nullptr;
        Application->CreateForm(form);
        ReadComponentFromForm(data, formPath, form);
        new TProbe(form);
        Application->Run();
    } catch (const Exception& e) {
        std::fprintf(stderr, "e2e_app: %s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
