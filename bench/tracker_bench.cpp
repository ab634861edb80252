// The cost of one message through a form's window procedure: bare, and
// through a tracker with N tracked controls in each detection mode, with the
// pointer outside all of them. allocs_per_msg counts heap allocations per
// message in the steady state (a replaced global allocator counts them).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "framework/Forms.h"
#include "framework/platform/headless/HeadlessPlatform.h"
#include "runtime/QVTrackMouse.h"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t n) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace vcl;

namespace {

enum class TMode { Bare, Messaging, Geometric };

// A shown form with N graphic controls in a grid and, unless bare, a tracker
// watching all of them. The pointer rests on the desktop, outside the form.
// Handlers that do nothing: the benchmark measures the tracker's own work.
struct TSink : TObject {
    void Handler(TObject*) {}
};

struct TScene {
    TSink Sink;
    TForm* Form = nullptr;
    TQVTrackMouse* Tracker = nullptr;

    TScene(int n, TMode mode) {
        if (!Platform()) SetPlatform(std::make_unique<THeadlessPlatform>(TSize{4096, 4096}));
        Form = new TForm(Application);
        Form->SetBorderStyle(bsSingle);
        Form->SetBounds(100, 100, 3000, 3000);
        for (int i = 0; i < n; ++i) {
            auto* c = new TGraphicControl(Form);
            c->SetBounds((i % 100) * 25, (i / 100) * 25, 20, 20);
            c->SetParent(Form);
        }
        Form->Show();
        Application->ProcessMessages();
        if (mode != TMode::Bare) {
            Tracker = new TQVTrackMouse(Form);
            for (int i = 0; i < Form->ControlCount(); ++i)
                static_cast<TQVControlItem*>(Tracker->Associate()->Add())->TheControl = Form->Controls(i);
            Tracker->SetBounding(mode == TMode::Messaging);
            Tracker->OnMouseEnter() = TQVTrackMouseEvent::Of<&TSink::Handler>(&Sink);
            Tracker->OnMouseLeave() = TQVTrackMouseEvent::Of<&TSink::Handler>(&Sink);
            Tracker->Run();
        }
    }
    ~TScene() { Form->Free(); }
};

// LayoutChanged: every message follows a layout change somewhere (as
// after a control moved), so the tracker computes its rectangles again.
void Run(benchmark::State& state, TMode mode, bool LayoutChanged = false) {
    TScene scene(static_cast<int>(state.range(0)), mode);
    TMessage m;
    m.Msg = WM_NULL;
    scene.Form->WindowProc(m);  // the first pass sizes the state list
    long before = gAllocations.load();
    for (auto _ : state) {
        if (LayoutChanged) vcl::LayoutChanged();
        m.Result = 0;
        scene.Form->WindowProc(m);
        benchmark::DoNotOptimize(m.Result);
    }
    long allocs = gAllocations.load() - before;
    state.counters["allocs_per_msg"] = static_cast<double>(allocs) / static_cast<double>(state.iterations());
    if (mode == TMode::Geometric)
        state.counters["ns_per_control"] = benchmark::Counter(
            static_cast<double>(state.iterations()) * static_cast<double>(state.range(0)),
            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_BareDispatch(benchmark::State& state) { Run(state, TMode::Bare); }
void BM_MessagingPass(benchmark::State& state) { Run(state, TMode::Messaging); }
void BM_GeometricPass(benchmark::State& state) { Run(state, TMode::Geometric); }
void BM_GeometricPassAfterLayoutChange(benchmark::State& state) { Run(state, TMode::Geometric, true); }

}  // namespace

BENCHMARK(BM_BareDispatch)->Arg(39)->Arg(1000)->Arg(10000);
BENCHMARK(BM_MessagingPass)->Arg(39)->Arg(1000)->Arg(10000);
BENCHMARK(BM_GeometricPass)->Arg(39)->Arg(1000)->Arg(10000);
BENCHMARK(BM_GeometricPassAfterLayoutChange)->Arg(39)->Arg(1000)->Arg(10000);
