#include "framework/Controls.h"

#include <algorithm>

#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/MessageTrace.h"
#include "framework/Streaming.h"

namespace vcl {

namespace {

TWeakRef<TControl>& CaptureRef() {
    static TWeakRef<TControl> capture;
    return capture;
}

TShiftState ShiftFromKeys(uintptr_t keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s << ssShift;
    if (keys & MK_CONTROL) s << ssCtrl;
    if (keys & MK_LBUTTON) s << ssLeft;
    if (keys & MK_RBUTTON) s << ssRight;
    if (keys & MK_MBUTTON) s << ssMiddle;
    return s;
}

bool IsMouseMessage(uint32_t msg) { return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONUP; }

}  // namespace

TControl* FindDescendant(const TControl* Root, const void* Address) {
    if (!Root) return nullptr;
    if (static_cast<const void*>(Root) == Address) return const_cast<TControl*>(Root);
    if (auto* w = dynamic_cast<const TWinControl*>(Root))
        for (int i = 0; i < w->ControlCount(); ++i)
            if (TControl* c = FindDescendant(w->Controls(i), Address)) return c;
    return nullptr;
}

TControl* GetCaptureControl() { return CaptureRef().Get(); }
void SetCaptureControl(TControl* Control) { CaptureRef() = Control; }

// Forwards messages to a handler while its target lives, else to the
// procedure the handler replaced. The handler's own "previous procedure" is
// CallPrevious, which follows the chain when hooks before it are taken out.
class TWindowProcHook : public TObject {
public:
    TWindowProcHook(TControl* control, TObject* target, TWndMethod handler, TWndMethod previous)
        : FControl(control), FTarget(target), FHandler(handler), FPrevious(previous) {}
    void Dispatch(TMessage& Message) {
        // The handler may free the control. A control that goes while one of
        // its hooks dispatches leaves that hook alive but orphaned (FControl
        // null), and the hook frees itself when its last dispatch returns.
        ++FDepth;
        ++FControl->FHookDepth;
        if (FTarget) {
            TWndMethod handler = FHandler;
            handler(Message);
        } else {
            FControl->FDeadHooks = true;
            TWndMethod previous = FPrevious;
            previous(Message);
        }
        --FDepth;
        if (!FControl) {
            if (FDepth == 0) Free();
            return;
        }
        // The handler may have freed its target: this hook is dead from now.
        if (!FTarget) FControl->FDeadHooks = true;
        if (--FControl->FHookDepth == 0 && FControl->FDeadHooks) CompactWindowProcHooks(FControl);
    }
    // Called by the control as it goes: true when the hook may be freed now.
    bool Orphan() {
        FControl = nullptr;
        return FDepth == 0;
    }
    void CallPrevious(TMessage& Message) {
        TWndMethod previous = FPrevious;
        previous(Message);
    }
    bool Dead() const { return !FTarget; }
    TWndMethod AsProc() { return TWndMethod::Of<&TWindowProcHook::Dispatch>(this); }

    TControl* FControl;
    TWeakRef<TObject> FTarget;
    TWndMethod FHandler;
    TWndMethod FPrevious;
    int FDepth = 0;  // dispatches of this hook under way
};

void CompactWindowProcHooks(TControl* Control) {
    if (Control->FHookDepth > 0) return;
    Control->FDeadHooks = false;
    // A dead hook goes when every reference to it can be redirected past it:
    // the control's WindowProc or the hook installed after it. One that
    // something else saved stays, forwarding, until the control goes.
    for (bool again = true; again;) {
        again = false;
        for (size_t i = 0; i < Control->FAttachments.size(); ++i) {
            auto* hook = dynamic_cast<TWindowProcHook*>(Control->FAttachments[i]);
            if (!hook || !hook->Dead()) continue;
            const TWndMethod self = hook->AsProc();
            bool redirected = false;
            if (Control->WindowProc == self) {
                Control->WindowProc = hook->FPrevious;
                redirected = true;
            } else {
                for (TObject* a : Control->FAttachments) {
                    auto* next = dynamic_cast<TWindowProcHook*>(a);
                    if (next && next != hook && next->FPrevious == self) {
                        next->FPrevious = hook->FPrevious;
                        redirected = true;
                        break;
                    }
                }
            }
            if (!redirected) continue;
            Control->FAttachments.erase(Control->FAttachments.begin() + static_cast<std::ptrdiff_t>(i));
            hook->Free();
            again = true;
            break;
        }
    }
}

TWndMethod HookWindowProc(TControl* Control, TObject* Target, TWndMethod Handler) {
    CompactWindowProcHooks(Control);
    auto* hook = new TWindowProcHook(Control, Target, Handler, Control->WindowProc);
    Control->FAttachments.push_back(hook);
    Control->WindowProc = hook->AsProc();
    return TWndMethod::Of<&TWindowProcHook::CallPrevious>(hook);
}

// ---------------------------------------------------------------------------
// TControl

VCL_IMPLEMENT_CLASS(TControl)
void TControl::DescribeClass(ClassBuilder<TControl>& c) {
    // Every control has its place; the rest is published by each class.
    c.Property("Left", &TControl::Left, &TControl::SetLeft);
    c.Property("Top", &TControl::Top, &TControl::SetTop);
    c.Property("Width", &TControl::Width, &TControl::SetWidth);
    c.Property("Height", &TControl::Height, &TControl::SetHeight);
    // The rest is stored as read and written back when not the default;
    // classes publish their own Align, Caption, Color, Font and the like.
    c.Property("Action", &TControl::Action, &TControl::SetAction);
    c.Property("AlignWithMargins", &TControl::FAlignWithMargins).Default(false);
    c.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
    c.Property("AnchorSideLeft", &TControl::AnchorSideLeft, nullptr);
    c.Property("AnchorSideTop", &TControl::AnchorSideTop, nullptr);
    c.Property("AnchorSideRight", &TControl::AnchorSideRight, nullptr);
    c.Property("AnchorSideBottom", &TControl::AnchorSideBottom, nullptr);
    c.Property("BiDiMode", &TControl::FBiDiMode).Default(bdLeftToRight);
    c.Property("BorderSpacing", &TControl::BorderSpacing, nullptr);
    c.Property("Constraints", &TControl::Constraints, nullptr);
    c.Property("Cursor", CursorTypeInfo(), &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
    c.Property("DragCursor", CursorTypeInfo(), &TControl::DragCursorValue, &TControl::SetDragCursorValue).Default(crDrag);
    c.Property("DragKind", &TControl::FDragKind).Default(dkDrag);
    c.Property("DragMode", &TControl::FDragMode).Default(dmManual);
    c.Property("HelpContext", &TControl::FHelpContext).Default(0);
    c.Property("HelpKeyword", &TControl::FHelpKeyword);
    c.Property("HelpType", &TControl::FHelpType).Default(htContext);
    c.Property("Hint", &TControl::Hint, &TControl::SetHint);
    c.Property("Margins", &TControl::Margins, nullptr);
    c.Property("ParentBiDiMode", &TControl::FParentBiDiMode).Default(true);
    c.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
    c.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    c.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(false);
    c.Property("StyleElements", &TControl::FStyleElements).Default(TStyleElements{seFont, seClient, seBorder});
    c.Property("StyleName", &TControl::FStyleName);
    c.Property("OnChangeBounds", &TControl::OnChangeBounds);
    c.Property("OnContextPopup", &TControl::OnContextPopup);
    c.Property("OnDblClick", &TControl::OnDblClick);
    c.Property("OnDragDrop", &TControl::OnDragDrop);
    c.Property("OnDragOver", &TControl::OnDragOver);
    c.Property("OnEndDrag", &TControl::OnEndDrag);
    c.Property("OnMouseEnter", &TControl::OnMouseEnter);
    c.Property("OnMouseLeave", &TControl::OnMouseLeave);
    c.Property("OnMouseWheel", &TControl::OnMouseWheel);
    c.Property("OnMouseWheelDown", &TControl::OnMouseWheelDown);
    c.Property("OnMouseWheelUp", &TControl::OnMouseWheelUp);
    c.Property("OnResize", &TControl::OnResize);
    c.Property("OnStartDrag", &TControl::OnStartDrag);
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FFont(new TFont()),
      FConstraints(new TSizeConstraints()),
      FMargins(new TMargins()),
      FBorderSpacing(new TControlBorderSpacing()) {
    for (auto& side : FAnchorSide) side.reset(new TAnchorSide());
    WindowProc = TWndMethod::Of<&TControl::WndProc>(this);
    FFont->OnChange = TNotifyEvent::Of<&TControl::DoFontChange>(this);
}

void TControl::SetShowHint(bool v) {
    FShowHint = v;
    FParentShowHint = false;
}

TPopupMenu* TControl::PopupMenu() const { return FPopupMenu.Get(); }
void TControl::SetPopupMenu(TPopupMenu* v) { FPopupMenu = v; }
TBasicAction* TControl::Action() const { return FAction.Get(); }
void TControl::SetAction(TBasicAction* v) { FAction = v; }

void TControl::DefineProperties(TFiler& Filer) {
    TComponent::DefineProperties(Filer);
    static const char* const kExplicit[4] = {"ExplicitLeft", "ExplicitTop", "ExplicitWidth", "ExplicitHeight"};
    for (int i = 0; i < 4; ++i)
        Filer.DefineProperty(
            kExplicit[i],
            [this, i](TReader& r) {
                FExplicit[i] = static_cast<int32_t>(r.ReadInteger());
                FHasExplicit[i] = true;
            },
            [this, i](TWriter& w) { w.WriteInteger(FExplicit[i]); }, FHasExplicit[i]);
    Filer.DefineProperty(
        "IsControl", [this](TReader& r) { FIsControl = r.ReadBoolean() ? 1 : 0; },
        [this](TWriter& w) { w.WriteBoolean(FIsControl == 1); }, FIsControl >= 0);
    // Two integers in a list, as Delphi stores them.
    Filer.DefineProperty(
        "DesignSize",
        [this](TReader& r) {
            auto& s = r.Stream();
            size_t offset = s.Position();
            if (s.ReadValue() != formfile::TValueType::vaList) s.ErrorAt(offset, "List of two integers expected");
            FDesignSize.x = static_cast<int32_t>(r.ReadInteger());
            FDesignSize.y = static_cast<int32_t>(r.ReadInteger());
            s.ReadListEnd();
            FHasDesignSize = true;
        },
        [this](TWriter& w) {
            w.Stream().WriteValue(formfile::TValueType::vaList);
            w.WriteInteger(FDesignSize.x);
            w.WriteInteger(FDesignSize.y);
            w.Stream().WriteListEnd();
        },
        FHasDesignSize);
}

// ---------------------------------------------------------------------------
// Stored sub-objects

namespace {
struct TCursorName {
    int32_t Value;
    const char* Name;
};
constexpr TCursorName kCursors[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},         {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},   {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};
bool IdentToCursor(std::string_view ident, int64_t& value) {
    for (const auto& c : kCursors)
        if (SameText(c.Name, ident)) return value = c.Value, true;
    if (SameText(ident, "crSize")) return value = crSizeAll, true;
    return false;
}
bool CursorToIdent(int64_t value, std::string& ident) {
    for (const auto& c : kCursors)
        if (c.Value == value) return ident = c.Name, true;
    return false;
}
}  // namespace

const TTypeInfo* CursorTypeInfo() {
    static const TTypeInfo* info = MakeNamedIntTypeInfo("TCursor", &IdentToCursor, &CursorToIdent);
    return info;
}

VCL_IMPLEMENT_CLASS(TSizeConstraints)
void TSizeConstraints::DescribeClass(ClassBuilder<TSizeConstraints>& c) {
    c.Property("MaxHeight", &TSizeConstraints::MaxHeight).Default(0);
    c.Property("MaxWidth", &TSizeConstraints::MaxWidth).Default(0);
    c.Property("MinHeight", &TSizeConstraints::MinHeight).Default(0);
    c.Property("MinWidth", &TSizeConstraints::MinWidth).Default(0);
}

void TSizeConstraints::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
        MaxHeight = s->MaxHeight, MaxWidth = s->MaxWidth, MinHeight = s->MinHeight, MinWidth = s->MinWidth;
        return;
    }
    TPersistent::Assign(Source);
}

int32_t TSizeConstraints::ClampWidth(int32_t W) const {
    if (MaxWidth > 0 && W > MaxWidth) W = MaxWidth;
    return std::max(W, MinWidth);
}
int32_t TSizeConstraints::ClampHeight(int32_t H) const {
    if (MaxHeight > 0 && H > MaxHeight) H = MaxHeight;
    return std::max(H, MinHeight);
}

VCL_IMPLEMENT_CLASS(TMargins)
void TMargins::DescribeClass(ClassBuilder<TMargins>& c) {
    // Written whenever not 3 (Margins) or 0 (Padding): no fixed default.
    c.Property("Left", &TMargins::Left).Stored(&TMargins::IsLeftStored);
    c.Property("Top", &TMargins::Top).Stored(&TMargins::IsTopStored);
    c.Property("Right", &TMargins::Right).Stored(&TMargins::IsRightStored);
    c.Property("Bottom", &TMargins::Bottom).Stored(&TMargins::IsBottomStored);
    c.Property("MirrorMargins", &TMargins::MirrorMargins).Default(true);
}

void TMargins::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TMargins*>(Source)) {
        Left = s->Left, Top = s->Top, Right = s->Right, Bottom = s->Bottom, MirrorMargins = s->MirrorMargins;
        return;
    }
    TPersistent::Assign(Source);
}

VCL_IMPLEMENT_CLASS(TPadding)
void TPadding::DescribeClass(ClassBuilder<TPadding>&) {}

VCL_IMPLEMENT_CLASS(TControlBorderSpacing)
void TControlBorderSpacing::DescribeClass(ClassBuilder<TControlBorderSpacing>& c) {
    c.Property("Left", &TControlBorderSpacing::Left).Default(0);
    c.Property("Top", &TControlBorderSpacing::Top).Default(0);
    c.Property("Right", &TControlBorderSpacing::Right).Default(0);
    c.Property("Bottom", &TControlBorderSpacing::Bottom).Default(0);
    c.Property("Around", &TControlBorderSpacing::Around).Default(0);
    c.Property("InnerBorder", &TControlBorderSpacing::InnerBorder).Default(0);
    c.Property("CellAlignHorizontal", &TControlBorderSpacing::CellAlignHorizontal).Default(ccaFill);
    c.Property("CellAlignVertical", &TControlBorderSpacing::CellAlignVertical).Default(ccaFill);
    c.Property("OnChange", &TControlBorderSpacing::OnChange);
}

VCL_IMPLEMENT_CLASS(TAnchorSide)
void TAnchorSide::DescribeClass(ClassBuilder<TAnchorSide>& c) {
    c.Property("Control", &TAnchorSide::Control, &TAnchorSide::SetControl);
    c.Property("Side", &TAnchorSide::Side).Default(asrTop);
}

VCL_IMPLEMENT_CLASS(TControlChildSizing)
void TControlChildSizing::DescribeClass(ClassBuilder<TControlChildSizing>& c) {
    using S = TControlChildSizing;
    c.Property("LeftRightSpacing", &S::LeftRightSpacing).Default(0);
    c.Property("TopBottomSpacing", &S::TopBottomSpacing).Default(0);
    c.Property("HorizontalSpacing", &S::HorizontalSpacing).Default(0);
    c.Property("VerticalSpacing", &S::VerticalSpacing).Default(0);
    c.Property("EnlargeHorizontal", &S::EnlargeHorizontal).Default(crsAnchorAligning);
    c.Property("EnlargeVertical", &S::EnlargeVertical).Default(crsAnchorAligning);
    c.Property("ShrinkHorizontal", &S::ShrinkHorizontal).Default(crsAnchorAligning);
    c.Property("ShrinkVertical", &S::ShrinkVertical).Default(crsAnchorAligning);
    c.Property("Layout", &S::Layout).Default(cclNone);
    c.Property("ControlsPerLine", &S::ControlsPerLine).Default(0);
}

TControl::~TControl() {
    // Free runs BeforeDestruction first; this covers a plain delete.
    if (FParent) FParent->RemoveControl(this);
    FFont->Free();
    // Last: nothing sends the control messages any more.
    for (TObject* a : FAttachments) {
        auto* hook = dynamic_cast<TWindowProcHook*>(a);
        if (!hook || hook->Orphan()) a->Free();
    }
}

void TControl::BeforeDestruction() {
    Destroying();
    if (FParent) FParent->RemoveControl(this);
    TComponent::BeforeDestruction();
}

namespace detail {
uint64_t gLayoutGeneration = 1;
}

intptr_t TControl::Perform(uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    TMessageScope scope(this);
    if (detail::gTraceOn && !FParent) [[unlikely]]
        detail::TraceMessage(this, m);
    WindowProc(m);
    return m.Result;
}

TMessageScope::TMessageScope(TControl* Control) {
    for (TControl* c = Control; c; c = c->Parent())
        if (!c->Parent()) FForm = dynamic_cast<TCustomForm*>(c);
    if (FForm) ++FForm->FMessageDepth;
}

TMessageScope::~TMessageScope() {
    if (FForm) --FForm->FMessageDepth;
}

void TControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            // Up the parent chain, naming the control concerned.
            if (FParent) {
                intptr_t concerned = Message.LParam ? Message.LParam : reinterpret_cast<intptr_t>(this);
                FParent->Perform(Message.Msg, Message.WParam, concerned);
            }
            return;
        default:
            if (IsMouseMessage(Message.Msg)) HandleMouse(Message);
            return;
    }
}

void TControl::HandleMouse(TMessage& Message) {
    int32_t x = LParamX(Message.LParam), y = LParamY(Message.LParam);
    TShiftState shift = ShiftFromKeys(Message.WParam);
    auto button = [&]() -> TMouseButton {
        switch (Message.Msg) {
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP: return mbRight;
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP: return mbMiddle;
            default: return mbLeft;
        }
    };
    switch (Message.Msg) {
        case WM_MOUSEMOVE:
            MouseMove(shift, x, y);
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (FControlStyle.Contains(csCaptureMouse)) SetCaptureControl(this);
            if (Message.Msg == WM_LBUTTONDOWN && FControlStyle.Contains(csClickEvents)) FClicked = true;
            MouseDown(button(), shift, x, y);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (GetCaptureControl() == this) SetCaptureControl(nullptr);
            TWeakRef<TControl> self(this);
            if (Message.Msg == WM_LBUTTONUP && FClicked) {
                FClicked = false;
                if (GetClientRect().Contains(TPoint{x, y})) Click();
            }
            // Click may have freed the control.
            if (self) MouseUp(button(), shift, x, y);
            return;
        }
        default:
            return;
    }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) { OnMouseMove(this, Shift, X, Y); }

void TControl::Click() { OnClick(this); }

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }
void TControl::SetMouseCapture(bool v) {
    if (v) SetCaptureControl(this);
    else if (MouseCapture()) SetCaptureControl(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    for (TWinControl* p = AParent; p; p = p->FParent)
        if (p == this) throw EInvalidOperation("A control cannot be its own ancestor");
    TWeakRef<TControl> self(this);
    TWeakRef<TWinControl> parent(AParent);
    if (FParent) FParent->RemoveControl(this);  // may end the focus: OnExit runs, and may free either
    if (!self) return;
    if (parent) parent->InsertControl(this);
}

TCustomForm* TControl::GetParentForm() const {
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    ALeft = ClampCoord(ALeft);
    ATop = ClampCoord(ATop);
    AWidth = ClampCoord(AWidth, 0);
    AHeight = ClampCoord(AHeight, 0);
    AWidth = FConstraints->ClampWidth(AWidth);
    AHeight = FConstraints->ClampHeight(AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    bool resized = AWidth != FWidth || AHeight != FHeight;
    if (FParent) FParent->Invalidate();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    LayoutChanged();
    Invalidate();
    if (resized) BoundsChanged();
    RequestAlign();
}


void TControl::SetClientWidth(int32_t v) { SetWidth(ClampCoord(int64_t{FWidth} - GetClientWidth() + v)); }
void TControl::SetClientHeight(int32_t v) { SetHeight(ClampCoord(int64_t{FHeight} - GetClientHeight() + v)); }

TPoint TControl::GetClientOrigin() const {
    // One walk up the chain, with no further virtual calls.
    int32_t x = FLeft + FClientInsets.Left, y = FTop + FClientInsets.Top;
    for (const TControl* p = FParent; p; p = p->FParent) {
        if (!p->FParent) return TPoint{x + p->FScreenOrigin.x, y + p->FScreenOrigin.y};
        x += p->FLeft + p->FClientInsets.Left;
        y += p->FTop + p->FClientInsets.Top;
    }
    return TPoint{x, y};
}

void TControl::SetClientInsets(TRect Insets) {
    if (Insets == FClientInsets) return;
    FClientInsets = Insets;
    LayoutChanged();
    Invalidate();
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->Realign();
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = GetClientOrigin();
    return TPoint{p.x + o.x, p.y + o.y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = GetClientOrigin();
    return TPoint{p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign v) {
    if (v == FAlign) return;
    FAlign = v;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (FParent) FParent->AlignWith(this);
}

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    LayoutChanged();
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (FParent) {
        FParent->Invalidate();
        FParent->Realign();
    }
    Invalidate();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    EnabledChanged();
}

bool TControl::IsEnabledForInput() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FEnabled) return false;
    return true;
}

void TControl::SetColor(TColor v) {
    FParentColor = false;
    if (v == FColor) return;
    FColor = v;
    ColorChanged();
    if (auto* w = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentColorChanged();
}

void TControl::SetParentColor(bool v) {
    FParentColor = v;
    if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent) return;
    TColor c = FParent->FColor;
    SetColor(c);
    FParentColor = true;
}

void TControl::SetParentFont(bool v) {
    FParentFont = v;
    if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FUpdatingFromParent = true;
    FFont->Assign(FParent->FFont);
    FUpdatingFromParent = false;
}

void TControl::DoFontChange(TObject*) {
    // A font set on the control itself stops following the parent.
    if (!FUpdatingFromParent) FParentFont = false;
    FontChanged();
    if (auto* w = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->ParentFontChanged();
}

void TControl::SetText(const AnsiString& v) {
    if (v == FText) return;
    FText = v;
    TextChanged();
}

void TControl::SetName(const AnsiString& NewName) {
    // A control made at run time shows its name until given a caption.
    bool follow = FControlStyle.Contains(csSetCaption) && !IsLoading() && Name() == FText &&
                  !(Owner() && Owner()->IsLoading());
    TComponent::SetName(NewName);
    if (follow) SetText(NewName);
}

void TControl::Paint(TCanvas&) const {}

void TControl::Invalidate() {
    FInvalid = true;
    if (TCustomForm* f = GetParentForm()) f->RequestPaint();
}

void TControl::BringToFront() {
    if (!FParent) return;
    TWinControl* p = FParent;
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
        std::erase(p->FWindowed, w);
        p->FWindowed.push_back(w);
    } else {
        std::erase(p->FGraphic, this);
        p->FGraphic.push_back(this);
    }
    Invalidate();
}

void TControl::SendToBack() {
    if (!FParent) return;
    TWinControl* p = FParent;
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
        std::erase(p->FWindowed, w);
        p->FWindowed.insert(p->FWindowed.begin(), w);
    } else {
        std::erase(p->FGraphic, this);
        p->FGraphic.insert(p->FGraphic.begin(), this);
    }
    p->Invalidate();
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
    // Children aligned while this control was loading wait for it.
    if (auto* w = dynamic_cast<TWinControl*>(this)) w->Realign();
}

// ---------------------------------------------------------------------------
// TWinControl

VCL_IMPLEMENT_CLASS(TWinControl)
void TWinControl::DescribeClass(ClassBuilder<TWinControl>& c) {
    // Stored for form files; classes publish TabOrder, TabStop and the rest.
    c.Property("BevelEdges", &TWinControl::FBevelEdges).Default(TBevelEdges{beLeft, beTop, beRight, beBottom});
    c.Property("BevelKind", &TWinControl::FBevelKind).Default(bkNone);
    c.Property("ChildSizing", &TWinControl::ChildSizing, nullptr);
    c.Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D).Default(true);
    c.Property("DoubleBuffered", &TWinControl::FDoubleBuffered).Default(false);
    c.Property("ImeName", &TWinControl::FImeName);
    c.Property("Padding", &TWinControl::Padding, nullptr);
    c.Property("ParentBackground", &TWinControl::FParentBackground).Default(true);
    c.Property("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
    c.Property("ParentDoubleBuffered", &TWinControl::FParentDoubleBuffered).Default(true);
}

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FChildSizing(new TControlChildSizing()), FPadding(new TPadding()) {}

void TWinControl::SetCtl3D(bool v) {
    FCtl3D = v;
    FParentCtl3D = false;
}

TWinControl::~TWinControl() {
    // A plain delete skips BeforeDestruction: the children still go first,
    // so that none is left pointing at this control as its parent.
    if (!IsTornDown()) {
        MarkFreeing();
        TWinControl::BeforeDestruction();
    }
}

void TWinControl::BeforeDestruction() {
    Destroying();
    // Children go with their parent, last to first; each leaves the lists
    // as it goes, and may take siblings with it.
    while (ControlCount() > 0) {
        TWeakRef<TControl> child(Controls(ControlCount() - 1));
        RemoveControl(child.Get());  // may end the focus: OnExit runs, and may free it
        // A child whose own Free is under way (its handler freed this
        // parent) finishes it parentless: Free does nothing to it here.
        if (child) child->Free();
    }
    TControl::BeforeDestruction();
}

TControl* TWinControl::Controls(int Index) const {
    size_t n = FGraphic.size();
    if (Index < 0 || static_cast<size_t>(Index) >= n + FWindowed.size())
        throw EListError("Control index out of bounds (" + IntToStr(Index) + ")");
    size_t i = static_cast<size_t>(Index);
    return i < n ? FGraphic[i] : FWindowed[i - n];
}

void TWinControl::InsertControl(TControl* AControl) {
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        FWindowed.push_back(w);
        FTabList.push_back(w);
        AControl->FParent = this;
        LayoutChanged();
        if (w->FTabOrder >= 0) w->SetTabOrder(w->FTabOrder);
    } else {
        FGraphic.push_back(AControl);
        AControl->FParent = this;
        LayoutChanged();
    }
    AControl->ParentFontChanged();
    AControl->ParentColorChanged();
    AControl->Invalidate();
    Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (AControl->FParent != this) return;
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        if (TCustomForm* f = GetParentForm(); f && f->ActiveControl()) {
            for (TWinControl* a = f->ActiveControl(); a; a = a->FParent)
                if (a == w) {
                    // OnExit runs here and may free the control (its own
                    // teardown then takes it out of this parent) or this one.
                    TWeakRef<TWinControl> self(this), leaving(w);
                    f->SetActiveControl(nullptr);
                    if (!self || !leaving || w->FParent != this) return;
                    break;
                }
        }
        w->FTabOrder = w->TabOrder();
        std::erase(FWindowed, w);
        std::erase(FTabList, w);
    } else {
        std::erase(FGraphic, AControl);
    }
    AControl->FParent = nullptr;
    LayoutChanged();
    Invalidate();
    Realign();
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
    auto hit = [&](TControl* c) {
        return c->Visible() && (AllowDisabled || c->Enabled()) && c->BoundsRect().Contains(Pos);
    };
    if (AllowWinControls)
        for (auto it = FWindowed.rbegin(); it != FWindowed.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FGraphic.rbegin(); it != FGraphic.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

int TWinControl::TabOrder() const {
    if (!FParent) return FTabOrder;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int v) {
    FTabOrder = v;
    if (!FParent || v < 0) return;
    auto& list = FParent->FTabList;
    std::erase(list, this);
    size_t pos = std::min(static_cast<size_t>(v), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), this);
}

std::vector<TWinControl*> TWinControl::TabList() const { return FTabList; }

bool TWinControl::DialogKey(uint16_t Key, TShiftState Shift) {
    std::vector<TWeakRef<TWinControl>> children(FWindowed.begin(), FWindowed.end());
    for (auto& c : children)
        if (c && c->Showing() && c->IsEnabledForInput() && c->DialogKey(Key, Shift)) return true;
    return false;
}

bool TWinControl::Focused() const {
    TCustomForm* f = GetParentForm();
    return f && f->ActiveControl() == this;
}

bool TWinControl::CanFocus() const { return Showing() && IsEnabledForInput(); }

void TWinControl::SetFocus() {
    if (TCustomForm* f = GetParentForm()) f->SetActiveControl(this);
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::AlignWith(TControl* Control) {
    if (IsDestroying()) return;  // children leaving a parent that goes
    if (FAlignLevel > 0 || IsLoading() || FAligning) {
        FAlignPending = true;
        return;
    }
    FAlignPending = false;
    FAligning = true;
    AlignControls(Control);
    FAligning = false;
}

void TWinControl::AlignControls(TControl* First) {
    TRect rect = GetClientRect();
    AdjustClientRect(rect);
    std::vector<TControl*> all;
    for (TControl* c : FGraphic) all.push_back(c);
    for (TControl* c : FWindowed) all.push_back(c);
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        if (First && First->FAlign == a && First->FVisible && First->FParent == this) list.push_back(First);
        for (TControl* c : all)
            if (c != First && c->FAlign == a && c->FVisible) list.push_back(c);
        // Controls of one alignment keep their relative places; the control
        // that asked goes first among equals.
        auto before = [a](TControl* c1, TControl* c2) {
            switch (a) {
                case alTop: return c1->FTop < c2->FTop;
                case alBottom: return c1->FTop + c1->FHeight > c2->FTop + c2->FHeight;
                case alLeft: return c1->FLeft < c2->FLeft;
                case alRight: return c1->FLeft + c1->FWidth > c2->FLeft + c2->FWidth;
                default: return false;
            }
        };
        std::stable_sort(list.begin(), list.end(), before);
        for (TControl* c : list) {
            int32_t w = c->FWidth, h = c->FHeight;
            switch (a) {
                case alTop:
                    c->SetBounds(rect.Left, rect.Top, rect.Width(), h);
                    rect.Top += h;
                    break;
                case alBottom:
                    c->SetBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
                    rect.Bottom -= h;
                    break;
                case alLeft:
                    c->SetBounds(rect.Left, rect.Top, w, rect.Height());
                    rect.Left += w;
                    break;
                case alRight:
                    c->SetBounds(rect.Right - w, rect.Top, w, rect.Height());
                    rect.Right -= w;
                    break;
                default:
                    c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
                    break;
            }
        }
    }
}

void TWinControl::VisibleChanged() {
    TControl::VisibleChanged();
    if (!FVisible)
        if (TCustomForm* f = GetParentForm(); f && f != this)
            for (TWinControl* a = f->ActiveControl(); a; a = a->FParent)
                if (a == this) {
                    f->SetActiveControl(nullptr);
                    break;
                }
}

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETCURSOR:
            // The set-cursor message goes up to the top-level window.
            if (FParent) Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
            return;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            auto key = static_cast<uint16_t>(Message.WParam);
            TShiftState shift = ShiftFromKeys(static_cast<uintptr_t>(Message.LParam));
            // A form with KeyPreview sees the key first and may swallow it.
            if (TCustomForm* f = GetParentForm(); f && f != this && f->KeyPreview()) {
                TWeakRef<TWinControl> self(this);
                if (Message.Msg == WM_KEYDOWN) f->OnKeyDown(f, key, shift);
                else f->OnKeyUp(f, key, shift);
                if (!self) return;
            }
            if (key != 0) {
                if (Message.Msg == WM_KEYDOWN) KeyDown(key, shift);
                else KeyUp(key, shift);
            }
            Message.WParam = key;
            return;
        }
        case WM_CHAR: {
            char ch = static_cast<char>(Message.WParam);
            if (TCustomForm* f = GetParentForm(); f && f != this && f->KeyPreview()) {
                TWeakRef<TWinControl> self(this);
                f->OnKeyPress(f, ch);
                if (!self) return;
                if (ch == 0) {
                    Message.WParam = 0;
                    return;
                }
            }
            KeyPress(ch);
            Message.WParam = static_cast<unsigned char>(ch);
            return;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            // The handler may free the control.
            TWeakRef<TWinControl> self(this);
            if (Message.Msg == WM_SETFOCUS) DoEnter();
            else DoExit();
            if (self) Invalidate();
            return;
        }
        default:
            break;
    }
    if (IsMouseMessage(Message.Msg)) {
        // A graphic child under the pointer, or one holding the capture,
        // takes the message in its own coordinates.
        TPoint pos{LParamX(Message.LParam), LParamY(Message.LParam)};
        TControl* child = nullptr;
        TControl* capture = GetCaptureControl();
        if (capture && capture->FParent == this && !dynamic_cast<TWinControl*>(capture)) child = capture;
        else if (!capture || capture == this) child = ControlAtPos(pos, false);
        if (child && child != this) {
            Message.Result = child->Perform(Message.Msg, Message.WParam,
                                            PointToLParam(pos.x - child->Left(), pos.y - child->Top()));
            return;
        }
    }
    TControl::WndProc(Message);
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) { OnKeyDown(this, Key, Shift); }
void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) { OnKeyUp(this, Key, Shift); }
void TWinControl::KeyPress(char& Key) { OnKeyPress(this, Key); }

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    // Copies: a writer does not change the lists, but a caller's proc might.
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
    // A control that is not written inside its parent (a form placed on
    // another) comes with the root's other parentless components instead.
    for (TControl* c : children)
        if (c->Owner() == Root && c->HasParent()) Proc(c);
    TComponent::GetChildren(Proc, Root);
}

// ---------------------------------------------------------------------------

VCL_IMPLEMENT_CLASS(TGraphicControl)
void TGraphicControl::DescribeClass(ClassBuilder<TGraphicControl>&) {}

}  // namespace vcl
