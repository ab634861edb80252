// The windowed backend on SDL2: every shown form is a real top-level window
// whose client area is the form's client area.
//
// Places: the window is asked for at the form's Left/Top, which the window
// system takes as the frame's corner (with no window manager there is no
// frame, and the client area lands there exactly). The form's client origin
// is always where the window system says the client area is; moves and
// resizes made by the window system are written back to the form.
//
// Input: SDL events become framework input, with mouse positions in screen
// coordinates. The pointer is read globally, so GetCursorPos also answers
// over the desktop and other programs' windows; when it moves there, a
// MouseMove is reported too (within about WaitEvent's polling interval).
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/Platform.h"

struct SDL_Window;

namespace vcl {

class TSdlPlatform : public IPlatform {
public:
    // Starts SDL's video subsystem; null (with the reason in the log) when it
    // cannot, e.g. when no display is reachable.
    static std::unique_ptr<TSdlPlatform> Create();
    ~TSdlPlatform() override;
    TSdlPlatform(const TSdlPlatform&) = delete;
    TSdlPlatform& operator=(const TSdlPlatform&) = delete;

    const char* Name() const override { return "sdl"; }
    TSize ScreenSize() const override;

    void ShowWindow(TCustomForm* Form) override;
    void HideWindow(TCustomForm* Form) override;
    void WindowChanged(TCustomForm* Form) override;
    void DestroyWindow(TCustomForm* Form) override;
    void BringToFront(TCustomForm* Form) override;
    TPoint ClientOrigin(const TCustomForm* Form) const override;
    TCustomForm* WindowFromPoint(TPoint Pos) const override;
    std::vector<TCustomForm*> WindowsInZOrder() const override { return FZOrder; }

    bool GetCursorPos(TPoint& Pos) const override;
    bool SetCursorPos(TPoint Pos) override;

    bool PollEvent(TInputEvent& Event) override;
    TWait WaitEvent(TInputEvent& Event, int64_t TimeoutMs) override;
    uint64_t TickCount() const override;

    // Copies each shown form's client surface into its window, with the texts
    // drawn on the screen over it, for the windows whose picture changed
    // since the last time.
    void Present() override;

private:
    struct TWindow;
    TSdlPlatform() = default;

    TWindow* Find(const TCustomForm* Form) const;
    TWindow* FindById(uint32_t WindowId) const;
    // The window's whole area on the screen, frame included.
    TRect OuterRect(const TWindow& W) const;
    void ApplyStyle(TWindow& W);
    TInputEvent WindowMovedEvent(TWindow& W) const;
    void PresentWindow(TWindow& W);
    // Translates one SDL event; false when it means nothing to the framework.
    bool Translate(const void* SdlEvent, TInputEvent& Event);
    bool PointerMovedElsewhere(TInputEvent& Event);

    std::map<const TCustomForm*, std::unique_ptr<TWindow>> FWindows;
    std::vector<TCustomForm*> FZOrder;  // shown forms, bottom first
    bool FQuit = false;  // the session has ended; told to the framework once
    TPoint FLastPointer{-1, -1};
    // Text input arrives as several bytes at once; the framework takes one
    // at a time. Warps queue their mouse move here too.
    std::deque<TInputEvent> FPending;
};

// Virtual-key code (VK_*) for an SDL key code; 0 for keys the framework does
// not name.
uint32_t SdlKeyToVirtualKey(int32_t SdlKey);
// Framework button number (0 left, 1 right, 2 middle) for an SDL button;
// -1 for others.
int SdlButtonToButton(uint8_t SdlButton);
// Shift bits of TInputEvent (1 shift, 2 alt, 4 ctrl) for SDL key modifiers.
uint32_t SdlModToShift(uint16_t SdlMod);

}  // namespace vcl
