// HoverBench's responsiveness on the headless desktop: the whole program
// from process start to the end of a script that stops right after the first
// painted frame, and one hover change from the pointer move to the repainted
// surface.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "demo/TrackAbout.h"
#include "demo/TrackForm.h"
#include "framework/Forms.h"
#include "framework/platform/headless/HeadlessPlatform.h"

extern char** environ;

namespace {

using namespace vcl;

// An empty script: the program shows its main form, paints it, finds no more
// input and ends. So the time is an upper bound of start to first frame.
void BM_ProcessStartToFirstFrame(benchmark::State& state) {
    const std::string script = "/tmp/hoverbench-bench-" + std::to_string(::getpid()) + ".txt";
    std::ofstream(script) << "# nothing: end after the first frame\n";
    const std::string exe = QV_HOVERBENCH;
    for (auto _ : state) {
        char* argv[] = {const_cast<char*>(exe.c_str()), const_cast<char*>("--script"),
                        const_cast<char*>(script.c_str()), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 0x1 /* O_WRONLY */, 0);
        pid_t pid = -1;
        if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start HoverBench");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("HoverBench failed");
            break;
        }
    }
    std::remove(script.c_str());
}
BENCHMARK(BM_ProcessStartToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// Both forms from their resources and the main form painted, in a running
// process (fonts and classes already loaded).
void BM_FormsToFirstFrame(benchmark::State& state) {
    SetPlatform(std::make_unique<THeadlessPlatform>());
    for (auto _ : state) {
        ResetApplication();
        Application->CreateForm(FormDemo);
        Application->CreateForm(FormAbout);
        FormDemo->Show();
        Application->ProcessMessages();
        benchmark::DoNotOptimize(FormDemo->SurfaceVersion());
    }
    ResetApplication();
    SetPlatform(nullptr);
}
BENCHMARK(BM_FormsToFirstFrame)->Unit(benchmark::kMillisecond);

// The pointer goes onto a control and off it again: two hover changes, each
// dispatched through the tracker (geometric mode) and its handler, and
// repainted. Reported per change.
void BM_HoverChangeRepaint(benchmark::State& state, const char* Control) {
    auto desktop = std::make_unique<THeadlessPlatform>();
    THeadlessPlatform* d = desktop.get();
    SetPlatform(std::move(desktop));
    ResetApplication();
    Application->CreateForm(FormDemo);
    Application->CreateForm(FormAbout);
    FormDemo->Show();
    Application->ProcessMessages();
    auto* c = static_cast<TControl*>(FormDemo->FindComponent(Control));
    const TPoint on = c->ClientToScreen(TPoint{c->ClientWidth() / 2, c->ClientHeight() / 2});
    const TPoint off = FormDemo->ClientToScreen(TPoint{200, 225});
    uint64_t frames = FormDemo->SurfaceVersion();
    for (auto _ : state) {
        d->MoveTo(on);
        Application->ProcessMessages();
        d->MoveTo(off);
        Application->ProcessMessages();
    }
    frames = FormDemo->SurfaceVersion() - frames;
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["repaints_per_change"] =
        benchmark::Counter(static_cast<double>(frames) / static_cast<double>(state.iterations() * 2));
    state.counters["time_per_change"] = benchmark::Counter(static_cast<double>(state.iterations() * 2),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    ResetApplication();
    SetPlatform(nullptr);
}
BENCHMARK_CAPTURE(BM_HoverChangeRepaint, Edit, "Edit1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HoverChangeRepaint, Panel, "Panel3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HoverChangeRepaint, Label, "lblLink")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HoverChangeRepaint, MessageBar, "pnlMessage")->Unit(benchmark::kMillisecond);

}  // namespace
