// A fresh application on a headless desktop for each test, and helpers that
// drive it as a user would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/platform/headless/HeadlessPlatform.h"

namespace vcltest {

using namespace vcl;

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

    THeadlessPlatform* Desktop() const { return FDesktop; }
    void Process() { Application->ProcessMessages(); }

    // A form owned by the application, with a single border, at a screen
    // position with the given client size.
    TForm* MakeForm(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight) {
        auto* f = new TForm(Application);
        f->SetBorderStyle(bsSingle);
        f->SetLeft(left);
        f->SetTop(top);
        f->SetClientWidth(clientWidth);
        f->SetClientHeight(clientHeight);
        return f;
    }
    TWinControl* Windowed(TWinControl* parent, int32_t l, int32_t t, int32_t w, int32_t h) {
        auto* c = new TWinControl(parent->GetParentForm());
        c->SetBounds(l, t, w, h);
        c->SetParent(parent);
        return c;
    }
    TControl* Graphic(TWinControl* parent, int32_t l, int32_t t, int32_t w, int32_t h) {
        auto* c = new TGraphicControl(parent->GetParentForm());
        c->SetBounds(l, t, w, h);
        c->SetParent(parent);
        return c;
    }

    // Screen position of a point in a control's client coordinates.
    static TPoint ScreenOf(TControl* c, int32_t x, int32_t y) { return c->ClientToScreen(TPoint{x, y}); }
    void MoveTo(TControl* c, int32_t x, int32_t y) {
        FDesktop->MoveTo(ScreenOf(c, x, y));
        Process();
    }
    void MoveScreen(int32_t x, int32_t y) {
        FDesktop->MoveTo(TPoint{x, y});
        Process();
    }

private:
    THeadlessPlatform* FDesktop = nullptr;
};

// Installs itself as the control's WindowProc, records every message and
// passes it on to the procedure it replaced.
class TMessageRecorder : public TObject {
public:
    TMessageRecorder(TControl* c, std::vector<std::string>* order = nullptr, std::string tag = {})
        : FControl(c), FOrder(order), FTag(std::move(tag)) {
        FOld = c->WindowProc;
        c->WindowProc = TWndMethod::Of<&TMessageRecorder::Hook>(this);
    }
    ~TMessageRecorder() override {
        // Recorders are removed in the reverse order of installation.
        if (FControl) FControl->WindowProc = FOld;
    }
    void Hook(TMessage& m) {
        Messages.push_back(m);
        if (FOrder) FOrder->push_back(FTag);
        FOld(m);
    }
    std::vector<TMessage> Messages;

private:
    TWeakRef<TControl> FControl;
    TWndMethod FOld;
    std::vector<std::string>* FOrder;
    std::string FTag;
};

// Counts the mouse events a control raises.
class TMouseLog : public TObject {
public:
    explicit TMouseLog(TControl* c) {
        c->OnMouseDown = TMouseEvent::Of<&TMouseLog::Down>(this);
        c->OnMouseUp = TMouseEvent::Of<&TMouseLog::Up>(this);
        c->OnMouseMove = TMouseMoveEvent::Of<&TMouseLog::Move>(this);
        c->OnClick = TNotifyEvent::Of<&TMouseLog::Clicked>(this);
    }
    void Down(TObject*, TMouseButton, TShiftState, int32_t x, int32_t y) {
        ++Downs;
        DownAt.push_back(TPoint{x, y});
    }
    void Up(TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++Ups; }
    void Move(TObject*, TShiftState, int32_t x, int32_t y) { Moves.push_back(TPoint{x, y}); }
    void Clicked(TObject*) { ++Clicks; }
    int Downs = 0, Ups = 0, Clicks = 0;
    std::vector<TPoint> DownAt, Moves;
};

}  // namespace vcltest
