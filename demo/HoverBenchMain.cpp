#include "demo/HoverBenchMain.h"

#include "demo/TrackAbout.h"
#include "demo/TrackForm.h"
#include "framework/Forms.h"
#include "framework/platform/headless/InputScript.h"

using namespace vcl;

int HoverBenchMain() {
    try {
        Application->Initialize();
        Application->SetTitle("QVTrackMouse Demo");
        Application->CreateForm(FormDemo);
        Application->CreateForm(FormAbout);
        Application->Run();
    } catch (const EScriptError&) {
        throw;
    } catch (const Exception& E) {
        Application->ShowException(E);
    }
    return 0;
}
