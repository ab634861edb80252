// Forms, the application object and its message loops.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/Menus.h"
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
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop, fsSplash, fsSystemStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized, wsFullScreen };
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TShowInTaskbar { stDefault, stAlways, stNever };
enum TPopupMode { pmNone, pmAuto, pmExplicit };
enum TPrintScale { poNone, poProportional, poPrintToFit };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollBarStyle { ssRegular, ssFlat, ssHotTrack };

// A scrolling container's scroll bar settings (HorzScrollBar, VertScrollBar),
// kept as stored.
class TControlScrollBar : public TPersistent {
    VCL_CLASS(TControlScrollBar, TPersistent)
    TControlScrollBar() = default;
    int32_t ButtonSize = 0;
    TColor Color = clBtnHighlight;
    int32_t Increment = 8;
    int32_t Margin = 0;
    int32_t Page = 0;
    bool ParentColor = true;
    int32_t Position = 0;
    int32_t Range = 0;
    bool Smooth = false;
    int32_t Size = 0;
    TScrollBarStyle Style = ssRegular;
    int32_t ThumbSize = 0;
    bool Tracking = false;
    bool Visible = true;
};
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
// The same for one form: a form with a main menu has its menu bar between
// the title bar and the client area, counted in Caption.
TFrameMetrics FrameMetrics(const TCustomForm* Form);
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
    // The main menu shown as the form's menu bar, outside the client area:
    // setting it keeps the client size and grows or shrinks the window.
    TMainMenu* Menu() const { return FMenu.Get(); }
    void SetMenu(TMainMenu* v);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v) { FFormStyle = v; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState v) { FWindowState = v; }
    // With KeyPreview the form's OnKeyDown, OnKeyPress and OnKeyUp see keys
    // before the focused control.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }

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
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TEvent<uint16_t, int32_t, bool&> OnHelp;
    TEvent<TObject*, TWindowState> OnWindowStateChange;
    TEvent<TObject*, bool&> OnShortCut;

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
    // Draws the menu bar (screen coordinates of the form's bounds in R).
    friend void DrawWindowFrame(TCanvas& Canvas, const TCustomForm* Form, bool Active);
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
    TWeakRef<TWinControl> FLoadedActiveControl;
    TWeakRef<TMainMenu> FMenu;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    TDefaultMonitor FDefaultMonitor = dmActiveForm;
    TShowInTaskbar FShowInTaskBar = stDefault;
    TPopupMode FPopupMode = pmNone;
    TPrintScale FPrintScale = poProportional;
    bool FKeyPreview = false;
    bool FAutoScroll = false;
    bool FOldCreateOrder = false;
    bool FScaled = true;
    bool FAlphaBlend = false;
    int32_t FAlphaBlendValue = 255;
    int32_t FDesignTimePPI = 96;
    AnsiString FHelpFile;
    AnsiString FLCLVersion;
    AnsiString FSessionProperties;
    bool FAllowDropFiles = false;
    // Lazarus' designer place of a frame, apart from the component's own
    // (which a form would write as Left and Top).
    int32_t FLazDesignLeft = 0;
    int32_t FLazDesignTop = 0;
    bool FUseDockManager = false;
    bool FDockSite = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar{new TControlScrollBar()};
    std::unique_ptr<TControlScrollBar> FVertScrollBar{new TControlScrollBar()};
    TWinControl* ActiveControlValue() const { return ActiveControl(); }
    void SetActiveControlValue(TWinControl* v);
    // Window frame and client insets for the border style and menu.
    void ApplyFrame();
};

class TForm : public TCustomForm {
    VCL_CLASS(TForm, TCustomForm)
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// A sunken container whose children may lie beyond its edges (no scrolling
// here: the scroll bar settings are kept as stored).
class TScrollBox : public TWinControl {
    VCL_CLASS(TScrollBox, TWinControl)
    explicit TScrollBox(TComponent* AOwner);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    // A sunken edge (with bsSingle) round the Color fill.
    void Paint(TCanvas& Canvas) const override;

private:
    TBorderStyle FBorderStyle = bsSingle;
    bool FAutoScroll = true;
    bool FAutoSize = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar{new TControlScrollBar()};
    std::unique_ptr<TControlScrollBar> FVertScrollBar{new TControlScrollBar()};
};

// A frame placed on a form: a plain container of its own controls.
class TFrame : public TScrollBox {
    VCL_CLASS(TFrame, TScrollBox)
    explicit TFrame(TComponent* AOwner);
};

class TApplication : public TComponent {
    VCL_CLASS(TApplication, TComponent)

    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Installs the backend ChoosePlatform picks for Backend (a program's
    // --backend; empty: QV_BACKEND, else the windowed one when a display is
    // set, else the headless one), throwing EPlatformError when it cannot
    // start, e.g. on a display that cannot be opened. A backend already
    // installed with SetPlatform is kept. From here on SIGTERM and SIGINT end
    // the session (CatchQuitSignals).
    void Initialize(const std::string& Backend = {});
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
    // Lets Milliseconds pass with the message loop running: waiting input,
    // timers (each one that falls due on the way, in order), posted tasks and
    // idle work are handled, and what is pending at the end too. On the
    // headless desktop the time is virtual and passes at once; on a windowed
    // backend it is real time. This is how a program or a test makes time
    // pass (a script's `wait MS` does the same); it also works after the
    // main form has closed.
    void AdvanceTime(uint32_t Milliseconds);
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
    // Waits up to TimeoutMs for input and dispatches it; false (and the
    // application terminated) when no input will ever come.
    bool WaitAndDispatch(int64_t TimeoutMs);
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

// Registers every component class of the framework for form files: forms,
// frames and scroll boxes, and the classes of the other units (standard and
// extra controls, buttons, check lists, timers, menus, actions, image lists,
// dialogs, common controls, spin edits). A program that reads form files
// makes this one call; its own classes and packages register beside it.
void RegisterFormClasses();

}  // namespace vcl

VCL_ENUM_INFO(vcl::TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
VCL_ENUM_INFO(vcl::TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
              poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
VCL_ENUM_INFO(vcl::TCloseAction, caNone, caHide, caFree, caMinimize)
VCL_ENUM_INFO(vcl::TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop, fsSplash, fsSystemStayOnTop)
VCL_ENUM_INFO(vcl::TWindowState, wsNormal, wsMinimized, wsMaximized, wsFullScreen)
VCL_ENUM_INFO(vcl::TDefaultMonitor, dmDesktop, dmPrimary, dmMainForm, dmActiveForm)
VCL_ENUM_INFO(vcl::TShowInTaskbar, stDefault, stAlways, stNever)
VCL_ENUM_INFO(vcl::TPopupMode, pmNone, pmAuto, pmExplicit)
VCL_ENUM_INFO(vcl::TPrintScale, poNone, poProportional, poPrintToFit)
VCL_ENUM_INFO(vcl::TScrollBarStyle, ssRegular, ssFlat, ssHotTrack)
