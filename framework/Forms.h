// Forms, the application object and its message loops.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/platform/Platform.h"

namespace vcl {

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

// Modal results.
enum : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

// Frame around a form's client area, by border style: the title bar and
// border widths the framework's own frames use.
struct TFrameMetrics {
    int32_t Border = 0;
    int32_t Caption = 0;
};
TFrameMetrics FrameMetrics(TFormBorderStyle Style);
// Whether the window system lets the user resize a window of that style.
inline bool Sizeable(TFormBorderStyle Style) { return Style == bsSizeable || Style == bsSizeToolWin; }
// Where the client area of a form framed by the framework starts on the
// screen: its place plus the frame and the title bar.
TPoint FramedClientOrigin(const TCustomForm* Form);
// The frame and title bar the framework draws round a form (on a canvas of
// the screen), as backends without a window manager's frames show them.
void DrawWindowFrame(TCanvas& Canvas, const TCustomForm* Form, bool Active);

class TCustomForm : public TWinControl {
    VCL_CLASS(TCustomForm, TWinControl)

    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    void WndProc(TMessage& Message) override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v) { FBorderIcons = v; }
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TIcon* Icon() const { return FIcon; }
    void SetIcon(TIcon* v) { FIcon->Assign(v); }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v) { FModalResult = v; }
    int32_t PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int32_t v) { FPixelsPerInch = v; }
    int32_t TextHeight() const { return FTextHeight; }
    void SetTextHeight(int32_t v) { FTextHeight = v; }

    // The client area is the window less its frame.
    void SetClientWidth(int32_t v) override;
    void SetClientHeight(int32_t v) override;
    // The client origin is kept, not computed: it is read for every control
    // on every message by trackers in the geometric mode. Backends call
    // WindowMoved when the window system moves the window.
    TPoint GetClientOrigin() const override { return FScreenOrigin; }
    void WindowMoved() { UpdateClientOrigin(); }
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void SetVisible(bool v) override;
    bool Showing() const override { return FVisible && FShown; }

    // Shows the form modelessly / hides it.
    void Show();
    void Hide();
    // Runs the close rules: OnCloseQuery, OnClose with caHide, then hides the
    // form (the main form ends the application). A modal form instead gets
    // ModalResult mrCancel and its loop closes it.
    void Close();
    // Shows the form and runs a nested loop until it closes; the form is left
    // hidden, not freed. Returns the modal result.
    int ShowModal();
    bool IsModal() const { return FModal; }
    // Frees the form once no message of it is being handled any more (also
    // when handlers run nested message loops meanwhile).
    void Release();
    bool Released() const { return FReleased; }

    TWinControl* ActiveControl() const { return FActiveControl.Get(); }
    void SetActiveControl(TWinControl* Control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(bool Forward);
    bool DialogKey(uint16_t Key, TShiftState Shift) override;

    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

    // Repainting is requested by controls and carried out by the message loop.
    void RequestPaint() { FPaintPending = true; }
    bool PaintPending() const { return FPaintPending; }
    // Sends WM_PAINT: what was invalidated is drawn again on the surface,
    // each area's parent background first, then the controls over it in
    // z-order; screen texts there are erased.
    void PaintNow();
    // The picture of the client area, as big as the client area once
    // painted (up to 8192 pixels each way). Pixels are 0x00RRGGBB.
    const TBitmapData& Surface() const { return FSurface; }
    // Goes up by one with every repaint that drew on the surface: a backend
    // copies the picture again only when it has moved.
    uint64_t SurfaceVersion() const { return FSurfaceVersion; }
    // The client area in Color.
    void Paint(TCanvas& Canvas) const override;

    // A form is not written inside a parent.
    bool HasParent() const override { return false; }
    void Loaded() override;

protected:
    void BeforeDestruction() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    // The caption is the window's title.
    void TextChanged() override;
    bool IsVisibleStored() const { return IsDesigning(); }
    virtual bool CloseQuery();
    virtual void DoClose(TCloseAction& Action);
    void PlaceOnScreen();

private:
    void CloseModal();
    void UpdateClientOrigin();
    void Repaint();
    TBitmapData FSurface;
    uint64_t FSurfaceVersion = 0;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TIcon* FIcon;
    int FModalResult = 0;
    int32_t FPixelsPerInch = 96;
    int32_t FTextHeight = 13;
    bool FModal = false;
    bool FReleased = false;
    int FMessageDepth = 0;  // messages of the form being handled (TMessageScope)
    friend class TMessageScope;
    friend class TApplication;
    bool FShown = false;
    bool FPaintPending = true;
    bool FPlaced = false;
    TWeakRef<TWinControl> FActiveControl;
};

class TForm : public TCustomForm {
    VCL_CLASS(TForm, TCustomForm)
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

class TApplication : public TComponent {
    VCL_CLASS(TApplication, TComponent)

    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Installs the backend: the one given by --backend or QV_BACKEND, else
    // the windowed one when a display is reachable, else the headless one.
    // A backend already installed with SetPlatform is kept.
    void Initialize();
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& v) { FTitle = v; }
    TCustomForm* MainForm() const { return FMainForm.Get(); }

    // Creates a form owned by the application; the first one becomes the
    // main form.
    template <class T>
    void CreateForm(T*& Reference) {
        T* form = new T(this);
        Reference = form;
        if (!FMainForm) FMainForm = form;
    }
    void AddForm(TCustomForm* Form);

    // Shows the main form and runs the message loop until the main form has
    // closed (or Terminate was called).
    void Run();
    // Handles every waiting event, then returns.
    void ProcessMessages();
    // Handles one event, waiting for it if none is waiting.
    void HandleMessage();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // Shows an exception's message in a message box.
    void ShowException(const Exception& E);

    // Runs Task after the current message has been handled.
    void Post(std::function<void()> Task) { FPosted.push_back(std::move(Task)); }
    // Frees the released forms that no message is being handled for.
    void FreeReleasedForms();

    // Handler runs at every idle moment (after input, timers and posted
    // tasks, before painting) while Target lives; one handler a target.
    void AddIdleHandler(TObject* Target, TNotifyEvent Handler);
    void RemoveIdleHandler(TObject* Target);

    // Routes one backend event into the forms.
    void DispatchInput(const TInputEvent& Event);
    // Recomputes the control under the pointer and sends the enter and leave
    // notifications when it changed.
    void UpdateMouseControl();
    TControl* MouseControl() const { return FMouseControl.Get(); }
    // The form that receives input now: the topmost modal form, or any.
    TCustomForm* ModalForm() const;
    bool AcceptsInput(const TCustomForm* Form) const;

    // The control at a screen position, and the windowed control that takes
    // mouse messages there.
    TControl* ControlAtScreen(TPoint Pos, TWinControl** Windowed = nullptr) const;

    // Pointer input takes one route: the target under the pointer is found
    // once per event (PointerTargetAt), accepted or refused in one place
    // (AcceptsPointerInput: there, shown, enabled with its parents, on a form
    // that takes input now), and read again through its weak references
    // after every call that may run a handler.
    struct TPointerTarget {
        TWeakRef<TCustomForm> Form;   // the window under the pointer
        TWeakRef<TControl> Under;     // the control there (null on the frame)
        TWeakRef<TWinControl> Windowed;  // the windowed control that takes mouse messages
    };
    TPointerTarget PointerTargetAt(TPoint Pos) const;
    bool AcceptsPointerInput(const TControl* Control) const;

private:
    friend class TCustomForm;
    void Idle();
    void RunPosted();
    // What follows every turn of a loop: posted tasks, due timers, idle.
    void Settle();
    void SendMouse(TControl* Target, uint32_t Msg, TPoint ScreenPos, uintptr_t Keys);

    AnsiString FTitle;
    TWeakRef<TCustomForm> FMainForm;
    TWeakRef<TControl> FMouseControl;
    std::vector<TWeakRef<TCustomForm>> FModalStack;
    std::deque<std::function<void()>> FPosted;
    std::vector<TWeakRef<TCustomForm>> FReleasedForms;
    struct TIdleHandler {
        TWeakRef<TObject> Target;
        TNotifyEvent Handler;
    };
    std::vector<TIdleHandler> FIdleHandlers;
    bool FTerminated = false;
    uintptr_t FButtons = 0;  // MK_* bits of the buttons held down
};

class TScreen : public TComponent {
    VCL_CLASS(TScreen, TComponent)
    explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
    int32_t Width() const;
    int32_t Height() const;
    TCustomForm* ActiveForm() const { return FActiveForm.Get(); }
    void SetActiveForm(TCustomForm* f);
    // Every form that exists, in creation order.
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int i) const { return FForms[static_cast<size_t>(i)]; }

private:
    friend class TCustomForm;
    TWeakRef<TCustomForm> FActiveForm;
    std::vector<TCustomForm*> FForms;
};

// The application and screen objects. Application is created on first use
// and may be replaced (tests start each case with a fresh one).
extern TApplication* Application;
extern TScreen* Screen;
// Frees every form and the application object, and makes new ones; keeps
// the installed backend.
void ResetApplication();

// Registers the form classes for form files.
void RegisterFormClasses();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
VCL_ENUM_INFO(vcl::TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
              poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
VCL_ENUM_INFO(vcl::TCloseAction, caNone, caHide, caFree, caMinimize)
