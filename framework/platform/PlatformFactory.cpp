// The one place that names the backends, chooses one for a program, and
// turns the signals that end a session into the backends' Quit.
#include "framework/platform/Platform.h"

#include <signal.h>

#include <csignal>
#include <cstdlib>

#include "framework/Log.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#ifdef QV_HAVE_SDL
#include "framework/platform/sdl/SdlPlatform.h"
#endif

namespace vcl {

namespace {

std::string Env(const char* Name) {
    const char* v = std::getenv(Name);
    return v ? v : "";
}

volatile std::sig_atomic_t gQuitSignal = 0;

void OnQuitSignal(int Signal) {
    // Only async-signal-safe work here: the loops notice the flag.
    if (gQuitSignal) {
        std::signal(Signal, SIG_DFL);  // asked twice: the user means now
        std::raise(Signal);
        return;
    }
    gQuitSignal = Signal;
}

}  // namespace

void CatchQuitSignals() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // file writes under way are not cut short
    for (int signal : {SIGTERM, SIGINT}) {
        struct sigaction old {};
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
}

int QuitSignal() { return gQuitSignal; }

bool TakeQuitSignal(bool& Told, TInputEvent& Event) {
    if (Told || !gQuitSignal) return false;
    Told = true;
    Event = TInputEvent{};
    Event.Kind = TInputEvent::Quit;
    return true;
}

std::unique_ptr<IPlatform> CreatePlatform(const std::string& Name) {
    if (Name == "headless") return std::make_unique<THeadlessPlatform>();
#ifdef QV_HAVE_SDL
    // Null when no display can be reached, so that callers can fall back.
    if (Name == "sdl") return TSdlPlatform::Create();
#endif
    return nullptr;
}

std::unique_ptr<IPlatform> ChoosePlatform(const std::string& Name) {
    const std::string fromEnv = Env("QV_BACKEND"), display = Env("DISPLAY"), wayland = Env("WAYLAND_DISPLAY"),
                      driver = Env("SDL_VIDEODRIVER");
    std::string name = Name.empty() ? fromEnv : Name;
    const bool asked = !name.empty();
    if (!asked) name = display.empty() && wayland.empty() ? "headless" : "sdl";
    const std::string source = Name.empty() && asked ? " (QV_BACKEND)" : "";
    if (name != "headless" && name != "sdl")
        throw EPlatformError("unknown backend '" + name + "'" + source + ": use headless or sdl");
    if (name == "headless") return CreatePlatform(name);

    // The windowed backend. What stands in its way, and what to unset.
    std::string why, unset;
    if (!driver.empty()) {
        why = "SDL_VIDEODRIVER is '" + driver + "'", unset = "SDL_VIDEODRIVER";
    } else if (display.empty() && wayland.empty()) {
        why = "no display (DISPLAY and WAYLAND_DISPLAY are unset)";
    } else {
        why = "cannot open";
        if (!display.empty()) why += " display '" + display + "'", unset = "DISPLAY";
        if (!display.empty() && !wayland.empty()) why += " nor", unset += " and ";
        if (!wayland.empty()) why += " Wayland display '" + wayland + "'", unset += "WAYLAND_DISPLAY";
    }
#ifdef QV_HAVE_SDL
    std::string log;
    {
        // SDL's words reach the user inside the one error line, not before it.
        TLogCapture capture;
        if (std::unique_ptr<IPlatform> p = CreatePlatform(name)) return p;
        log = capture.Text();
    }
    if (!driver.empty() && log.starts_with("sdl: ")) why += ": " + log.substr(5, log.find_last_not_of('\n') - 4);
#else
    why += ": this build has no windowed backend (SDL2)";
#endif
    const std::string instead = (unset.empty() ? "" : "unset " + unset + " or ") +
                                "use --backend headless (or QV_BACKEND=headless) to run on the headless desktop";
    if (!asked) throw EPlatformError(why + "; " + instead);
    throw EPlatformError("the sdl backend" + source + " cannot start: " + why + "; " + instead);
}

}  // namespace vcl
