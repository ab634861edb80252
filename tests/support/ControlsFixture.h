// A fresh application on a headless desktop for each test, helpers that
// drive it as a user would, and ways to read back what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/platform/headless/HeadlessPlatform.h"

namespace vcltest {

using namespace vcl;

// Sets a published property by name, a dotted path into its sub-objects
// allowed (Font.Color); ordinal values by number or identifier.
inline void SetProperty(TObject *Obj, const std::string &Path, const std::string &Value) {
    const size_t dot = Path.find('.');
    const TPropInfo *p = GetPropInfo(Obj, Path.substr(0, dot));
    ASSERT_NE(p, nullptr) << Path;
    if (dot != std::string::npos) return SetProperty(GetObjectProp(Obj, p), Path.substr(dot + 1), Value);
    if (p->Kind() == TTypeKind::tkString) return SetStrProp(Obj, p, Value);
    int64_t v = 0;
    if (!p->Type->EnumValue(Value, v) && !(p->Type->IdentToInt && p->Type->IdentToInt(Value, v))) v = std::stoll(Value);
    SetOrdProp(Obj, p, v);
}

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetApplication();
        auto desktop = std::make_unique<THeadlessPlatform>();
        FDesktop = desktop.get();
        SetPlatform(std::move(desktop));
    }
    void TearDown() override {
        ResetApplication();  // frees the forms while the desktop still exists
        SetPlatform(nullptr);
    }

    THeadlessPlatform *Desktop() const { return FDesktop; }
    void Process() { Application->ProcessMessages(); }

    // A form owned by the application, with a single border, at a screen
    // position with the given client size.
    TForm *MakeForm(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight) {
        auto *f = new TForm(Application);
        f->SetBorderStyle(bsSingle);
        f->SetLeft(left);
        f->SetTop(top);
        f->SetClientWidth(clientWidth);
        f->SetClientHeight(clientHeight);
        return f;
    }
    // A control of class T owned by the parent's form, placed on parent; a
    // size of -1 keeps the class's default.
    template <class T>
    T *Make(TWinControl *parent, int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) {
        auto *c = new T(parent->GetParentForm());
        c->SetBounds(left, top, width < 0 ? c->Width() : width, height < 0 ? c->Height() : height);
        c->SetParent(parent);
        return c;
    }
    TWinControl *Windowed(TWinControl *parent, int32_t l, int32_t t, int32_t w, int32_t h) {
        return Make<TWinControl>(parent, l, t, w, h);
    }
    TControl *Graphic(TWinControl *parent, int32_t l, int32_t t, int32_t w, int32_t h) {
        return Make<TGraphicControl>(parent, l, t, w, h);
    }

    // Screen position of a point in a control's client coordinates.
    static TPoint ScreenOf(TControl *c, int32_t x, int32_t y) { return c->ClientToScreen(TPoint{x, y}); }
    void MoveTo(TControl *c, int32_t x, int32_t y) {
        FDesktop->MoveTo(ScreenOf(c, x, y));
        Process();
    }
    // Lets Ms milliseconds pass on the desktop's clock, with the message loop
    // running the timers that fall due meanwhile.
    void Wait(uint32_t Ms) { Application->AdvanceTime(Ms); }
    void MoveScreen(int32_t x, int32_t y) {
        FDesktop->MoveTo(TPoint{x, y});
        Process();
    }
    // Input given when the innermost loop waits for it (a modal form, a
    // message box): one step each time, then none.
    void WhenIdle(std::vector<std::function<void()>> steps) {
        FDesktop->OnIdleInput = [steps = std::move(steps), next = size_t{0}]() mutable {
            if (next == steps.size()) return false;
            steps[next++]();
            return true;
        };
    }

private:
    THeadlessPlatform *FDesktop = nullptr;
};

// A shown form for the standard controls, and the user's clicks and keys.
class ControlsTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        form = MakeForm(100, 100, 400, 300);
        form->Show();
        Process();
    }

    void ClickOn(TControl *c, int32_t x, int32_t y) {
        Desktop()->Click(ScreenOf(c, x, y));
        Process();
    }
    // A key pressed and released, with Shift held when asked.
    void Key(uint32_t vk, bool shift = false) {
        Desktop()->Key(vk, shift ? 1u : 0u);
        Process();
    }
    void Type(const std::string &text) {
        Desktop()->Type(text);
        Process();
    }

    TForm *form = nullptr;
};

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kFace = 0xC0C0C0, kShadow = 0x808080, kLight = 0xDFDFDF;
constexpr uint32_t kNavy = 0x000080, kRed = 0xFF0000, kTeal = 0x008080;

// Pixels of the forms' surfaces.
class GraphicsTest : public DesktopTest {
protected:
    // A shown form with a single border at (Left, Top), painted.
    TForm *ShowForm(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight, TColor color = clBtnFace) {
        TForm *f = MakeForm(left, top, clientWidth, clientHeight);
        f->SetColor(color);
        f->Show();
        Process();
        return f;
    }
    // A pixel of a control, in the control's own coordinates (its bounds'
    // top-left is 0, 0), read from its form's surface.
    static uint32_t At(const TControl *c, int32_t x, int32_t y) {
        TCustomForm *f = c->GetParentForm();
        TPoint p = c == f ? TPoint{x, y} : FormPoint(c, x, y);
        return f->Surface().Pixel(p.x, p.y);
    }
    // A control's point in its form's client coordinates.
    static TPoint FormPoint(const TControl *c, int32_t x, int32_t y) {
        TPoint s = c->Parent()->ClientToScreen(TPoint{c->Left() + x, c->Top() + y});
        return c->GetParentForm()->ScreenToClient(s);
    }
};

// Installs itself as the control's WindowProc, records every message and
// passes it on to the procedure it replaced.
class TMessageRecorder : public TObject {
public:
    TMessageRecorder(TControl *c, std::vector<std::string> *order = nullptr, std::string tag = {})
        : FControl(c), FOrder(order), FTag(std::move(tag)) {
        FOld = c->WindowProc;
        c->WindowProc = TWndMethod::Of<&TMessageRecorder::Hook>(this);
    }
    ~TMessageRecorder() override {
        // Recorders are removed in the reverse order of installation.
        if (FControl) FControl->WindowProc = FOld;
    }
    void Hook(TMessage &m) {
        Messages.push_back(m);
        if (FOrder) FOrder->push_back(FTag);
        FOld(m);
    }
    std::vector<TMessage> Messages;

private:
    TWeakRef<TControl> FControl;
    TWndMethod FOld;
    std::vector<std::string> *FOrder;
    std::string FTag;
};

// Counts the mouse events a control raises.
class TMouseLog : public TObject {
public:
    explicit TMouseLog(TControl *c) {
        c->OnMouseDown = TMouseEvent::Of<&TMouseLog::Down>(this);
        c->OnMouseUp = TMouseEvent::Of<&TMouseLog::Up>(this);
        c->OnMouseMove = TMouseMoveEvent::Of<&TMouseLog::Move>(this);
        c->OnClick = TNotifyEvent::Of<&TMouseLog::Clicked>(this);
    }
    void Down(TObject *, TMouseButton, TShiftState, int32_t x, int32_t y) {
        ++Downs;
        DownAt.push_back(TPoint{x, y});
    }
    void Up(TObject *, TMouseButton, TShiftState, int32_t, int32_t) { ++Ups; }
    void Move(TObject *, TShiftState, int32_t x, int32_t y) { Moves.push_back(TPoint{x, y}); }
    void Clicked(TObject *) { ++Clicks; }
    int Downs = 0, Ups = 0, Clicks = 0;
    std::vector<TPoint> DownAt, Moves;
};

// Records each call of a notify event; Then runs inside the handler.
class TNotifyLog : public TObject {
public:
    TNotifyEvent Event() { return TNotifyEvent::Of<&TNotifyLog::Notify>(this); }
    void Notify(TObject *sender) {
        Senders.push_back(sender);
        if (Then) Then(sender);
    }
    int Count() const { return static_cast<int>(Senders.size()); }
    std::vector<TObject *> Senders;
    std::function<void(TObject *)> Then;
};

}  // namespace vcltest
