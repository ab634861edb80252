#include "framework/Forms.h"

#include <algorithm>
#include <cstdlib>

#include "framework/Log.h"
#include "framework/Windows.h"

namespace vcl {

namespace {

// Owns the backend, and frees the application before it at exit, so that no
// form outlives the windows it lives in.
struct TGlobals {
    std::unique_ptr<IPlatform> Platform;
    ~TGlobals() {
        if (Application) {
            TApplication* app = Application;
            Application = nullptr;
            app->Free();
        }
        if (Screen) {
            TScreen* s = Screen;
            Screen = nullptr;
            s->Free();
        }
        detail::gPlatform = nullptr;
        Platform.reset();
    }
};

TGlobals& Globals() {
    static TGlobals g;
    return g;
}

}  // namespace

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

namespace detail {
IPlatform* gPlatform = nullptr;
}

std::unique_ptr<IPlatform> SetPlatform(std::unique_ptr<IPlatform> P) {
    std::swap(Globals().Platform, P);
    detail::gPlatform = Globals().Platform.get();
    return P;
}

void ResetApplication() {
    Globals();  // the globals outlive what is made below
    if (Application) Application->Free();
    Application = new TApplication(nullptr);
    if (Screen) Screen->Free();
    Screen = new TScreen(nullptr);
    SetCaptureControl(nullptr);
}

TFrameMetrics FrameMetrics(TFormBorderStyle Style) {
    switch (Style) {
        case bsNone: return {0, 0};
        case bsSingle:
        case bsDialog: return {3, 18};
        case bsToolWindow: return {3, 14};
        case bsSizeToolWin: return {4, 14};
        case bsSizeable:
        default: return {4, 18};
    }
}

// ---------------------------------------------------------------------------
// TCustomForm

VCL_IMPLEMENT_CLASS(TCustomForm)
void TCustomForm::DescribeClass(ClassBuilder<TCustomForm>& c) {
    // A form stores its client size; the outer size follows from the frame.
    c.Property("Width", &TControl::Width, &TControl::SetWidth).Stored(false);
    c.Property("Height", &TControl::Height, &TControl::SetHeight).Stored(false);
    c.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    c.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight);
    c.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont);
    c.Property("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon);
    c.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
    // Whether a form is on the screen is run-time state, stored only from
    // the designer.
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(false).Stored(&TCustomForm::IsVisibleStored);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnClose", &TCustomForm::OnClose);
    c.Property("OnCloseQuery", &TCustomForm::OnCloseQuery);
    c.Property("OnCreate", &TCustomForm::OnCreate);
    c.Property("OnDestroy", &TCustomForm::OnDestroy);
    c.Property("OnHide", &TCustomForm::OnHide);
    c.Property("OnKeyDown", &TWinControl::OnKeyDown);
    c.Property("OnKeyPress", &TWinControl::OnKeyPress);
    PublishMouseEvents(c);
    c.Property("OnShow", &TCustomForm::OnShow);
    c.Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
    c.Property("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FIcon(new TIcon()) {
    FVisible = false;
    FParentFont = false;
    FParentColor = false;
    FColor = clBtnFace;
    TFrameMetrics frame = FrameMetrics(FBorderStyle);
    FClientInsets = TRect{frame.Border, frame.Border + frame.Caption, frame.Border, frame.Border};
    FWidth = 320 + 2 * frame.Border;
    FHeight = 240 + 2 * frame.Border + frame.Caption;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    UpdateClientOrigin();
    if (Screen) Screen->FForms.push_back(this);
    if (Application && AOwner == Application) Application->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (Screen) std::erase(Screen->FForms, this);
    FIcon->Free();
}

void TCustomForm::BeforeDestruction() {
    // OnDestroy sees the form whole, its controls included.
    if (!IsDestroying()) OnDestroy(this);
    Destroying();
    if (FShown) {
        FShown = false;
        FVisible = false;
        if (IPlatform* p = Platform()) p->HideWindow(this);
    }
    if (IPlatform* p = Platform()) p->DestroyWindow(this);
    if (Screen) std::erase(Screen->FForms, this);
    TWinControl::BeforeDestruction();
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    Realign();
    // A form stored as visible shows once it is complete.
    if (FVisible && !FShown) {
        FVisible = false;
        SetVisible(true);
    }
    OnCreate(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (v == FBorderStyle) return;
    // The client area keeps its size; the frame around it changes.
    int32_t cw = GetClientWidth(), ch = GetClientHeight();
    FBorderStyle = v;
    TFrameMetrics m = FrameMetrics(v);
    FClientInsets = TRect{m.Border, m.Border + m.Caption, m.Border, m.Border};
    SetBounds(FLeft, FTop, cw + 2 * m.Border, ch + 2 * m.Border + m.Caption);
    UpdateClientOrigin();
}


void TCustomForm::SetClientWidth(int32_t v) { SetWidth(ClampCoord(int64_t{v} + 2 * FrameMetrics(FBorderStyle).Border)); }

void TCustomForm::SetClientHeight(int32_t v) {
    TFrameMetrics m = FrameMetrics(FBorderStyle);
    SetHeight(ClampCoord(int64_t{v} + 2 * m.Border + m.Caption));
}

void TCustomForm::UpdateClientOrigin() {
    if (FShown)
        if (IPlatform* p = Platform()) {
            FScreenOrigin = p->ClientOrigin(this);
            return;
        }
    TFrameMetrics m = FrameMetrics(FBorderStyle);
    FScreenOrigin = TPoint{FLeft + m.Border, FTop + m.Border + m.Caption};
}

void TCustomForm::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateClientOrigin();
    if (FShown && Platform()) Platform()->WindowChanged(this);
}

void TCustomForm::PlaceOnScreen() {
    TSize screen = Platform() ? Platform()->ScreenSize() : TSize{1024, 768};
    auto centreOn = [&](TRect r) {
        FLeft = r.Left + (r.Width() - FWidth) / 2;
        FTop = r.Top + (r.Height() - FHeight) / 2;
    };
    switch (FPosition) {
        case poScreenCenter:
        case poDesktopCenter:
            centreOn(TRect{0, 0, screen.cx, screen.cy});
            break;
        case poMainFormCenter:
        case poOwnerFormCenter: {
            TCustomForm* main = Application ? Application->MainForm() : nullptr;
            if (main && main != this && main->Showing()) centreOn(main->BoundsRect());
            else centreOn(TRect{0, 0, screen.cx, screen.cy});
            break;
        }
        default:
            break;
    }
}

void TCustomForm::SetVisible(bool v) {
    if (IsLoading()) {
        FVisible = v;
        return;
    }
    if (v == FShown && v == FVisible) return;
    TWeakRef<TCustomForm> self(this);
    if (v) {
        FVisible = true;
        PlaceOnScreen();
        FShown = true;
        Realign();
        if (IPlatform* p = Platform()) {
            p->ShowWindow(this);
            p->BringToFront(this);
        }
        UpdateClientOrigin();
        if (Screen) Screen->SetActiveForm(this);
        Invalidate();
        OnShow(this);
    } else {
        FVisible = false;
        FShown = false;
        if (IPlatform* p = Platform()) p->HideWindow(this);
        UpdateClientOrigin();
        if (Screen && Screen->ActiveForm() == this) {
            // The next shown form, topmost first, becomes active.
            TCustomForm* next = nullptr;
            if (IPlatform* p = Platform()) {
                auto z = p->WindowsInZOrder();
                if (!z.empty()) next = z.back();
            }
            Screen->SetActiveForm(next);
        }
        OnHide(this);
    }
    if (self && Application) Application->UpdateMouseControl();
}

void TCustomForm::Show() {
    SetVisible(true);
    if (IPlatform* p = Platform()) p->BringToFront(this);
    if (Screen) Screen->SetActiveForm(this);
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) { OnClose(this, Action); }

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        Hide();
    } else if (action == caHide || action == caMinimize) {
        Hide();
    } else {
        Release();
    }
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) FModalResult = mrNone;
    else if (action == caFree) Release();
}

int TCustomForm::ShowModal() {
    if (FShown || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    if (!Application) throw EInvalidOperation("No application object");
    SetCaptureControl(nullptr);
    TWeakRef<TCustomForm> self(this);
    FModal = true;
    FModalResult = mrNone;
    Application->FModalStack.emplace_back(this);
    auto leave = [&] {
        if (!self) return;
        FModal = false;
        auto& stack = Application->FModalStack;
        stack.erase(std::remove_if(stack.begin(), stack.end(),
                                   [this](const TWeakRef<TCustomForm>& f) { return !f || f.Get() == this; }),
                    stack.end());
        Hide();
    };
    int result = mrCancel;
    try {
        Show();
        while (self) {
            Application->HandleMessage();
            if (!self) break;
            if (Application->Terminated()) FModalResult = mrCancel;
            else if (FModalResult != mrNone) CloseModal();
            if (!self || FModalResult != mrNone) break;
        }
        if (self) result = FModalResult;
    } catch (...) {
        leave();
        throw;
    }
    leave();
    return result;
}

void TCustomForm::Release() {
    if (!Application) return;
    TWeakRef<TCustomForm> self(this);
    Application->Post([self] {
        if (self) self->Free();
    });
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    TWinControl* old = FActiveControl.Get();
    if (old == Control) return;
    FActiveControl = Control;
    TWeakRef<TWinControl> next(Control);
    if (old) old->Perform(WM_KILLFOCUS, 0, 0);
    if (next && FActiveControl.Get() == next.Get()) next->Perform(WM_SETFOCUS, 0, 0);
}

void TCustomForm::SelectNext(bool Forward) {
    // Every focusable windowed control of the form, in tab order, depth first.
    std::vector<TWinControl*> order;
    std::function<void(TWinControl*)> walk = [&](TWinControl* parent) {
        for (TWinControl* w : parent->TabList()) {
            if (w->TabStop() && w->CanFocus()) order.push_back(w);
            walk(w);
        }
    };
    walk(this);
    if (order.empty()) return;
    auto it = std::find(order.begin(), order.end(), ActiveControl());
    size_t i;
    if (it == order.end()) i = Forward ? 0 : order.size() - 1;
    else if (Forward) i = (static_cast<size_t>(it - order.begin()) + 1) % order.size();
    else i = (static_cast<size_t>(it - order.begin()) + order.size() - 1) % order.size();
    SetActiveControl(order[i]);
}

void TCustomForm::KeyDown(uint16_t& Key, TShiftState Shift) { TWinControl::KeyDown(Key, Shift); }

void TCustomForm::TextChanged() {
    TWinControl::TextChanged();
    if (FShown)
        if (IPlatform* p = Platform()) p->WindowChanged(this);
}

bool TCustomForm::DialogKey(uint16_t Key, TShiftState Shift) {
    // Alt+F4, the system's close keystroke, does what the close box does.
    if (Key == VK_F4 && Shift.Contains(ssAlt)) {
        if (FBorderIcons.Contains(biSystemMenu)) Perform(WM_CLOSE, 0, 0);
        return true;
    }
    if (Key == VK_TAB) {
        SelectNext(!Shift.Contains(ssShift));
        return true;
    }
    return TWinControl::DialogKey(Key, Shift);
}

void TCustomForm::PaintNow() {
    FPaintPending = false;
    Perform(WM_PAINT, 0, 0);
}

void TCustomForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CLOSE:
            Close();
            return;
        case WM_PAINT:
            Repaint();
            return;
        default:
            TWinControl::WndProc(Message);
    }
}

void TCustomForm::Paint(TCanvas& Canvas) const {
    Canvas.Brush.Color = FColor;
    Canvas.FillRect(GetClientRect());
}

namespace {

TRect Intersect(TRect a, TRect b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return r.Empty() ? TRect{} : r;
}

TRect Offset(TRect r, TPoint by) { return TRect{r.Left + by.x, r.Top + by.y, r.Right + by.x, r.Bottom + by.y}; }

// Adds the areas of the invalid controls under Parent, in form client
// coordinates: Origin is Parent's client top-left there, Visible the part
// of its client area not cut off by its ancestors.
void CollectInvalid(const TWinControl* Parent, TPoint Origin, TRect Visible, std::vector<TRect>& Areas) {
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        const TControl* c = Parent->Controls(i);
        if (!c->Visible()) continue;
        TRect bounds = Offset(c->BoundsRect(), Origin);
        TRect seen = Intersect(bounds, Visible);
        if (seen.Empty()) continue;
        if (c->NeedsRepaint()) {
            Areas.push_back(seen);  // children included
            continue;
        }
        if (auto* w = dynamic_cast<const TWinControl*>(c)) {
            TPoint inner{bounds.Left + (w->ClientOrigin().x - w->Left() - Parent->ClientOrigin().x),
                         bounds.Top + (w->ClientOrigin().y - w->Top() - Parent->ClientOrigin().y)};
            CollectInvalid(w, inner, Intersect(Bounds(inner.x, inner.y, w->ClientWidth(), w->ClientHeight()), seen),
                           Areas);
        }
    }
}

// Overlapping areas become one, so that nothing is drawn twice.
void MergeOverlapping(std::vector<TRect>& Areas) {
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < Areas.size() && !merged; ++i)
            for (size_t j = i + 1; j < Areas.size(); ++j) {
                if (Intersect(Areas[i], Areas[j]).Empty()) continue;
                TRect a = Areas[i], b = Areas[j];
                Areas[i] = TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                                 std::max(a.Bottom, b.Bottom)};
                Areas.erase(Areas.begin() + static_cast<std::ptrdiff_t>(j));
                merged = true;
                break;
            }
    }
}

// Paints Control (its top-left at Origin in form client coordinates) within
// Clip, then its children over it: graphic ones, then windowed ones, each
// bottom first. ClientOrigin is where Control's children are placed.
void PaintTree(TCanvas& Canvas, const TControl* Control, TPoint Origin, TPoint ClientOrigin, TRect Clip) {
    Canvas.SetOrigin(Origin);
    Canvas.SetClip(Clip);
    Canvas.Pen = TPen{};
    Canvas.Brush = TBrush{};
    Control->Paint(Canvas);
    auto* w = dynamic_cast<const TWinControl*>(Control);
    if (!w) return;
    TRect area = Intersect(Bounds(ClientOrigin.x, ClientOrigin.y, w->ClientWidth(), w->ClientHeight()), Clip);
    if (area.Empty()) return;
    for (int i = 0; i < w->ControlCount(); ++i) {
        const TControl* c = w->Controls(i);
        if (!c->Visible()) continue;
        TRect bounds = Offset(c->BoundsRect(), ClientOrigin);
        TRect clip = Intersect(bounds, area);
        if (clip.Empty()) continue;
        TPoint origin{bounds.Left, bounds.Top};
        TPoint inner = origin;
        if (auto* cw = dynamic_cast<const TWinControl*>(c))
            inner = TPoint{origin.x + (cw->ClientOrigin().x - cw->Left() - w->ClientOrigin().x),
                           origin.y + (cw->ClientOrigin().y - cw->Top() - w->ClientOrigin().y)};
        PaintTree(Canvas, c, origin, inner, clip);
    }
}

void ValidateTree(TControl* c) {
    c->Validate();
    if (auto* w = dynamic_cast<TWinControl*>(c))
        for (int i = 0; i < w->ControlCount(); ++i) ValidateTree(w->Controls(i));
}

}  // namespace

void TCustomForm::Repaint() {
    // No screen shows more; a form file may ask for any size.
    constexpr int32_t kMaxSurface = 8192;
    const int32_t cw = std::min(GetClientWidth(), kMaxSurface), ch = std::min(GetClientHeight(), kMaxSurface);
    const TRect client{0, 0, cw, ch};
    std::vector<TRect> areas;
    if (FInvalid || FSurface.Width != cw || FSurface.Height != ch) {
        if (FSurface.Width != cw || FSurface.Height != ch) FSurface.Resize(cw, ch);
        areas.push_back(client);
    } else {
        CollectInvalid(this, TPoint{0, 0}, client, areas);
    }
    ValidateTree(this);
    MergeOverlapping(areas);
    std::erase_if(areas, [](const TRect& r) { return r.Empty(); });
    if (areas.empty()) return;
    TCanvas canvas(FSurface);
    for (const TRect& area : areas) {
        PaintTree(canvas, this, TPoint{0, 0}, TPoint{0, 0}, area);
        // Text drawn on the screen does not survive a window painting there.
        EraseScreenTexts(Offset(area, FScreenOrigin));
    }
    ++FSurfaceVersion;
}

VCL_IMPLEMENT_CLASS(TForm)
void TForm::DescribeClass(ClassBuilder<TForm>&) {}

// ---------------------------------------------------------------------------
// TApplication

VCL_IMPLEMENT_CLASS(TApplication)
void TApplication::DescribeClass(ClassBuilder<TApplication>&) {}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
    if (Platform()) return;
    std::string name;
    if (const char* env = std::getenv("QV_BACKEND")) name = env;
    std::unique_ptr<IPlatform> p;
    if (!name.empty()) {
        p = CreatePlatform(name);
        if (!p && name == "sdl")
            throw EInvalidOperation("The sdl backend (QV_BACKEND) cannot start: not built in, or no display");
        if (!p) throw EInvalidOperation("Unknown backend '" + name + "' (QV_BACKEND): use headless or sdl");
    } else {
        const char* display = std::getenv("DISPLAY");
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        if ((display && *display) || (wayland && *wayland)) p = CreatePlatform("sdl");
        if (!p) p = CreatePlatform("headless");
    }
    SetPlatform(std::move(p));
}

void TApplication::AddForm(TCustomForm*) {}

void TApplication::Run() {
    if (!Platform()) Initialize();
    if (TCustomForm* main = MainForm()) main->Show();
    while (!FTerminated) {
        HandleMessage();
        if (!MainForm()) break;
    }
}

void TApplication::RunPosted() {
    while (!FPosted.empty()) {
        auto task = std::move(FPosted.front());
        FPosted.pop_front();
        task();
    }
}

void TApplication::Idle() {
    UpdateMouseControl();
    if (!Screen) return;
    std::vector<TWeakRef<TCustomForm>> forms;
    for (int i = 0; i < Screen->FormCount(); ++i) forms.emplace_back(Screen->Forms(i));
    for (auto& f : forms)
        if (f && f->Showing() && f->PaintPending()) f->PaintNow();
    if (IPlatform* p = Platform()) p->Present();
}

void TApplication::ProcessMessages() {
    IPlatform* p = Platform();
    if (!p) return;
    TInputEvent e;
    while (Platform() && Platform()->PollEvent(e)) {
        DispatchInput(e);
        RunPosted();
    }
    RunPosted();
    Idle();
}

void TApplication::HandleMessage() {
    IPlatform* p = Platform();
    if (!p) {
        FTerminated = true;
        return;
    }
    TInputEvent e;
    if (p->PollEvent(e)) {
        DispatchInput(e);
        RunPosted();
        Idle();
        return;
    }
    RunPosted();
    Idle();
    if (FTerminated) return;
    if (Platform()->WaitEvent(e)) {
        DispatchInput(e);
        RunPosted();
        Idle();
    } else {
        // No input will ever come: the session is over.
        FTerminated = true;
    }
}

void TApplication::ShowException(const Exception& E) {
    std::string msg = E.Message();
    if (!msg.empty() && msg.back() != '.') msg += '.';
    MessageBoxA(nullptr, msg.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

TCustomForm* TApplication::ModalForm() const {
    for (auto it = FModalStack.rbegin(); it != FModalStack.rend(); ++it)
        if (*it && (*it)->IsModal() && (*it)->Showing()) return it->Get();
    return nullptr;
}

bool TApplication::AcceptsInput(const TCustomForm* Form) const {
    if (!Form || !Form->Showing() || !Form->Enabled()) return false;
    TCustomForm* modal = ModalForm();
    return !modal || modal == Form;
}

TControl* TApplication::ControlAtScreen(TPoint Pos, TWinControl** Windowed) const {
    if (Windowed) *Windowed = nullptr;
    IPlatform* p = Platform();
    if (!p) return nullptr;
    TCustomForm* form = p->WindowFromPoint(Pos);
    if (!form) return nullptr;
    TWinControl* w = form;
    TPoint cp = form->ScreenToClient(Pos);
    if (!form->GetClientRect().Contains(cp)) return nullptr;  // on the frame
    for (;;) {
        TControl* c = w->ControlAtPos(cp, true, true);
        if (!c) {
            if (Windowed) *Windowed = w;
            return w;
        }
        if (auto* cw = dynamic_cast<TWinControl*>(c)) {
            TPoint inner = cw->ScreenToClient(Pos);
            w = cw;
            if (!cw->GetClientRect().Contains(inner)) {  // on its border
                if (Windowed) *Windowed = cw;
                return cw;
            }
            cp = inner;
            continue;
        }
        if (Windowed) *Windowed = w;
        return c;
    }
}

void TApplication::UpdateMouseControl() {
    IPlatform* p = Platform();
    if (!p) return;
    TPoint pos;
    if (!p->GetCursorPos(pos)) return;
    TControl* now = ControlAtScreen(pos);
    TControl* old = FMouseControl.Get();
    if (now == old) return;
    // The new state is recorded before anyone is told, so that a handler
    // that pumps messages does not report the same change again.
    FMouseControl = now;
    TWeakRef<TControl> nowRef(now);
    if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
    if (nowRef && FMouseControl.Get() == nowRef.Get()) nowRef->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::SendMouse(TControl* Target, uint32_t Msg, TPoint ScreenPos, uintptr_t Keys) {
    TWinControl* w = dynamic_cast<TWinControl*>(Target);
    if (!w) w = Target->Parent();
    if (!w) return;
    TPoint cp = w->ScreenToClient(ScreenPos);
    w->Perform(Msg, Keys, PointToLParam(cp.x, cp.y));
}

void TApplication::DispatchInput(const TInputEvent& Event) {
    IPlatform* p = Platform();
    if (!p) return;
    static constexpr uint32_t kDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr uint32_t kUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr uintptr_t kBit[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
    uintptr_t shiftKeys = 0;
    if (Event.Shift & 1) shiftKeys |= MK_SHIFT;
    if (Event.Shift & 4) shiftKeys |= MK_CONTROL;
    switch (Event.Kind) {
        case TInputEvent::MouseMove: {
            UpdateMouseControl();
            TCustomForm* form = p->WindowFromPoint(Event.Pos);
            TWinControl* windowed = nullptr;
            TControl* under = ControlAtScreen(Event.Pos, &windowed);
            if (form) {
                // Sent whatever the modal state, as the platform does.
                TWinControl* w = windowed ? windowed : form;
                intptr_t hit = under ? 1 /* client */ : 2 /* caption or frame */;
                TWeakRef<TCustomForm> formRef(form);
                w->Perform(WM_SETCURSOR, reinterpret_cast<uintptr_t>(w),
                           hit | static_cast<intptr_t>(WM_MOUSEMOVE) << 16);
                if (!formRef) return;
            }
            TControl* capture = GetCaptureControl();
            TControl* target = capture ? capture : windowed;
            if (target && AcceptsInput(target->GetParentForm()) && (capture || target->IsEnabledForInput()))
                SendMouse(target, WM_MOUSEMOVE, Event.Pos, FButtons | shiftKeys);
            return;
        }
        case TInputEvent::MouseDown: {
            int b = std::clamp(Event.Button, 0, 2);
            UpdateMouseControl();
            TCustomForm* form = p->WindowFromPoint(Event.Pos);
            if (!form || !AcceptsInput(form)) return;
            p->BringToFront(form);
            if (Screen) Screen->SetActiveForm(form);
            TWinControl* windowed = nullptr;
            if (!ControlAtScreen(Event.Pos, &windowed) || !windowed) return;
            if (!windowed->IsEnabledForInput()) return;
            if (windowed->TabStop() && windowed->CanFocus()) windowed->SetFocus();
            FButtons |= kBit[b];
            SendMouse(windowed, kDown[b], Event.Pos, FButtons | shiftKeys);
            return;
        }
        case TInputEvent::MouseUp: {
            int b = std::clamp(Event.Button, 0, 2);
            FButtons &= ~kBit[b];
            TControl* target = GetCaptureControl();
            if (!target) {
                TCustomForm* form = p->WindowFromPoint(Event.Pos);
                if (!form || !AcceptsInput(form)) return;
                TWinControl* windowed = nullptr;
                if (!ControlAtScreen(Event.Pos, &windowed) || !windowed || !windowed->IsEnabledForInput()) return;
                target = windowed;
            }
            SendMouse(target, kUp[b], Event.Pos, FButtons | shiftKeys);
            if (FButtons == 0) SetCaptureControl(nullptr);
            UpdateMouseControl();
            return;
        }
        case TInputEvent::KeyDown:
        case TInputEvent::KeyUp:
        case TInputEvent::Char: {
            TCustomForm* form = ModalForm();
            if (!form && Screen) form = Screen->ActiveForm();
            if (!form || !AcceptsInput(form)) return;
            TWinControl* target = form->ActiveControl();
            if (!target || !target->IsEnabledForInput() || !target->Showing()) target = form;
            TMessage m;
            if (Event.Kind == TInputEvent::Char) {
                m.Msg = WM_CHAR;
                m.WParam = static_cast<unsigned char>(Event.Ch);
                target->WindowProc(m);
                return;
            }
            m.Msg = Event.Kind == TInputEvent::KeyDown ? WM_KEYDOWN : WM_KEYUP;
            m.WParam = Event.Key;
            m.LParam = static_cast<intptr_t>(shiftKeys);
            TWeakRef<TCustomForm> formRef(form);
            target->WindowProc(m);
            // Keys the control left alone act on the dialog: Tab moves the
            // focus, Return and Escape press the default and cancel buttons.
            if (formRef && Event.Kind == TInputEvent::KeyDown && m.WParam != 0) {
                TShiftState shift;
                if (Event.Shift & 1) shift << ssShift;
                if (Event.Shift & 2) shift << ssAlt;
                if (Event.Shift & 4) shift << ssCtrl;
                formRef->DialogKey(static_cast<uint16_t>(m.WParam), shift);
            }
            return;
        }
        case TInputEvent::CloseWindow: {
            TCustomForm* form = Event.Window;
            if (!form || !Screen) return;
            bool exists = false;
            for (int i = 0; i < Screen->FormCount(); ++i) exists |= Screen->Forms(i) == form;
            if (!exists || !AcceptsInput(form)) return;
            form->Perform(WM_CLOSE, 0, 0);
            return;
        }
        case TInputEvent::Quit:
            Terminate();
            return;
    }
}

// ---------------------------------------------------------------------------
// TScreen

VCL_IMPLEMENT_CLASS(TScreen)
void TScreen::DescribeClass(ClassBuilder<TScreen>&) {}

int32_t TScreen::Width() const { return Platform() ? Platform()->ScreenSize().cx : 1024; }
int32_t TScreen::Height() const { return Platform() ? Platform()->ScreenSize().cy : 768; }
void TScreen::SetActiveForm(TCustomForm* f) { FActiveForm = f; }

void RegisterFormClasses() { RegisterClasses({TForm::StaticClass()}); }

}  // namespace vcl
