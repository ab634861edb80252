// HoverBench: the mouse tracker at work on every kind of control.
//
//   HoverBench [--backend headless|sdl] [--log]
//   HoverBench --tour [--shots DIR]
//   HoverBench --script FILE
//
// With a display it opens its windows; without one (or with --tour) it runs
// a headless tour that prints its event log and writes a screenshot after
// each step. A script drives the headless desktop as formrun's do.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "demo/HoverBenchMain.h"
#include "demo/HoverLog.h"
#include "demo/Tour.h"
#include "framework/Forms.h"
#include "framework/MessageTrace.h"
#include "framework/Version.h"
#include "framework/Log.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#include "framework/platform/headless/InputScript.h"

using namespace vcl;
namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage: HoverBench [--backend headless|sdl] [--log] [--trace]\n"
    "       HoverBench --tour [--shots DIR]\n"
    "       HoverBench --script FILE\n"
    "       HoverBench --help | --version\n"
    "  (no options)      real windows when a display is reachable, else the tour\n"
    "  --backend NAME    headless (runs the tour) or sdl (real windows)\n"
    "  --log             with real windows, print the event log as well\n"
    "  --tour            the headless tour: log and a screenshot after each step\n"
    "  --shots DIR       where the tour writes its screenshots (hoverbench-tour)\n"
    "  --script FILE     drive the headless desktop with an input script\n"
    "  --trace           print every message the forms receive and the tracker\n"
    "                    events it causes, one line each\n"
    "The log has one line per event: enter FORM.CONTROL, leave FORM.CONTROL,\n"
    "messagebox title=\"...\" text=\"...\" style=0x.., and exit N at the end.\n";

int Usage(const std::string& Problem) {
    std::fprintf(stderr, "HoverBench: %s\n%s", Problem.c_str(), kUsage);
    return 2;
}

struct TOptions {
    std::string Backend;
    std::string Script;
    std::string Shots;
    bool Tour = false;
    bool Log = false;
    bool Trace = false;
};

// Counts what the log said, for the tour's summary.
struct TLogCounts {
    int Events = 0;
    int Boxes = 0;
};

}  // namespace

int main(int argc, char** argv) {
    // The log is read through pipes as it happens: a line each time.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    TOptions opt;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--version") {
            std::puts("HoverBench " QV_VERSION);
            return 0;
        }
        if (a == "--backend" || a == "--script" || a == "--shots") {
            if (i + 1 >= argc) return Usage("option '" + a + "' needs a value");
            std::string v = argv[++i];
            if (v.empty()) return Usage("option '" + a + "' needs a value");
            (a == "--backend" ? opt.Backend : a == "--script" ? opt.Script : opt.Shots) = v;
        } else if (a == "--tour") {
            opt.Tour = true;
        } else if (a == "--log") {
            opt.Log = true;
        } else if (a == "--trace") {
            opt.Trace = true;
        } else {
            return Usage("unknown argument '" + a + "'");
        }
    }
    if (!opt.Backend.empty() && opt.Backend != "headless" && opt.Backend != "sdl")
        return Usage("unknown backend '" + opt.Backend + "' (use headless or sdl)");
    if (opt.Tour && !opt.Script.empty()) return Usage("--tour and --script cannot be combined");
    if ((opt.Tour || !opt.Script.empty()) && opt.Backend == "sdl")
        return Usage(std::string(opt.Tour ? "the tour" : "a script") + " runs on the headless desktop, not sdl");
    if (!opt.Shots.empty() && !opt.Script.empty()) return Usage("--shots goes with the tour, not with --script");

    std::unique_ptr<TInputScript> script;
    try {
        if (!opt.Script.empty()) {
            std::string text;
            if (!ReadFileBytes(opt.Script, text)) {
                std::fprintf(stderr, "HoverBench: cannot read '%s': %s\n", opt.Script.c_str(), std::strerror(errno));
                return 1;
            }
            script = std::make_unique<TInputScript>(text, opt.Script);
        }
        std::string backend = opt.Backend;
        if (backend.empty() && (script || opt.Tour)) backend = "headless";
        Application->Initialize(backend);
    } catch (const EScriptError& e) {
        std::fprintf(stderr, "HoverBench: %s\n", e.Message().c_str());
        return 1;
    } catch (const Exception& e) {
        // No backend to run on, e.g. a display that cannot be opened.
        std::fprintf(stderr, "HoverBench: %s\n", e.Message().c_str());
        return 1;
    }

    if (opt.Trace) SetMessageTrace([](const std::string& Line) { std::printf("%s\n", Line.c_str()); });
    auto* desktop = dynamic_cast<THeadlessPlatform*>(Platform());
    // Headless without a script: nothing else would ever move the pointer.
    const bool tour = desktop && !script;
    std::string shotDir = opt.Shots.empty() ? "hoverbench-tour" : opt.Shots;
    hoverbench::TTour tourScript;
    if (tour) {
        std::error_code ec;
        fs::create_directories(shotDir, ec);
        if (ec) {
            std::fprintf(stderr, "HoverBench: cannot create '%s': %s\n", shotDir.c_str(), ec.message().c_str());
            return 1;
        }
        tourScript = hoverbench::MakeTour();
        script = std::make_unique<TInputScript>(tourScript.Script, "tour");
    }
    if (desktop && script) {
        // Screenshots show the pointer. One that cannot be written ends the
        // run with an error rather than in a message box.
        script->OnShot = [&, tour](const std::string& File) {
            const std::string path = tour ? (fs::path(shotDir) / File).string() : File;
            TBitmapData shot = desktop->Screenshot();
            TPoint pointer;
            if (desktop->GetCursorPos(pointer)) hoverbench::DrawPointer(shot, pointer);
            try {
                SavePng(shot, path);
            } catch (const Exception& e) {
                throw EScriptError(e.Message());
            }
        };
    }

    // The log: on standard output, in the order things happened.
    const bool logOn = desktop || opt.Log;
    hoverbench::EnableEventLog(logOn);
    TLogCounts counts;
    SetLogSink([&](std::string_view Line) {
        const bool box = Line.starts_with("messagebox ");
        if (box) ++counts.Boxes;
        if (Line.starts_with("enter ") || Line.starts_with("leave ")) ++counts.Events;
        if (logOn) {
            std::fwrite(Line.data(), 1, Line.size(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        } else if (!box) {
            std::fprintf(stderr, "%.*s\n", static_cast<int>(Line.size()), Line.data());
        }
    });
    if (desktop && script) desktop->OnIdleInput = [&] { return script->Step(*desktop); };

    int status = 0;
    try {
        status = HoverBenchMain();
        if (desktop && script) script->Finish(*desktop);
    } catch (const EScriptError& e) {
        std::fprintf(stderr, "HoverBench: %s\n", e.Message().c_str());
        status = 1;
    }
    if (desktop) desktop->OnIdleInput = nullptr;
    if (tour && status == 0)
        std::printf("tour: %d steps, %d enter/leave events, %d message boxes; screenshots in %s/\n", tourScript.Steps,
                    counts.Events, counts.Boxes, shotDir.c_str());
    if (logOn) std::printf("exit %d\n", status);
    std::fflush(stdout);
    SetLogSink(nullptr);
    return status;
}
