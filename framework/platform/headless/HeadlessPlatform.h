// The headless backend: a virtual desktop with a fixed screen, windows placed
// by the forms' position rules, and input that a test or a script injects.
// Nothing depends on a wall clock (its clock is virtual), so runs are
// deterministic.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "framework/Canvas.h"
#include "framework/platform/Platform.h"

namespace vcl {

class THeadlessPlatform : public IPlatform {
public:
    explicit THeadlessPlatform(TSize Screen = TSize{1024, 768});

    const char* Name() const override { return "headless"; }
    TSize ScreenSize() const override { return FScreen; }

    void ShowWindow(TCustomForm* Form) override;
    void HideWindow(TCustomForm* Form) override;
    void WindowChanged(TCustomForm*) override {}
    void DestroyWindow(TCustomForm* Form) override { HideWindow(Form); }
    void BringToFront(TCustomForm* Form) override;
    TPoint ClientOrigin(const TCustomForm* Form) const override;
    TCustomForm* WindowFromPoint(TPoint Pos) const override;
    std::vector<TCustomForm*> WindowsInZOrder() const override { return FWindows; }

    bool GetCursorPos(TPoint& Pos) const override;
    bool SetCursorPos(TPoint Pos) override;

    bool PollEvent(TInputEvent& Event) override;
    // Waiting lets time pass only while a Wait is under way (up to its end
    // or the timeout, whichever comes first); otherwise it asks OnIdleInput.
    TWait WaitEvent(TInputEvent& Event, int64_t TimeoutMs) override;
    // The virtual clock: it starts at 0 and moves only through Wait.
    uint64_t TickCount() const override { return FNow; }

    // --- Driving the desktop ---
    // Queues an event; the pointer moves when a mouse event is taken.
    void Inject(const TInputEvent& Event) { FQueue.push_back(Event); }
    void MoveTo(TPoint Pos);
    void Press(int Button = 0);
    void Release(int Button = 0);
    void Click(TPoint Pos, int Button = 0);
    void Key(uint32_t VirtualKey, uint32_t Shift = 0);  // down and up
    void Type(const std::string& Text);
    void CloseBox(TCustomForm* Form);
    size_t Pending() const { return FQueue.size(); }
    // Lets Milliseconds of virtual time pass, once the queued input has been
    // taken: the message loop moves the clock on as it waits, stopping at
    // each timer that falls due. Waiting() is true until the time is over.
    // This only arms the wait; Application->AdvanceTime(ms) arms it and runs
    // the loop until it is over, which is what programs and tests call.
    void Wait(uint32_t Milliseconds);
    bool Waiting() const override { return FWaitUntil > FNow; }
    bool StartWait(uint32_t Milliseconds) override {
        Wait(Milliseconds);
        return true;
    }

    // Asked for more input when a loop waits on an empty queue: it may inject
    // events (or act on the forms) and return true, or return false when no
    // input will ever come again.
    std::function<bool()> OnIdleInput;
    // Makes cursor reads fail, as the platform call can.
    void SetCursorReadable(bool Readable) { FCursorReadable = Readable; }

    // --- Looking at the desktop ---
    // The screen as a user would see it: the desktop's colour, each shown
    // form bottom first in a plain frame (a title bar with the caption, bold,
    // and a close box when the form has a system menu) around the picture of
    // its client area, and the texts drawn on the screen on top. Forms
    // waiting for a repaint are painted first.
    TBitmapData Screenshot();
    // The same, written as PNG; EWriteError naming the file on failure.
    void SaveScreenshot(const std::string& FileName);
    // One form's window (frame included) as the screen shows it, cut from
    // the screenshot; the part off the screen is left out.
    TBitmapData WindowShot(const TCustomForm* Form);

private:
    TSize FScreen;
    TPoint FCursor{0, 0};
    bool FCursorReadable = true;
    std::vector<TCustomForm*> FWindows;  // bottom first
    std::deque<TInputEvent> FQueue;
    uint64_t FNow = 0;
    uint64_t FWaitUntil = 0;
    bool FQuit = false;  // a quit signal came; told to the framework once
};

}  // namespace vcl
