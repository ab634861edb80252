#include "framework/platform/sdl/SdlPlatform.h"

#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/ImageCodec.h"
#include "framework/Log.h"
#include "framework/Messages.h"
#include "framework/Windows.h"

struct _XDisplay;  // Xlib's Display, passed through untouched

namespace vcl {

struct TSdlPlatform::TWindow {
    TCustomForm* Form = nullptr;
    SDL_Window* Window = nullptr;
    uint32_t Id = 0;
    bool Shown = false;
    std::string Title;
    TFormBorderStyle Style = bsSizeable;
    std::string IconData;  // what the window's icon was made from
    // What the window shows now, to skip copies that change nothing.
    bool Presented = false;
    uint64_t PresentedVersion = 0;
    int32_t PresentedWidth = 0, PresentedHeight = 0;
    std::vector<TScreenText> PresentedTexts;
    bool Dirty = true;
};

namespace {

bool SameTexts(const std::vector<TScreenText>& A, const std::vector<TScreenText>& B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](const TScreenText& a, const TScreenText& b) {
        return a.Pos == b.Pos && a.Color == b.Color && a.Text == b.Text;
    });
}

// What a window shows, Width by Height: the form's client surface (its colour
// where the surface does not reach yet), and on top the texts drawn on the
// screen over it, at Origin, in the screen device context's defaults (as the
// headless desktop draws them).
TBitmapData Compose(const TCustomForm* Form, int32_t Width, int32_t Height, TPoint Origin,
                    const std::vector<TScreenText>& Texts) {
    TBitmapData out;
    out.Resize(Width, Height, ColorToPixel(Form->Color()));
    const TBitmapData& s = Form->Surface();
    const int32_t w = std::min(Width, s.Width), h = std::min(Height, s.Height);
    for (int32_t y = 0; y < h; ++y)
        std::copy_n(s.Pixels.begin() + static_cast<ptrdiff_t>(y) * s.Width, w,
                    out.Pixels.begin() + static_cast<ptrdiff_t>(y) * Width);
    if (Texts.empty()) return out;
    TCanvas canvas(out);
    DrawScreenTexts(canvas, Origin, Texts);
    return out;
}

// The X display in use, for the report when its connection is lost.
char gDisplayName[256];

// Xlib's I/O error handler: the connection is gone and Xlib will not let the
// program carry on. Its default handler calls exit(), and the static
// destructors that exit() runs close windows through SDL, which then waits
// forever on the dead connection; so this one reports and ends the process
// without them.
int OnLostDisplay(_XDisplay*) {
    std::fflush(stdout);  // what the program has written stays whole
    std::fprintf(stderr, "%s: lost the connection to display %s\n", program_invocation_short_name, gDisplayName);
    ::_exit(1);
}

// SDL's X11 video driver uses the process's libX11; its handler is global.
void CatchLostDisplay(const char* Display) {
    std::snprintf(gDisplayName, sizeof gDisplayName, "%s", Display ? Display : "");
    using THandler = int (*)(_XDisplay*);
    void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    auto set = reinterpret_cast<THandler (*)(THandler)>(dlsym(x11 ? x11 : RTLD_DEFAULT, "XSetIOErrorHandler"));
    if (set) set(&OnLostDisplay);
    else LogLine("sdl: libX11 not found: a lost display connection ends the program without a report");
    if (x11) dlclose(x11);
}

}  // namespace

uint32_t SdlKeyToVirtualKey(int32_t Key) {
    if (Key >= SDLK_a && Key <= SDLK_z) return static_cast<uint32_t>('A' + (Key - SDLK_a));
    if (Key >= SDLK_0 && Key <= SDLK_9) return static_cast<uint32_t>('0' + (Key - SDLK_0));
    if (Key >= SDLK_F1 && Key <= SDLK_F12) return static_cast<uint32_t>(0x70 + (Key - SDLK_F1));
    switch (Key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_TAB: return VK_TAB;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_HOME: return VK_HOME;
        case SDLK_END: return VK_END;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_UP: return VK_UP;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return VK_CONTROL;
        default: return 0;
    }
}

int SdlButtonToButton(uint8_t Button) {
    switch (Button) {
        case SDL_BUTTON_LEFT: return 0;
        case SDL_BUTTON_RIGHT: return 1;
        case SDL_BUTTON_MIDDLE: return 2;
        default: return -1;
    }
}

uint32_t SdlModToShift(uint16_t Mod) {
    uint32_t s = 0;
    if (Mod & KMOD_SHIFT) s |= 1;
    if (Mod & KMOD_ALT) s |= 2;
    if (Mod & KMOD_CTRL) s |= 4;
    return s;
}

// ---------------------------------------------------------------------------

std::unique_ptr<TSdlPlatform> TSdlPlatform::Create() {
    // Closing the last window is the form's business: its close rules may refuse.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A click that activates a window counts, as on the classic desktop.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Pixels go straight into the windows: no OpenGL is needed.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // SIGTERM and SIGINT are the framework's (CatchQuitSignals), for every backend.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");

    // Only the window systems a display variable names: SDL would otherwise
    // go on to drivers that take over the console.
    std::vector<const char*> drivers;
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (chosen && *chosen) {
        drivers.push_back(nullptr);  // the user's choice stands
    } else {
        const char* display = std::getenv("DISPLAY");
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        if (display && *display) drivers.push_back("x11");
        if (wayland && *wayland) drivers.push_back("wayland");
    }
    if (drivers.empty()) {
        LogLine("sdl: no display (DISPLAY and WAYLAND_DISPLAY are unset)");
        return nullptr;
    }
    std::string errors;
    for (const char* d : drivers) {
        if (d) SDL_SetHint(SDL_HINT_VIDEODRIVER, d);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            const char* current = SDL_GetCurrentVideoDriver();
            if (current && std::strcmp(current, "x11") == 0) CatchLostDisplay(std::getenv("DISPLAY"));
            return std::unique_ptr<TSdlPlatform>(new TSdlPlatform());
        }
        errors += std::string(errors.empty() ? "" : "; ") + (d ? d : chosen) + ": " + SDL_GetError();
    }
    LogLine("sdl: cannot start video (" + errors + ")");
    SDL_Quit();
    return nullptr;
}

TSdlPlatform::~TSdlPlatform() {
    for (auto& [form, w] : FWindows)
        if (w->Window) SDL_DestroyWindow(w->Window);
    FWindows.clear();
    FPending.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

TSize TSdlPlatform::ScreenSize() const {
    SDL_Rect r;
    if (SDL_GetDisplayBounds(0, &r) != 0) return TSize{1024, 768};
    return TSize{r.w, r.h};
}

TSdlPlatform::TWindow* TSdlPlatform::Find(const TCustomForm* Form) const {
    auto it = FWindows.find(Form);
    return it == FWindows.end() ? nullptr : it->second.get();
}

TSdlPlatform::TWindow* TSdlPlatform::FindById(uint32_t WindowId) const {
    for (auto& [form, w] : FWindows)
        if (w->Window && w->Id == WindowId) return w.get();
    return nullptr;
}

void TSdlPlatform::ApplyStyle(TWindow& W) {
    const TCustomForm* f = W.Form;
    if (f->Caption() != W.Title) {
        W.Title = f->Caption();
        SDL_SetWindowTitle(W.Window, W.Title.c_str());
    }
    if (f->BorderStyle() != W.Style) {
        W.Style = f->BorderStyle();
        SDL_SetWindowBordered(W.Window, W.Style == bsNone ? SDL_FALSE : SDL_TRUE);
        SDL_SetWindowResizable(W.Window, Sizeable(W.Style) ? SDL_TRUE : SDL_FALSE);
    }
    const std::string& icon = f->Icon()->Data();
    if (icon != W.IconData) {
        W.IconData = icon;
        images::TImage image;
        if (images::DecodeIcon(icon, 32, image)) {
            SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(image.Pixels.data(), image.Width, image.Height, 32,
                                                                image.Width * 4, SDL_PIXELFORMAT_ARGB8888);
            if (s) {
                SDL_SetWindowIcon(W.Window, s);
                SDL_FreeSurface(s);
            }
        }
    }
}

void TSdlPlatform::ShowWindow(TCustomForm* Form) {
    auto& slot = FWindows[Form];
    if (!slot) {
        slot = std::make_unique<TWindow>();
        slot->Form = Form;
    }
    TWindow& w = *slot;
    TRect client = Form->GetClientRect();
    const int cw = std::max(1, client.Width()), ch = std::max(1, client.Height());
    if (!w.Window) {
        Uint32 flags = SDL_WINDOW_HIDDEN;
        w.Style = Form->BorderStyle();
        if (w.Style == bsNone) flags |= SDL_WINDOW_BORDERLESS;
        if (Sizeable(w.Style)) flags |= SDL_WINDOW_RESIZABLE;
        if (w.Style == bsToolWindow || w.Style == bsSizeToolWin) flags |= SDL_WINDOW_UTILITY;
        w.Title = Form->Caption();
        // The window system takes the position as the frame's corner.
        w.Window = SDL_CreateWindow(w.Title.c_str(), Form->Left(), Form->Top(), cw, ch, flags);
        if (!w.Window) {
            LogLine("sdl: cannot make a window for form '" + std::string(Form->Name()) + "': " + SDL_GetError());
            FWindows.erase(Form);
            return;
        }
        w.Id = SDL_GetWindowID(w.Window);
    } else {
        // Moves and resizes made while hidden were not passed on.
        int x, y, ww, wh;
        SDL_GetWindowPosition(w.Window, &x, &y);
        SDL_GetWindowSize(w.Window, &ww, &wh);
        if (ww != cw || wh != ch) SDL_SetWindowSize(w.Window, cw, ch);
        TRect outer = OuterRect(w);
        if (outer.Left != Form->Left() || outer.Top != Form->Top())
            SDL_SetWindowPosition(w.Window, x + Form->Left() - outer.Left, y + Form->Top() - outer.Top);
    }
    ApplyStyle(w);
    // A modal form stays above the window it was shown from.
    if (Form->IsModal() && !FZOrder.empty())
        if (TWindow* owner = Find(FZOrder.back()); owner && owner != &w && owner->Window)
            SDL_SetWindowModalFor(w.Window, owner->Window);
    SDL_ShowWindow(w.Window);
    w.Shown = true;
    w.Dirty = true;
    if (std::find(FZOrder.begin(), FZOrder.end(), Form) == FZOrder.end()) FZOrder.push_back(Form);
    // Where the window system put it reaches the form as an event.
    FPending.push_back(WindowMovedEvent(w));
}

void TSdlPlatform::HideWindow(TCustomForm* Form) {
    std::erase(FZOrder, Form);
    TWindow* w = Find(Form);
    if (!w || !w->Shown) return;
    SDL_HideWindow(w->Window);
    w->Shown = false;
    w->Presented = false;
}

void TSdlPlatform::DestroyWindow(TCustomForm* Form) {
    std::erase(FZOrder, Form);
    TWindow* w = Find(Form);
    if (!w) return;
    if (w->Window) SDL_DestroyWindow(w->Window);
    FWindows.erase(Form);
}

void TSdlPlatform::WindowChanged(TCustomForm* Form) {
    TWindow* w = Find(Form);
    if (!w || !w->Window) return;
    ApplyStyle(*w);
    TRect client = Form->GetClientRect();
    const int cw = std::max(1, client.Width()), ch = std::max(1, client.Height());
    int ww, wh;
    SDL_GetWindowSize(w->Window, &ww, &wh);
    if (ww != cw || wh != ch) SDL_SetWindowSize(w->Window, cw, ch);
    TRect outer = OuterRect(*w);
    if (outer.Left != Form->Left() || outer.Top != Form->Top()) {
        int x, y;
        SDL_GetWindowPosition(w->Window, &x, &y);
        SDL_SetWindowPosition(w->Window, x + Form->Left() - outer.Left, y + Form->Top() - outer.Top);
    }
    // The form asked for its client origin before the window moved.
    Form->WindowMoved();
}

void TSdlPlatform::BringToFront(TCustomForm* Form) {
    auto it = std::find(FZOrder.begin(), FZOrder.end(), Form);
    if (it == FZOrder.end()) return;
    FZOrder.erase(it);
    FZOrder.push_back(Form);
    if (TWindow* w = Find(Form); w && w->Window) SDL_RaiseWindow(w->Window);
}

TPoint TSdlPlatform::ClientOrigin(const TCustomForm* Form) const {
    if (TWindow* w = Find(Form); w && w->Window) {
        int x, y;
        SDL_GetWindowPosition(w->Window, &x, &y);
        return TPoint{x, y};
    }
    return FramedClientOrigin(Form);
}

TRect TSdlPlatform::OuterRect(const TWindow& W) const {
    int x, y, cw, ch, top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowPosition(W.Window, &x, &y);
    SDL_GetWindowSize(W.Window, &cw, &ch);
    // Unknown (no window manager, or not yet told): no frame.
    if (SDL_GetWindowBordersSize(W.Window, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
    return TRect{x - left, y - top, x + cw + right, y + ch + bottom};
}

TCustomForm* TSdlPlatform::WindowFromPoint(TPoint Pos) const {
    for (auto it = FZOrder.rbegin(); it != FZOrder.rend(); ++it)
        if (TWindow* w = Find(*it); w && w->Window && OuterRect(*w).Contains(Pos)) return *it;
    return nullptr;
}

TInputEvent TSdlPlatform::WindowMovedEvent(TWindow& W) const {
    // The form learns of the window system's change from the framework,
    // which applies this event: the backend only reports it.
    TInputEvent e;
    e.Kind = TInputEvent::WindowMoved;
    e.Window = W.Form;
    const TRect outer = OuterRect(W);
    e.Pos = TPoint{outer.Left, outer.Top};
    int cw, ch;
    SDL_GetWindowSize(W.Window, &cw, &ch);
    e.Size = TSize{cw, ch};
    return e;
}

// ---------------------------------------------------------------------------
// The pointer

bool TSdlPlatform::GetCursorPos(TPoint& Pos) const {
    // Over any window, ours or not, and over the desktop.
    SDL_GetGlobalMouseState(&Pos.x, &Pos.y);
    return true;
}

bool TSdlPlatform::SetCursorPos(TPoint Pos) {
    if (SDL_WarpMouseGlobal(Pos.x, Pos.y) != 0) return false;
    // As on the platform, moving the pointer makes a mouse move.
    TInputEvent e;
    e.Kind = TInputEvent::MouseMove;
    e.Pos = Pos;
    e.Shift = SdlModToShift(static_cast<uint16_t>(SDL_GetModState()));
    FPending.push_back(e);
    FLastPointer = Pos;
    return true;
}

bool TSdlPlatform::PointerMovedElsewhere(TInputEvent& Event) {
    TPoint now;
    if (!GetCursorPos(now) || now == FLastPointer) return false;
    FLastPointer = now;
    Event = TInputEvent{};
    Event.Kind = TInputEvent::MouseMove;
    Event.Pos = now;
    Event.Shift = SdlModToShift(static_cast<uint16_t>(SDL_GetModState()));
    return true;
}

// ---------------------------------------------------------------------------
// Events

bool TSdlPlatform::Translate(const void* Raw, TInputEvent& Event) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(Raw);
    Event = TInputEvent{};
    auto screenPos = [&](uint32_t windowId, int x, int y) {
        if (TWindow* w = FindById(windowId)) {
            int wx, wy;
            SDL_GetWindowPosition(w->Window, &wx, &wy);
            return TPoint{wx + x, wy + y};
        }
        TPoint p;
        GetCursorPos(p);
        return p;
    };
    switch (e.type) {
        case SDL_QUIT:
            if (FQuit) return false;
            FQuit = true;
            Event.Kind = TInputEvent::Quit;
            return true;
        case SDL_WINDOWEVENT: {
            TWindow* w = FindById(e.window.windowID);
            if (!w) return false;
            switch (e.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    Event.Kind = TInputEvent::CloseWindow;
                    Event.Window = w->Form;
                    return true;
                case SDL_WINDOWEVENT_MOVED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    if (!w->Shown) return false;
                    if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) w->Dirty = true;
                    Event = WindowMovedEvent(*w);
                    return true;
                case SDL_WINDOWEVENT_EXPOSED:
                    // The window surface still holds the last picture.
                    if (w->Shown && w->Presented) SDL_UpdateWindowSurface(w->Window);
                    else w->Dirty = true;
                    return false;
                case SDL_WINDOWEVENT_LEAVE:
                    // The framework learns at once that the pointer is off
                    // the window, whatever lies under it now.
                    Event.Kind = TInputEvent::MouseMove;
                    GetCursorPos(Event.Pos);
                    FLastPointer = Event.Pos;
                    return true;
                default:
                    return false;
            }
        }
        case SDL_MOUSEMOTION:
            Event.Kind = TInputEvent::MouseMove;
            Event.Pos = screenPos(e.motion.windowID, e.motion.x, e.motion.y);
            Event.Shift = SdlModToShift(static_cast<uint16_t>(SDL_GetModState()));
            FLastPointer = Event.Pos;
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int b = SdlButtonToButton(e.button.button);
            if (b < 0) return false;
            Event.Kind = e.type == SDL_MOUSEBUTTONDOWN ? TInputEvent::MouseDown : TInputEvent::MouseUp;
            Event.Button = b;
            Event.Pos = screenPos(e.button.windowID, e.button.x, e.button.y);
            Event.Shift = SdlModToShift(static_cast<uint16_t>(SDL_GetModState()));
            FLastPointer = Event.Pos;
            return true;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            uint32_t vk = SdlKeyToVirtualKey(e.key.keysym.sym);
            if (!vk) return false;
            Event.Kind = e.type == SDL_KEYDOWN ? TInputEvent::KeyDown : TInputEvent::KeyUp;
            Event.Key = vk;
            Event.Shift = SdlModToShift(e.key.keysym.mod);
            return true;
        }
        case SDL_TEXTINPUT: {
            const char* text = e.text.text;
            if (!*text) return false;
            Event.Kind = TInputEvent::Char;
            Event.Ch = text[0];
            for (const char* p = text + 1; *p; ++p) {
                TInputEvent more;
                more.Kind = TInputEvent::Char;
                more.Ch = *p;
                FPending.push_back(more);
            }
            return true;
        }
        default:
            return false;
    }
}

bool TSdlPlatform::PollEvent(TInputEvent& Event) {
    if (TakeQuitSignal(FQuit, Event)) return true;
    if (!FPending.empty()) {
        Event = FPending.front();
        FPending.pop_front();
        return true;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e))
        if (Translate(&e, Event)) return true;
    return PointerMovedElsewhere(Event);
}

IPlatform::TWait TSdlPlatform::WaitEvent(TInputEvent& Event, int64_t TimeoutMs) {
    const uint64_t deadline = TimeoutMs >= 0 ? SDL_GetTicks64() + static_cast<uint64_t>(TimeoutMs) : 0;
    for (;;) {
        if (PollEvent(Event)) return TWait::Event;
        if (FQuit) return TWait::Closed;  // nothing more will come
        // Bounded waits: a pointer moving over other programs' windows
        // sends us nothing, so it is looked at between waits.
        int slice = 50;
        if (TimeoutMs >= 0) {
            const uint64_t now = SDL_GetTicks64();
            if (now >= deadline) return TWait::Timeout;
            slice = static_cast<int>(std::min<uint64_t>(50, deadline - now));
        }
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, slice) && Translate(&e, Event)) return TWait::Event;
    }
}

uint64_t TSdlPlatform::TickCount() const { return SDL_GetTicks64(); }

// ---------------------------------------------------------------------------
// Drawing

void TSdlPlatform::PresentWindow(TWindow& W) {
    int cw, ch;
    SDL_GetWindowSize(W.Window, &cw, &ch);
    // Texts drawn on the screen land on the window that lies under them.
    std::vector<TScreenText> texts;
    for (const TScreenText& t : ScreenTexts())
        if (WindowFromPoint(t.Pos) == W.Form) texts.push_back(t);
    const uint64_t version = W.Form->SurfaceVersion();
    if (!W.Dirty && W.Presented && W.PresentedVersion == version && W.PresentedWidth == cw &&
        W.PresentedHeight == ch && SameTexts(texts, W.PresentedTexts))
        return;
    TBitmapData picture = Compose(W.Form, cw, ch, ClientOrigin(W.Form), texts);
    SDL_Surface* target = SDL_GetWindowSurface(W.Window);
    if (!target) return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(picture.Pixels.data(), cw, ch, 32, cw * 4,
                                                             SDL_PIXELFORMAT_RGB888);
    if (!source) return;
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(W.Window);
    W.Presented = true;
    W.PresentedVersion = version;
    W.PresentedWidth = cw;
    W.PresentedHeight = ch;
    W.PresentedTexts = std::move(texts);
    W.Dirty = false;
}

void TSdlPlatform::Present() {
    for (TCustomForm* f : FZOrder)
        if (TWindow* w = Find(f); w && w->Window && w->Shown) PresentWindow(*w);
}

}  // namespace vcl
