// Arbitrary bytes read into live controls: as a binary form and, when they
// parse, as a text form, into a fresh form of the application with every
// control class registered. Reading may fail with a framework exception;
// anything else (a crash, a leak, a hang, a sanitizer report) is a fault.
// Whatever was read, partly or wholly, must write back and free cleanly, and
// what was written must read back.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Log.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#include "runtime/QVTrackMouse.h"

using namespace vcl;

namespace {

bool Setup() {
    RegisterFormClasses();
    RegisterStdControls();
    RegisterExtControls();
    RegisterButtons();
    RegisterCheckListBox();
    RegisterQVTrackMouse();
    SetLogSink([](std::string_view) {});  // unresolved references are expected, and slow to print
    SetPlatform(std::make_unique<THeadlessPlatform>());
    Application->Initialize();
    return true;
}

void ReadIntoForm(std::string_view data, bool asText) {
    TForm* form = nullptr;
    Application->CreateForm(form);
    try {
        if (asText) ReadComponentFromText(data, "fuzz.dfm", form, /*IgnoreMissingHandlers=*/true);
        else ReadComponentFromBinary(data, "fuzz.bin", form, /*IgnoreMissingHandlers=*/true);
    } catch (const Exception&) {
    }
    // Shown and painted as formrun shows it, whatever values it holds.
    try {
        form->Show();
        Application->ProcessMessages();
    } catch (const Exception&) {
    }
    std::string written;
    try {
        written = WriteComponentToBinary(form);
    } catch (const Exception&) {
    }
    form->Free();
    // What the writer stores, the reader takes back.
    if (!written.empty()) {
        TForm* again = nullptr;
        Application->CreateForm(again);
        try {
            ReadComponentFromBinary(written, "written.bin", again, /*IgnoreMissingHandlers=*/true);
        } catch (const Exception& e) {
            std::fprintf(stderr, "a written form does not read back: %s\n%s\n", e.what(),
                         formfile::BinaryToText(written, "written.bin").c_str());
            std::abort();
        }
        again->Free();
    }
    // What the form posted for later runs now, after it is gone.
    Application->ProcessMessages();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = Setup();
    (void)ready;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadIntoForm(bytes, /*asText=*/false);
    if (!formfile::IsBinaryForm(bytes)) ReadIntoForm(bytes, /*asText=*/true);
    return 0;
}
