// A seeded random walk: pointer moves, clicks, keys and text over forms with
// trackers in both modes, while every handler may free the Sender or the
// control under the pointer, reparent, hide or move controls, change the
// tracked lists and Bounding, release or free forms and trackers, pump
// messages and show message boxes. Run under ASan and UBSan it must stay
// clean. Each seed is printed before it runs; QV_STRESS_SEED=N replays one,
// QV_STRESS_STEPS=N changes the length of a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ControlsFixture.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Windows.h"
#include "runtime/QVTrackMouse.h"

using namespace vcl;

namespace {

class TWorld : public TObject {
public:
    TWorld(THeadlessPlatform* Desktop, uint32_t Seed) : FDesktop(Desktop), FRng(Seed) {
        FDesktop->OnIdleInput = [this] { return Idle(); };
    }
    ~TWorld() override { FDesktop->OnIdleInput = nullptr; }
    // Handlers do nothing from now on (the forms are about to be freed).
    void Quiet() { FQuiet = true; }
    int Calls = 0, Actions = 0, Boxes = 0;

    void Step() {
        Prune();
        const bool anyShown = std::any_of(FForms.begin(), FForms.end(), [](auto& f) { return f->Showing(); });
        if (!anyShown || Pick(40) == 0) Populate();
        if (TForm* f = Any(FForms); f && !f->Showing() && Pick(10) == 0) f->Show();
        InjectInput();
        Application->ProcessMessages();
        // Time passes here too, so that dwell timers fire from the main loop.
        while (FDesktop->Waiting() && !Application->Terminated()) Application->HandleMessage();
    }

private:
    int Pick(int N) { return static_cast<int>(FRng() % static_cast<uint32_t>(N)); }
    template <class T>
    T* Any(std::vector<TWeakRef<T>>& V) {
        if (V.empty()) return nullptr;
        return V[static_cast<size_t>(Pick(static_cast<int>(V.size())))].Get();
    }
    void Prune() {
        std::erase_if(FForms, [](auto& r) { return !r; });
        std::erase_if(FControls, [](auto& r) { return !r; });
        std::erase_if(FTrackers, [](auto& r) { return !r; });
    }

    void Bind(TControl* C) {
        C->OnClick = TNotifyEvent::Of<&TWorld::Handler>(this);
        if (auto* w = dynamic_cast<TWinControl*>(C)) {
            w->OnEnter = TNotifyEvent::Of<&TWorld::Handler>(this);
            w->OnExit = TNotifyEvent::Of<&TWorld::Handler>(this);
        }
    }

    TControl* NewControl(TForm* Form, TWinControl* Parent) {
        const int kind = Pick(5);
        TControl* c = kind == 0   ? static_cast<TControl*>(new TPanel(Form))
                      : kind == 1 ? static_cast<TControl*>(new TEdit(Form))
                      : kind == 2 ? static_cast<TControl*>(new TButton(Form))
                      : kind == 3 ? static_cast<TControl*>(new TCheckBox(Form))
                                  : static_cast<TControl*>(new TLabel(Form));
        c->SetBounds(Pick(200), Pick(150), 20 + Pick(120), 15 + Pick(60));
        c->SetParent(Parent);
        Bind(c);
        FControls.emplace_back(c);
        return c;
    }

    void NewTracker(TForm* Form) {
        auto* t = new TQVTrackMouse(Form);
        t->SetBounding(Pick(2) == 0);
        for (int i = 2 + Pick(6); i > 0; --i)
            if (TControl* c = Any(FControls); c && (c->Owner() == Form || Pick(4) == 0))
                static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = c;
        if (Pick(3) == 0) static_cast<TQVControlItem*>(t->Associate()->Add())->TheControl = Form;
        t->OnMouseEnter() = TQVTrackMouseEvent::Of<&TWorld::Handler>(this);
        t->OnMouseLeave() = TQVTrackMouseEvent::Of<&TWorld::Handler>(this);
        // The extensions run handlers from timers, posted tasks and idle
        // passes: they take part too.
        t->SetTrackChildren(Pick(2) == 0);
        t->SetHoverTime(static_cast<uint32_t>(Pick(3) * 20));
        if (Pick(2) == 0) t->OnMouseHover() = TQVTrackMouseEvent::Of<&TWorld::Handler>(this);
        t->Run();
        FTrackers.emplace_back(t);
    }

    void Populate() {
        auto* f = new TForm(Application);
        f->SetBorderStyle(bsSingle);
        f->SetBounds(Pick(500), Pick(400), 200 + Pick(200), 150 + Pick(150));
        f->OnClose = TCloseEvent::Of<&TWorld::Closing>(this);
        FForms.emplace_back(f);
        for (int i = 3 + Pick(6); i > 0; --i) {
            TWinControl* parent = f;
            if (TControl* c = Any(FControls); c && c->Owner() == f)
                if (auto* w = dynamic_cast<TPanel*>(c)) parent = w;
            NewControl(f, parent);
        }
        for (int i = 1 + Pick(2); i > 0; --i) NewTracker(f);
        f->Show();
    }

    void Closing(TObject*, TCloseAction& Action) {
        static constexpr TCloseAction kActions[] = {caHide, caFree, caNone, caMinimize};
        Action = kActions[Pick(4)];
    }

    TPoint RandomPoint() {
        if (Pick(8) != 0) {
            // Over a control, or anywhere on a shown form and just around it.
            if (TControl* c = Any(FControls); c && c->Showing() && Pick(2) == 0)
                return c->ClientToScreen(TPoint{Pick(c->Width() + 4) - 2, Pick(c->Height() + 4) - 2});
            if (TForm* f = Any(FForms); f && f->Showing())
                return f->ClientToScreen(TPoint{Pick(f->ClientWidth() + 20) - 10, Pick(f->ClientHeight() + 20) - 10});
        }
        return TPoint{Pick(1024), Pick(768)};
    }

    void InjectInput() {
        switch (Pick(10)) {
            case 0: FDesktop->Click(RandomPoint(), Pick(3)); break;
            case 1: FDesktop->Key(static_cast<uint32_t>(Pick(2) ? VK_TAB : VK_SPACE), Pick(2)); break;
            case 2: FDesktop->Key(static_cast<uint32_t>(Pick(2) ? VK_RETURN : VK_ESCAPE)); break;
            case 3: Pick(2) ? FDesktop->Type("ab c") : FDesktop->Wait(static_cast<uint32_t>(Pick(60))); break;
            case 4:
                if (TForm* f = Any(FForms); f && f->Showing()) FDesktop->CloseBox(f);
                break;
            default: FDesktop->MoveTo(RandomPoint()); break;
        }
    }

    // Nested loops (message boxes) take their input here: a little random
    // input, then the box is answered.
    bool Idle() {
        if (++FIdleTurns % 4 != 0) {
            InjectInput();
            return true;
        }
        auto z = Platform()->WindowsInZOrder();
        if (z.empty()) return false;
        FDesktop->CloseBox(z.back());
        return true;
    }

    // Every handler: enter and leave of the trackers, clicks, focus changes.
    void Handler(TObject* Sender) {
        if (FQuiet) return;
        ++Calls;
        if (FDepth > 3 || Pick(3) != 0) return;
        ++Actions;
        ++FDepth;
        TWeakRef<TComponent> sender(dynamic_cast<TComponent*>(Sender));
        Act(sender);
        --FDepth;
    }

    void Act(TWeakRef<TComponent>& Sender) {
        Prune();
        TPoint p;
        const std::function<void()> actions[] = {
            [&] { if (Sender) Sender->Free(); },
            [&] {
                if (TControl* under = FDesktop->GetCursorPos(p) ? Application->ControlAtScreen(p) : nullptr) under->Free();
            },
            [&] { if (TControl* c = Any(FControls)) c->Free(); },
            [&] {
                TControl* c = Any(FControls);
                auto* parent = c ? dynamic_cast<TWinControl*>(Any(FControls)) : nullptr;
                try {
                    if (parent && parent != c) c->SetParent(parent);
                } catch (const EInvalidOperation&) {  // a cycle: refused
                }
            },
            [&] { if (TControl* c = Any(FControls)) c->SetVisible(!c->Visible()); },
            [&] { if (TControl* c = Any(FControls)) c->SetBounds(Pick(200), Pick(150), Pick(100), Pick(60)); },
            [&] { if (TQVTrackMouse* t = Any(FTrackers)) if (TControl* c = Any(FControls)) t->TrackedControls()->Add(c); },
            [&] {
                if (TQVTrackMouse* t = Any(FTrackers); t && t->TrackedControls()->Count() > 0)
                    t->TrackedControls()->Delete(Pick(t->TrackedControls()->Count()));
            },
            [&] { if (TQVTrackMouse* t = Any(FTrackers)) t->SetBounding(!t->Bounding()); },
            [&] { if (TForm* f = Any(FForms)) f->Release(); },
            [&] { if (TForm* f = Any(FForms)) f->Free(); },
            [&] { if (TQVTrackMouse* t = Any(FTrackers)) t->Free(); },
            [&] { if (TForm* f = Any(FForms)) NewTracker(f); },
            [&] { ++Boxes; MessageBoxA(nullptr, "Stress", "Box", MB_OKCANCEL); },
            [&] { Application->ProcessMessages(); },
            [&] { if (TForm* f = Any(FForms)) NewControl(f, f); },
        };
        actions[Pick(16)]();
    }

    THeadlessPlatform* FDesktop;
    std::mt19937 FRng;
    std::vector<TWeakRef<TForm>> FForms;
    std::vector<TWeakRef<TControl>> FControls;
    std::vector<TWeakRef<TQVTrackMouse>> FTrackers;
    int FDepth = 0;
    int FIdleTurns = 0;
    bool FQuiet = false;
};

class Stress : public vcltest::DesktopTest {};

TEST_F(Stress, HandlersThatFreeAnythingRunClean) {
    std::vector<uint32_t> seeds;
    if (const char* s = std::getenv("QV_STRESS_SEED")) seeds.push_back(static_cast<uint32_t>(std::strtoul(s, nullptr, 10)));
    else for (uint32_t s = 1; s <= 16; ++s) seeds.push_back(s);
    int steps = 2000;
    if (const char* s = std::getenv("QV_STRESS_STEPS")) steps = std::atoi(s);
    for (uint32_t seed : seeds) {
        // Printed first, so that a crash report names the seed to replay.
        std::fprintf(stderr, "stress: seed %u (QV_STRESS_SEED=%u replays it)\n", seed, seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        TWorld world(Desktop(), seed);
        for (int i = 0; i < steps; ++i) world.Step();
        world.Quiet();
        std::fprintf(stderr, "stress: seed %u: %d handler calls, %d actions, %d message boxes\n", seed, world.Calls,
                     world.Actions, world.Boxes);
        ResetApplication();
    }
}

}  // namespace
