// formrun: loads a form file whose components are of registered classes,
// shows it, and runs an input script on it.
//
//   formrun FORM [--script FILE] [--backend headless|sdl] [--ignore-handlers] [--lenient]
//               [--shot FILE.png] [--trace]
//
// The root object is a plain TForm whatever class the file names. Without a
// script on the headless desktop it shows the form, writes its dump and exits.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/MessageTrace.h"
#include "framework/Version.h"
#include "framework/Streaming.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#include "framework/platform/headless/InputScript.h"
#include "runtime/QVTrackMouse.h"

using namespace vcl;

namespace {

const char* const kUsage =
    "usage: formrun FORM [--script FILE] [--backend headless|sdl] [--ignore-handlers] [--lenient]\n"
    "               [--shot FILE.png] [--trace]\n"
    "  FORM               a text or binary form file\n"
    "  --script FILE      drive the headless desktop with an input script\n"
    "  --backend NAME     headless (default with a script) or sdl\n"
    "  --ignore-handlers  leave the form's handlers unassigned (the plain TForm that\n"
    "                     stands for the form's own class has none to bind them to)\n"
    "  --lenient          skip what cannot be read with a warning, and keep objects of\n"
    "                     unknown classes as they are stored (\"Ignore All\")\n"
    "  --shot FILE.png    write a picture of the form as it appears (after the script,\n"
    "                     if any) instead of its dump\n"
    "  --help             print this and exit\n"
    "  --version          print the version and exit\n"
    "  --trace            print every message the form receives, and what trackers\n"
    "                     made of it, one line each\n";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "formrun: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

// A load error, with the way on where an option gets past it: the plain
// root publishes no handlers, and classes the program lacks can stand in.
std::string WithWayOn(const std::string& Message, bool Lenient) {
    if (Lenient) return Message;
    if (Message.find(": Method ") != std::string::npos && Message.find(" not found in class ") != std::string::npos)
        return Message + " (formrun's plain form binds no handlers: --ignore-handlers leaves them unassigned;"
                         " --lenient also skips whatever else cannot be read)";
    if (Message.find(": Class ") != std::string::npos && Message.ends_with(" not found"))
        return Message + " (--lenient keeps it as a stand-in)";
    return Message;
}

// The class the file names for its root. Errors give offsets in the file,
// past any resource header.
std::string StreamedClassName(const std::string& data, const std::string& path) {
    if (!formfile::IsBinaryForm(data)) {
        const std::string binary = formfile::TextToBinary(data, path);
        formfile::BinaryReader r(binary, path);
        r.ReadSignature();
        return r.ReadObjectHeader().ClassName;
    }
    const std::string_view stream = formfile::StripResourceHeader(data, path);
    formfile::BinaryReader r(stream, path, static_cast<size_t>(stream.data() - data.data()));
    r.ReadSignature();
    return r.ReadObjectHeader().ClassName;
}

}  // namespace

int main(int argc, char** argv) {
    std::string formPath, scriptPath, backend, shotPath;
    bool ignoreHandlers = false, trace = false, lenient = false, shotWritten = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("formrun %s\n", QV_VERSION);
            return 0;
        }
        if (a == "--script" || a == "--backend" || a == "--shot") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage("option '" + a + "' needs a value");
            (a == "--script" ? scriptPath : a == "--backend" ? backend : shotPath) = argv[++i];
        } else if (a == "--lenient") {
            lenient = true;
        } else if (a == "--ignore-handlers") {
            ignoreHandlers = true;
        } else if (a == "--trace") {
            trace = true;
        } else if (!a.empty() && a[0] == '-') {
            return Usage("unknown option '" + a + "'");
        } else if (formPath.empty()) {
            formPath = a;
        } else {
            return Usage("unexpected argument '" + a + "' (one form file only)");
        }
    }
    if (formPath.empty()) return Usage("no form file given");
    if (!backend.empty() && backend != "headless" && backend != "sdl")
        return Usage("unknown backend '" + backend + "' (use headless or sdl)");
    if (!scriptPath.empty() && backend == "sdl") return Usage("a script drives the headless backend, not sdl");
    if (!shotPath.empty() && backend == "sdl") return Usage("--shot draws on the headless backend, not sdl");

    std::string data, scriptText;
    if (!ReadFileBytes(formPath, data)) {
        std::fprintf(stderr, "formrun: cannot read '%s': %s\n", formPath.c_str(), std::strerror(errno));
        return 1;
    }
    if (!scriptPath.empty() && !ReadFileBytes(scriptPath, scriptText)) {
        std::fprintf(stderr, "formrun: cannot read '%s': %s\n", scriptPath.c_str(), std::strerror(errno));
        return 1;
    }

    try {
        std::unique_ptr<TInputScript> script;
        if (!scriptPath.empty()) script = std::make_unique<TInputScript>(scriptText, scriptPath);

        RegisterFormClasses();
        RegisterQVTrackMouse();

        if (backend.empty() && (script || !shotPath.empty())) backend = "headless";
        if (!shotPath.empty()) {
            // Room for large forms: the picture is the form's own window.
            SetPlatform(std::make_unique<THeadlessPlatform>(TSize{2560, 1600}));
        }
        Application->Initialize(backend);
        if (trace) SetMessageTrace([](const std::string& Line) { std::printf("%s\n", Line.c_str()); });

        std::string className = StreamedClassName(data, formPath);
        TForm* form = nullptr;
        Application->CreateForm(form);
        TReadOptions options;
        options.IgnoreMissingHandlers = ignoreHandlers;
        options.Lenient = lenient;
        options.OnWarning = [](const std::string& Line) { std::fprintf(stderr, "%s\n", Line.c_str()); };
        ReadComponentFromForm(data, formPath, form, options);

        auto* desktop = dynamic_cast<THeadlessPlatform*>(Platform());
        auto rootName = [&](TCustomForm* f) { return f == form ? className : f->ClassName(); };
        if (desktop) {
            if (script) {
                script->RootClassName = rootName;
                desktop->OnIdleInput = [&] { return script->Step(*desktop); };
            }
            if (!shotPath.empty()) {
                // The form as it appears once shown (and driven), cut from the
                // desktop along its window's frame.
                auto next = std::move(desktop->OnIdleInput);
                desktop->OnIdleInput = [&, next] {
                    if (next && next()) return true;
                    SavePng(desktop->WindowShot(form), shotPath);
                    shotWritten = true;
                    return false;
                };
            } else if (!script) {
                // Show the form, write its dump, and end.
                desktop->OnIdleInput = [&] {
                    std::string text = WriteComponentToText(form, rootName(form));
                    std::fwrite(text.data(), 1, text.size(), stdout);
                    return false;
                };
            }
        }
        Application->Run();
        if (desktop) desktop->OnIdleInput = nullptr;
        if (desktop && script) script->Finish(*desktop);
        if (!shotPath.empty() && !shotWritten) {
            std::fprintf(stderr, "formrun: %s: the form closed before --shot could draw it\n", formPath.c_str());
            return 1;
        }
    } catch (const EPlatformError& e) {
        std::fprintf(stderr, "formrun: %s\n", e.Message().c_str());
        return 1;
    } catch (const EScriptError& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return 1;
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", WithWayOn(e.Message(), lenient).c_str());
        return 1;
    }
    return 0;
}
