// The narrow interface between the framework and a windowing backend.
//
// A backend translates native events into framework input and nothing more:
// it never touches controls. It knows the screen, the top-level windows (one
// per shown form) with their places and stacking, and the pointer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/SysUtils.h"
#include "framework/System.h"
#include "framework/Types.h"

namespace vcl {

class TCustomForm;

struct TInputEvent {
    enum TKind {
        MouseMove,    // Pos: screen coordinates
        MouseDown,    // Pos, Button
        MouseUp,      // Pos, Button
        KeyDown,      // Key: virtual-key code
        KeyUp,        // Key
        Char,         // Ch: one byte of text
        CloseWindow,  // Window: its close box was pressed
        WindowMoved,  // Window: the window system moved or resized it; Pos is
                      // its outer top-left, Size its client area
        Quit,         // the session ends (window system gone, signal)
    };
    TKind Kind = MouseMove;
    TPoint Pos;
    int Button = 0;  // 0 left, 1 right, 2 middle
    uint32_t Key = 0;
    char Ch = 0;
    uint32_t Shift = 0;  // bit 0 shift, bit 1 alt, bit 2 ctrl
    TSize Size;
    // The window concerned, held weakly: a form freed before the event is
    // handled is not mistaken for another at the same address.
    TWeakRef<TCustomForm> Window;
};

class IPlatform {
public:
    virtual ~IPlatform() = default;
    virtual const char* Name() const = 0;

    virtual TSize ScreenSize() const = 0;

    // Top-level windows. The framework tells the backend when a form is
    // shown, hidden, moved, resized, retitled or destroyed.
    virtual void ShowWindow(TCustomForm* Form) = 0;
    virtual void HideWindow(TCustomForm* Form) = 0;
    virtual void WindowChanged(TCustomForm* Form) = 0;
    virtual void DestroyWindow(TCustomForm* Form) = 0;
    virtual void BringToFront(TCustomForm* Form) = 0;
    // Where the form's client area starts on the screen.
    virtual TPoint ClientOrigin(const TCustomForm* Form) const = 0;
    // The topmost shown form whose window (frame included) contains Pos.
    virtual TCustomForm* WindowFromPoint(TPoint Pos) const = 0;
    // Shown forms, bottom first.
    virtual std::vector<TCustomForm*> WindowsInZOrder() const = 0;

    // The pointer, in screen coordinates. GetCursorPos fails (false) when
    // the position cannot be read.
    virtual bool GetCursorPos(TPoint& Pos) const = 0;
    virtual bool SetCursorPos(TPoint Pos) = 0;

    // Input: PollEvent takes the next event if one is waiting; WaitEvent
    // blocks until one comes, for at most TimeoutMs milliseconds when that
    // is not negative, and tells which happened (Closed: none ever will).
    enum class TWait { Event, Timeout, Closed };
    virtual bool PollEvent(TInputEvent& Event) = 0;
    virtual TWait WaitEvent(TInputEvent& Event, int64_t TimeoutMs) = 0;
    // Milliseconds on the backend's clock, which timers follow.
    virtual uint64_t TickCount() const = 0;
    // A virtual clock moves only while the loop waits: StartWait arms a wait
    // of Milliseconds that WaitEvent then moves through, and Waiting stays
    // true until it is over. A real clock moves by itself: false.
    virtual bool StartWait(uint32_t /*Milliseconds*/) { return false; }
    virtual bool Waiting() const { return false; }

    // Shows what the forms look like now (the drawing backends paint here).
    virtual void Present() {}
};

namespace detail {
extern IPlatform* gPlatform;  // mirrors the installed backend, for fast reads
}
// The backend in use; null before the application is initialised.
inline IPlatform* Platform() { return detail::gPlatform; }
// Installs a backend (the application owns it). Returns the previous one.
std::unique_ptr<IPlatform> SetPlatform(std::unique_ptr<IPlatform> P);
// Creates a backend by name ("headless" or "sdl"); null if unknown, not built
// in, or unable to start (the windowed one with no display to reach).
std::unique_ptr<IPlatform> CreatePlatform(const std::string& Name);

// No backend could be chosen: the message names the backend or the display
// and says how to run on the headless desktop instead.
VCL_DECLARE_EXCEPTION(EPlatformError, Exception)
// The backend a program runs on, the one rule for every program: Name (as
// --backend gives it) when not empty, else QV_BACKEND, else the windowed one
// when DISPLAY or WAYLAND_DISPLAY is set, else the headless one. A display
// that is set but cannot be opened is an error, never a reason to run
// headless: a user who expects a window gets no tour writing files instead.
std::unique_ptr<IPlatform> ChoosePlatform(const std::string& Name = {});

// SIGTERM and SIGINT end the session: from the first one on, the backends
// report a Quit (once), so the application closes its forms and leaves its
// loops as when the session ends any other way. A second signal while the
// first is still being handled ends the process at once. Signals ignored at
// start (nohup) stay ignored.
void CatchQuitSignals();
// The signal that asked the session to end; 0 while none has.
int QuitSignal();
// What a backend's PollEvent reports first once a quit signal came: the
// Quit event, filled in Event (true) once, with Told set so it is not
// told again.
bool TakeQuitSignal(bool& Told, TInputEvent& Event);

}  // namespace vcl
