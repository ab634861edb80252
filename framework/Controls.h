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
class TControl;
class TBasicAction;
class TPopupMenu;

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

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TDragKind { dkDrag, dkDock };
enum TDragMode { dmManual, dmAutomatic };
enum THelpType { htKeyword, htContext };
enum TStyleElement { seFont, seClient, seBorder };
using TStyleElements = TSet<TStyleElement>;
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = TSet<TBevelEdge>;
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth, ssAutoHorizontal, ssAutoVertical, ssAutoBoth };
// Lazarus anchoring and automatic child layout, kept as stored.
enum TAnchorSideReference { asrTop, asrBottom, asrCenter };
enum TChildControlResizeStyle {
    crsAnchorAligning,
    crsScaleChilds,
    crsHomogenousChildResize,
    crsHomogenousSpaceResize,
    crsSameSize
};
enum TControlChildrenLayout { cclNone, cclLeftToRightThenTopToBottom, cclTopToBottomThenLeftToRight };
enum TControlCellAlign { ccaFill, ccaLeftTop, ccaRightBottom, ccaCenter };

// Cursors: integers that form files name (crHandPoint); 0 is crDefault.
enum : int32_t {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
};
const TTypeInfo* CursorTypeInfo();
// Keyboard shortcuts (menu items, actions) are stored as plain integers.
using TShortCut = uint16_t;

// Smallest and largest size a control may take (0: no limit). SetBounds
// keeps to them.
class TSizeConstraints : public TPersistent {
    VCL_CLASS(TSizeConstraints, TPersistent)
    TSizeConstraints() = default;
    void Assign(TPersistent* Source) override;
    int32_t MaxHeight = 0, MaxWidth = 0, MinHeight = 0, MinWidth = 0;
    // A size clamped to the limits.
    int32_t ClampWidth(int32_t W) const;
    int32_t ClampHeight(int32_t H) const;
};

// Space kept round a control (Margins, default 3) or inside a container
// (Padding, default 0).
class TMargins : public TPersistent {
    VCL_CLASS(TMargins, TPersistent)
    explicit TMargins(int32_t Initial = 3)
        : Left(Initial), Top(Initial), Right(Initial), Bottom(Initial), FInitial(Initial) {}
    void Assign(TPersistent* Source) override;
    int32_t Left, Top, Right, Bottom;
    bool MirrorMargins = true;

private:
    bool IsLeftStored() const { return Left != FInitial; }
    bool IsTopStored() const { return Top != FInitial; }
    bool IsRightStored() const { return Right != FInitial; }
    bool IsBottomStored() const { return Bottom != FInitial; }
    int32_t FInitial;
};
class TPadding : public TMargins {
    VCL_CLASS(TPadding, TMargins)
    TPadding() : TMargins(0) {}
};

// Lazarus BorderSpacing.
class TControlBorderSpacing : public TPersistent {
    VCL_CLASS(TControlBorderSpacing, TPersistent)
    TControlBorderSpacing() = default;
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0, Around = 0, InnerBorder = 0;
    TControlCellAlign CellAlignHorizontal = ccaFill;
    TControlCellAlign CellAlignVertical = ccaFill;
    TNotifyEvent OnChange;
};

// Lazarus AnchorSideLeft and the like: a sibling (or the parent) and which
// of its sides this control's side follows.
class TAnchorSide : public TPersistent {
    VCL_CLASS(TAnchorSide, TPersistent)
    TAnchorSide() = default;
    TControl* Control() const { return FControl.Get(); }
    void SetControl(TControl* v) { FControl = v; }
    TAnchorSideReference Side = asrTop;

private:
    TWeakRef<TControl> FControl;
};

// Lazarus ChildSizing.
class TControlChildSizing : public TPersistent {
    VCL_CLASS(TControlChildSizing, TPersistent)
    TControlChildSizing() = default;
    int32_t LeftRightSpacing = 0, TopBottomSpacing = 0, HorizontalSpacing = 0, VerticalSpacing = 0;
    TChildControlResizeStyle EnlargeHorizontal = crsAnchorAligning;
    TChildControlResizeStyle EnlargeVertical = crsAnchorAligning;
    TChildControlResizeStyle ShrinkHorizontal = crsAnchorAligning;
    TChildControlResizeStyle ShrinkVertical = crsAnchorAligning;
    TControlChildrenLayout Layout = cclNone;
    int32_t ControlsPerLine = 0;
};

using TWndMethod = TEvent<TMessage&>;
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int32_t, int32_t>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int32_t, int32_t>;
using TKeyEvent = TEvent<TObject*, uint16_t&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;
using TMouseWheelEvent = TEvent<TObject*, TShiftState, int32_t, TPoint, bool&>;
using TMouseWheelUpDownEvent = TEvent<TObject*, TShiftState, TPoint, bool&>;
using TContextPopupEvent = TEvent<TObject*, TPoint, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int32_t, int32_t>;
using TDragOverEvent = TEvent<TObject*, TObject*, int32_t, int32_t, int32_t, bool&>;
using TEndDragEvent = TEvent<TObject*, TObject*, int32_t, int32_t>;
using TStartDragEvent = TEvent<TObject*, TObject*&>;

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
    // The stored rules of Font and Color: not while following the parent.
    bool IsFontStored() const { return !FParentFont; }
    bool IsColorStored() const { return !FParentColor; }

    // The caption (labels, buttons, panels, forms) or text (edit boxes).
    AnsiString GetText() const { return FText; }
    void SetText(const AnsiString& v);
    AnsiString Caption() const { return FText; }
    void SetCaption(const AnsiString& v) { SetText(v); }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle v) { FControlStyle = v; }

    // --- Stored for form files; most have no behaviour here ---
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v) { FAnchors = v; }
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    int32_t Cursor() const { return FCursor; }
    void SetCursor(int32_t v) { FCursor = v; }
    int32_t DragCursorValue() const { return FDragCursor; }
    void SetDragCursorValue(int32_t v) { FDragCursor = v; }
    AnsiString Hint() const { return FHint; }
    void SetHint(const AnsiString& v) { FHint = v; }
    // Setting ShowHint stops following the parent, as in the VCL.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v) { FParentShowHint = v; }
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* v);
    TBasicAction* Action() const;
    void SetAction(TBasicAction* v);
    TMargins* Margins() const { return FMargins.get(); }
    TControlBorderSpacing* BorderSpacing() const { return FBorderSpacing.get(); }
    TAnchorSide* AnchorSide(TAnchorKind Kind) const { return FAnchorSide[Kind].get(); }
    TAnchorSide* AnchorSideLeft() const { return FAnchorSide[akLeft].get(); }
    TAnchorSide* AnchorSideTop() const { return FAnchorSide[akTop].get(); }
    TAnchorSide* AnchorSideRight() const { return FAnchorSide[akRight].get(); }
    TAnchorSide* AnchorSideBottom() const { return FAnchorSide[akBottom].get(); }
    // Delphi's Explicit* sizes and DesignSize, and Lazarus' IsControl: kept
    // as read and written back.
    void DefineProperties(TFiler& Filer) override;

    // --- Events ---
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnChangeBounds;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TContextPopupEvent OnContextPopup;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;
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
    TAnchors FAnchors{akLeft, akTop};
    std::unique_ptr<TSizeConstraints> FConstraints;
    std::unique_ptr<TMargins> FMargins;
    std::unique_ptr<TControlBorderSpacing> FBorderSpacing;
    std::unique_ptr<TAnchorSide> FAnchorSide[4];
    int32_t FCursor = crDefault;
    int32_t FDragCursor = crDrag;
    TDragKind FDragKind = dkDrag;
    TDragMode FDragMode = dmManual;
    AnsiString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    bool FAlignWithMargins = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    int32_t FHelpContext = 0;
    AnsiString FHelpKeyword;
    THelpType FHelpType = htContext;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
    AnsiString FStyleName;
    bool FAutoSize = false;  // for the classes that publish AutoSize without a rule of their own
    TWeakRef<TPopupMenu> FPopupMenu;
    TWeakRef<TBasicAction> FAction;
    // Kept as read (Delphi writes them for the designer).
    int32_t FExplicit[4] = {0, 0, 0, 0};
    bool FHasExplicit[4] = {false, false, false, false};
    bool FHasDesignSize = false;
    TPoint FDesignSize;
    int FIsControl = -1;  // -1: not stored
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
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FParentBackground = true;
    bool FDoubleBuffered = false;
    bool FParentDoubleBuffered = true;
    TBevelKind FBevelKind = bkNone;
    TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
    AnsiString FImeName;
    std::unique_ptr<TControlChildSizing> FChildSizing;
    std::unique_ptr<TPadding> FPadding;

public:
    TControlChildSizing* ChildSizing() const { return FChildSizing.get(); }
    TPadding* Padding() const { return FPadding.get(); }
    bool Ctl3D() const { return FCtl3D; }
    // Setting Ctl3D stops following the parent, as in the VCL.
    void SetCtl3D(bool v);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool v) { FParentCtl3D = v; }

protected:

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
VCL_ENUM_INFO(vcl::TAnchorKind, akLeft, akTop, akRight, akBottom)
VCL_ENUM_INFO(vcl::TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
VCL_ENUM_INFO(vcl::TDragKind, dkDrag, dkDock)
VCL_ENUM_INFO(vcl::TDragMode, dmManual, dmAutomatic)
VCL_ENUM_INFO(vcl::THelpType, htKeyword, htContext)
VCL_ENUM_INFO(vcl::TStyleElement, seFont, seClient, seBorder)
VCL_ENUM_INFO(vcl::TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
VCL_ENUM_INFO(vcl::TBevelKind, bkNone, bkTile, bkSoft, bkFlat)
VCL_ENUM_INFO(vcl::TBevelEdge, beLeft, beTop, beRight, beBottom)
VCL_ENUM_INFO(vcl::TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth, ssAutoHorizontal, ssAutoVertical, ssAutoBoth)
VCL_ENUM_INFO(vcl::TAnchorSideReference, asrTop, asrBottom, asrCenter)
VCL_ENUM_INFO(vcl::TChildControlResizeStyle, crsAnchorAligning, crsScaleChilds, crsHomogenousChildResize,
              crsHomogenousSpaceResize, crsSameSize)
VCL_ENUM_INFO(vcl::TControlChildrenLayout, cclNone, cclLeftToRightThenTopToBottom, cclTopToBottomThenLeftToRight)
VCL_ENUM_INFO(vcl::TControlCellAlign, ccaFill, ccaLeftTop, ccaRightBottom, ccaCenter)
