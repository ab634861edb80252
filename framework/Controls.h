// Controls: geometry, parents and children, the message path and input.
//
// What reaches a form, which components such as mouse trackers rely on:
// - Every message to a control passes through its WindowProc, which starts
//   as the control's own WndProc and may be saved, replaced and chained; a
//   replacement receives every later message.
// - The framework knows the control under the pointer at every moment (the
//   innermost visible control, graphic controls included, disabled ones too).
//   When it changes, the control left gets CM_MOUSELEAVE and then the control
//   entered gets CM_MOUSEENTER, each with LParam 0. Each control passes the
//   notification to its parent with LParam naming the control concerned, so
//   it reaches the form through the form's WindowProc with LParam naming the
//   control, or 0 when the form's own client area is concerned. Leaving a
//   form for the desktop or another window is a leave like any other.
// - Every pointer move over a form or anything inside it sends WM_SETCURSOR
//   to the windowed control under the pointer; each windowed control passes
//   it to its parent, so it arrives at the form's WindowProc. Modal state
//   does not stop it.
// - Mouse buttons go to the control under the pointer (a graphic control's
//   through its windowed parent); a press captures the pointer until the
//   release. Disabled and hidden controls get no input (TApplication routes
//   input; TWinControl::WndProc hands mouse messages to graphic children).
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"
#include "framework/Types.h"

namespace vcl {

class TWinControl;
class TCustomForm;
class TCanvas;

// Window borders: forms use them all, controls only bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csClickEvents,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
};
using TControlStyle = TSet<TControlStyleItem>;

using TWndMethod = TEvent<TMessage&>;
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int32_t, int32_t>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int32_t, int32_t>;
using TKeyEvent = TEvent<TObject*, uint16_t&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;

class TControl : public TComponent {
    VCL_CLASS(TControl, TComponent)

    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // --- Messages ---
    // Every message to the control passes through WindowProc.
    TWndMethod WindowProc;
    // Sends a message through WindowProc and returns its Result.
    intptr_t Perform(uint32_t Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
    // The default window procedure: dispatches by message number.
    virtual void WndProc(TMessage& Message);

    // --- Parent and geometry ---
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    // The form that contains the control (the control itself for a form).
    TCustomForm* GetParentForm() const;

    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetLeft(int32_t v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int32_t v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int32_t v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int32_t v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }

    // The client area, in the control's own coordinates and on the screen.
    // It is the bounds less the client insets (a border, a form's frame),
    // kept as data: trackers read it for every control on every message.
    TRect GetClientRect() const { return TRect{0, 0, GetClientWidth(), GetClientHeight()}; }
    int32_t GetClientWidth() const {
        int32_t w = FWidth - FClientInsets.Left - FClientInsets.Right;
        return w > 0 ? w : 0;
    }
    int32_t GetClientHeight() const {
        int32_t h = FHeight - FClientInsets.Top - FClientInsets.Bottom;
        return h > 0 ? h : 0;
    }
    int32_t ClientWidth() const { return GetClientWidth(); }
    int32_t ClientHeight() const { return GetClientHeight(); }
    virtual void SetClientWidth(int32_t v);
    virtual void SetClientHeight(int32_t v);
    // Screen coordinates of the client area's top-left corner: the sum of
    // the places up the parent chain, plus the top-level window's origin.
    virtual TPoint GetClientOrigin() const;
    TPoint ClientOrigin() const { return GetClientOrigin(); }
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);

    // --- State ---
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, with every parent visible up to a shown form.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);
    // Enabled, with every parent enabled.
    bool IsEnabledForInput() const;

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TFont* Font() const { return FFont; }
    void SetFont(TFont* v) { FFont->Assign(v); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    // The caption (labels, buttons, panels, forms) or text (edit boxes).
    AnsiString GetText() const { return FText; }
    void SetText(const AnsiString& v);
    AnsiString Caption() const { return FText; }
    void SetCaption(const AnsiString& v) { SetText(v); }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle v) { FControlStyle = v; }

    // --- Events ---
    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    virtual void Click();
    // Draws the control as it is now, on a canvas whose origin is the
    // control's top-left corner (its bounds, not its client area) and whose
    // clip keeps to the part being repainted. The form's repaint calls it
    // for invalidated areas, parents before children; it changes no state.
    // The default draws nothing.
    virtual void Paint(TCanvas& Canvas) const;
    // Marks the control for repainting.
    void Invalidate();
    bool NeedsRepaint() const { return FInvalid; }
    void Validate() { FInvalid = false; }
    // Moves the control to the top (bottom) of its siblings of the same kind.
    void BringToFront();
    void SendToBack();

    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // Streaming: controls are written inside their parent.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void SetName(const AnsiString& NewName) override;
    void Loaded() override;

protected:
    void BeforeDestruction() override;
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
    virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
    // The framework calls these after a property changed.
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void VisibleChanged();
    virtual void EnabledChanged() { Invalidate(); }
    virtual void BoundsChanged() {}
    // Parent font and colour arrive here when they change.
    void ParentFontChanged();
    void ParentColorChanged();
    void RequestAlign();
    bool IsFontStored() const { return !FParentFont; }
    bool IsColorStored() const { return !FParentColor; }

    // Border widths inside the bounds that are not client area.
    void SetClientInsets(TRect Insets);
    TRect ClientInsets() const { return FClientInsets; }

    TWinControl* FParent = nullptr;
    int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TRect FClientInsets;
    // A top-level window's client origin on the screen, as its backend
    // reports it (forms keep it up to date).
    TPoint FScreenOrigin;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    bool FParentFont = true;
    TFont* FFont;
    AnsiString FText;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    bool FInvalid = true;
    bool FClicked = false;  // pressed with the left button, waiting for the release

private:
    void HandleMouse(TMessage& Message);
    void DoFontChange(TObject* Sender);
    bool FUpdatingFromParent = false;
    // Objects the control owns for others (window-procedure hooks), freed
    // last when it goes; FHookDepth counts hook dispatches under way.
    std::vector<TObject*> FAttachments;
    int FHookDepth = 0;
    bool FDeadHooks = false;  // a hook's target may be gone: compact at the next quiet moment
    friend class TWinControl;
    friend class TWindowProcHook;
    friend TWndMethod HookWindowProc(TControl*, TObject*, TWndMethod);
    friend void CompactWindowProcHooks(TControl*);
};

class TWinControl : public TControl {
    VCL_CLASS(TWinControl, TControl)

    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    void WndProc(TMessage& Message) override;

    // Children: graphic controls first, then windowed ones, each in z-order
    // (bottom first). Windowed children always lie above graphic ones.
    int ControlCount() const { return static_cast<int>(FGraphic.size() + FWindowed.size()); }
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // The child at a client position: graphic children (topmost first), or
    // also windowed ones when AllowWinControls is set. Hidden children never,
    // disabled ones only with AllowDisabled.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;

    // --- Focus and tab order ---
    int TabOrder() const;
    void SetTabOrder(int v);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) { FTabStop = v; }
    bool Focused() const;
    virtual bool CanFocus() const;
    void SetFocus();
    // The tab-ordered list of windowed children.
    std::vector<TWinControl*> TabList() const;
    // A key the focused control left alone (Tab, Return, Escape, ...):
    // offered to the controls of the form until one takes it.
    virtual bool DialogKey(uint16_t Key, TShiftState Shift);

    // --- Layout ---
    // Places aligned children within the client area, in the framework's
    // order: top, bottom, left, right, then client.
    void Realign() { AlignWith(nullptr); }
    // Realigns with Control placed first among its equals: the control whose
    // alignment or bounds just changed keeps its place.
    void AlignWith(TControl* Control);
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    TComponent* GetChildParent() override { return this; }

protected:
    void BeforeDestruction() override;
    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void DoEnter() { OnEnter(this); }
    virtual void DoExit() { OnExit(this); }
    // Room that aligned children leave free (a panel's bevel).
    virtual void AdjustClientRect(TRect&) const {}
    void BoundsChanged() override { Realign(); }
    void VisibleChanged() override;

    int FTabOrder = -1;
    bool FTabStop = false;

private:
    friend class TControl;
    void AlignControls(TControl* First);
    std::vector<TControl*> FGraphic;
    std::vector<TWinControl*> FWindowed;
    std::vector<TWinControl*> FTabList;
    int FAlignLevel = 0;
    bool FAlignPending = false;
    bool FAligning = false;
};

class TGraphicControl : public TControl {
    VCL_CLASS(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
};

// Publishes the events most controls share, in the order form files store
// them: the mouse events, and for windowed controls the focus and key events
// before them.
template <class C>
void PublishMouseEvents(ClassBuilder<C>& c) {
    c.Property("OnMouseDown", &TControl::OnMouseDown);
    c.Property("OnMouseMove", &TControl::OnMouseMove);
    c.Property("OnMouseUp", &TControl::OnMouseUp);
}
template <class C>
void PublishFocusKeyMouseEvents(ClassBuilder<C>& c) {
    c.Property("OnEnter", &TWinControl::OnEnter);
    c.Property("OnExit", &TWinControl::OnExit);
    c.Property("OnKeyDown", &TWinControl::OnKeyDown);
    c.Property("OnKeyPress", &TWinControl::OnKeyPress);
    c.Property("OnKeyUp", &TWinControl::OnKeyUp);
    PublishMouseEvents(c);
}

// The control at Address among Root and its descendants, or null: a value
// that may name a control (a message parameter a handler may have outlived)
// is compared, never followed.
TControl* FindDescendant(const TControl* Root, const void* Address);

// The control that has captured the mouse, if any.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// Puts Handler in front of the control's WindowProc on behalf of Target.
// While Target lives, messages reach Handler; once it is gone they go past
// it, and the hook is taken out of the chain at the next quiet moment (no
// hook dispatch of the control under way) where nothing else refers to it.
// Returns the procedure Handler passes messages on to: it follows the chain
// as hooks before it are taken out.
TWndMethod HookWindowProc(TControl* Control, TObject* Target, TWndMethod Handler);
// Takes dead hooks out of the control's chain (done by the framework).
void CompactWindowProcHooks(TControl* Control);

namespace detail {
extern uint64_t gLayoutGeneration;
}
// A number that changes whenever a control's place, size, client insets,
// parent or visibility, or a window's place on the screen, may have changed:
// whoever keeps screen rectangles of controls can tell when to compute them
// again without looking at the controls.
inline uint64_t LayoutGeneration() { return detail::gLayoutGeneration; }
inline void LayoutChanged() { ++detail::gLayoutGeneration; }

// Counts, for the form of a control, the messages being handled: a form that
// asked to be released is freed only when none is.
class TMessageScope {
public:
    explicit TMessageScope(TControl* Control);
    ~TMessageScope();
    TMessageScope(const TMessageScope&) = delete;
    TMessageScope& operator=(const TMessageScope&) = delete;

private:
    TWeakRef<TCustomForm> FForm;
};

}  // namespace vcl

VCL_ENUM_INFO(vcl::TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
VCL_ENUM_INFO(vcl::TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)
VCL_ENUM_INFO(vcl::TAlignment, taLeftJustify, taRightJustify, taCenter)
VCL_ENUM_INFO(vcl::TMouseButton, mbLeft, mbRight, mbMiddle)
VCL_ENUM_INFO(vcl::TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
