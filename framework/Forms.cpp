#include "framework/Forms.h"

#include <algorithm>

#include "framework/CheckLst.h"
#include "framework/ExtCtrls.h"

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

TComponent* FindFormByName(std::string_view Name) {
    if (!Screen || Name.empty()) return nullptr;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (SameText(Screen->Forms(i)->Name(), Name)) return Screen->Forms(i);
    return nullptr;
}

// Registered before main: form files read at start-up resolve references to
// other forms.
const bool gFormsFindable = (RegisterFindGlobalComponentProc(&FindFormByName), true);

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
    c.Property("ActiveControl", &TCustomForm::ActiveControlValue, &TCustomForm::SetActiveControlValue);
    c.Property("AllowDropFiles", &TCustomForm::FAllowDropFiles).Default(false);
    c.Property("AlphaBlend", &TCustomForm::FAlphaBlend).Default(false);
    c.Property("AlphaBlendValue", &TCustomForm::FAlphaBlendValue).Default(255);
    c.Property("AutoScroll", &TCustomForm::FAutoScroll).Default(false);
    c.Property("AutoSize", &TCustomForm::FAutoSize).Default(false);
    c.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    c.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    c.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight);
    c.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont);
    c.Property("DefaultMonitor", &TCustomForm::FDefaultMonitor).Default(dmActiveForm);
    // Lazarus frames and data modules: where the designer shows them.
    c.Property("DesignLeft", &TCustomForm::FLazDesignLeft).Default(0);
    c.Property("DesignTimePPI", &TCustomForm::FDesignTimePPI).Default(96);
    c.Property("DesignTop", &TCustomForm::FLazDesignTop).Default(0);
    c.Property("DockSite", &TCustomForm::FDockSite).Default(false);
    c.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
    c.Property("HelpFile", &TCustomForm::FHelpFile);
    c.Property("HorzScrollBar", &TCustomForm::HorzScrollBar, nullptr);
    c.Property("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon);
    c.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
    c.Property("LCLVersion", &TCustomForm::FLCLVersion);
    c.Property("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    c.Property("OldCreateOrder", &TCustomForm::FOldCreateOrder).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(false);
    c.Property("PopupMode", &TCustomForm::FPopupMode).Default(pmNone);
    c.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
    c.Property("PrintScale", &TCustomForm::FPrintScale).Default(poProportional);
    c.Property("Scaled", &TCustomForm::FScaled).Default(true);
    c.Property("SessionProperties", &TCustomForm::FSessionProperties);
    c.Property("ShowInTaskBar", &TCustomForm::FShowInTaskBar).Default(stDefault);
    // A frame or a form placed on another stores its tab order.
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    c.Property("UseDockManager", &TCustomForm::FUseDockManager).Default(false);
    c.Property("VertScrollBar", &TCustomForm::VertScrollBar, nullptr);
    // Whether a form is on the screen is run-time state, stored only from
    // the designer.
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(false).Stored(&TCustomForm::IsVisibleStored);
    c.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
    c.Property("OnActivate", &TCustomForm::OnActivate);
    c.Property("OnClick", &TControl::OnClick);
    c.Property("OnClose", &TCustomForm::OnClose);
    c.Property("OnCloseQuery", &TCustomForm::OnCloseQuery);
    c.Property("OnCreate", &TCustomForm::OnCreate);
    c.Property("OnDestroy", &TCustomForm::OnDestroy);
    c.Property("OnHide", &TCustomForm::OnHide);
    c.Property("OnKeyDown", &TWinControl::OnKeyDown);
    c.Property("OnKeyPress", &TWinControl::OnKeyPress);
    c.Property("OnKeyUp", &TWinControl::OnKeyUp);
    PublishMouseEvents(c);
    c.Property("OnDeactivate", &TCustomForm::OnDeactivate);
    c.Property("OnHelp", &TCustomForm::OnHelp);
    c.Property("OnPaint", &TCustomForm::OnPaint);
    c.Property("OnShortCut", &TCustomForm::OnShortCut);
    c.Property("OnShow", &TCustomForm::OnShow);
    c.Property("OnWindowStateChange", &TCustomForm::OnWindowStateChange);
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
    // A plain delete skips BeforeDestruction: OnDestroy, the window and the
    // controls still go while the form is whole.
    if (!IsTornDown()) {
        MarkFreeing();
        TCustomForm::BeforeDestruction();
    }
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
    if (TWinControl* active = FLoadedActiveControl.Get()) {
        FLoadedActiveControl = nullptr;
        SetActiveControl(active);
    }
    // A form stored as visible shows once it is complete.
    if (FVisible && !FShown) {
        FVisible = false;
        SetVisible(true);
    }
    OnCreate(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    ApplyFrame();
}

void TCustomForm::SetMenu(TMainMenu* v) {
    if (v == FMenu.Get()) return;
    FMenu = v;
    ApplyFrame();
    if (FShown) Invalidate();
}

void TCustomForm::ApplyFrame() {
    // The client area keeps its size; the frame around it changes.
    int32_t cw = GetClientWidth(), ch = GetClientHeight();
    TFrameMetrics m = FrameMetrics(this);
    FClientInsets = TRect{m.Border, m.Border + m.Caption, m.Border, m.Border};
    SetBounds(FLeft, FTop, cw + 2 * m.Border, ch + 2 * m.Border + m.Caption);
    UpdateClientOrigin();
}

void TCustomForm::SetActiveControlValue(TWinControl* v) {
    // A form file names it before the form is complete: focus it once loaded.
    if (IsLoading()) FLoadedActiveControl = v;
    else SetActiveControl(v);
}

TFrameMetrics FrameMetrics(const TCustomForm* Form) {
    TFrameMetrics m = FrameMetrics(Form->BorderStyle());
    if (Form->Menu() && m.Caption > 0) m.Caption += TMainMenu::kBarHeight;
    return m;
}

void TCustomForm::SetClientWidth(int32_t v) { SetWidth(ClampCoord(int64_t{v} + 2 * FrameMetrics(FBorderStyle).Border)); }

void TCustomForm::SetClientHeight(int32_t v) {
    TFrameMetrics m = FrameMetrics(this);
    SetHeight(ClampCoord(int64_t{v} + 2 * m.Border + m.Caption));
}

void TCustomForm::UpdateClientOrigin() {
    // Called wherever the window may have moved, appeared or gone.
    LayoutChanged();
    if (FShown)
        if (IPlatform* p = Platform()) {
            FScreenOrigin = p->ClientOrigin(this);
            return;
        }
    TFrameMetrics m = FrameMetrics(this);
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
    TWeakRef<TCustomForm> self(this);
    SetVisible(true);  // OnShow and enter/leave handlers run here
    if (!self) return;
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
    // OnCloseQuery and OnClose may run nested loops: a release they ask for
    // waits until Close is done with the form.
    TMessageScope scope(this);
    TWeakRef<TCustomForm> self(this);
    if (!CloseQuery() || !self) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (!self || action == caNone) return;
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
    TMessageScope scope(this);
    TWeakRef<TCustomForm> self(this);
    TCloseAction action = caNone;
    if (CloseQuery() && self) {
        action = caHide;
        DoClose(action);
    }
    if (!self) return;
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
    if (!Application || FReleased) return;
    FReleased = true;
    Application->FReleasedForms.emplace_back(this);
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

VCL_IMPLEMENT_CLASS(TForm)
void TForm::DescribeClass(ClassBuilder<TForm>&) {}

// ---------------------------------------------------------------------------
// TControlScrollBar, TScrollBox, TFrame

VCL_IMPLEMENT_CLASS(TControlScrollBar)
void TControlScrollBar::DescribeClass(ClassBuilder<TControlScrollBar>& c) {
    using S = TControlScrollBar;
    c.Property("ButtonSize", &S::ButtonSize).Default(0);
    c.Property("Color", &S::Color).Default(clBtnHighlight);
    c.Property("Increment", &S::Increment).Default(8);
    c.Property("Margin", &S::Margin).Default(0);
    c.Property("Page", &S::Page).Default(0);
    c.Property("ParentColor", &S::ParentColor).Default(true);
    c.Property("Position", &S::Position).Default(0);
    c.Property("Range", &S::Range).Default(0);
    c.Property("Smooth", &S::Smooth).Default(false);
    c.Property("Size", &S::Size).Default(0);
    c.Property("Style", &S::Style).Default(ssRegular);
    c.Property("ThumbSize", &S::ThumbSize).Default(0);
    c.Property("Tracking", &S::Tracking).Default(false);
    c.Property("Visible", &S::Visible).Default(true);
}

VCL_IMPLEMENT_CLASS(TScrollBox)
void TScrollBox::DescribeClass(ClassBuilder<TScrollBox>& c) {
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("AutoScroll", &TScrollBox::FAutoScroll).Default(true);
    c.Property("AutoSize", &TScrollBox::FAutoSize).Default(false);
    c.Property("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Default(bsSingle);
    c.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight).Stored(false);
    c.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth).Stored(false);
    c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace).Stored(&TScrollBox::IsColorStored);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TScrollBox::IsFontStored);
    c.Property("HorzScrollBar", &TScrollBox::HorzScrollBar, nullptr);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    c.Property("VertScrollBar", &TScrollBox::VertScrollBar, nullptr);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("OnClick", &TControl::OnClick);
    PublishFocusKeyMouseEvents(c);
}

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 185;
    FHeight = 41;
    FParentColor = false;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FClientInsets = TRect{2, 2, 2, 2};
}

void TScrollBox::SetBorderStyle(TBorderStyle v) {
    if (v != bsNone) v = bsSingle;
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    SetClientInsets(v == bsSingle ? TRect{2, 2, 2, 2} : TRect{});
    Realign();
    Invalidate();
}

VCL_IMPLEMENT_CLASS(TFrame)
void TFrame::DescribeClass(ClassBuilder<TFrame>& c) {
    // A frame has no border by default.
    c.Property("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Default(bsNone);
}

TFrame::TFrame(TComponent* AOwner) : TScrollBox(AOwner) {
    SetBorderStyle(bsNone);
    FWidth = 320;
    FHeight = 240;
}

void RegisterFormClasses() {
    RegisterClasses({TForm::StaticClass(), TScrollBox::StaticClass(), TFrame::StaticClass()});
    RegisterExtControls();  // with the other units' classes, TTimer included
    RegisterCheckListBox();
}

}  // namespace vcl
