#include "framework/Timers.h"

#include <algorithm>
#include <vector>

#include "framework/platform/Platform.h"

namespace vcl {

namespace {
// Every timer alive, running or not: few enough to scan on each loop turn.
// Never destroyed: timers of forms freed as the program exits still leave it.
std::vector<TTimer*>& AllTimers() {
    static auto& timers = *new std::vector<TTimer*>;
    return timers;
}
}  // namespace

uint64_t TickCount() {
    IPlatform* p = Platform();
    return p ? p->TickCount() : 0;
}

VCL_IMPLEMENT_CLASS(TTimer)
void TTimer::DescribeClass(ClassBuilder<TTimer>& c) {
    c.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    c.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
    c.Property("OnTimer", &TTimer::FOnTimer);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    AllTimers().push_back(this);
    Restart();
}

TTimer::~TTimer() { std::erase(AllTimers(), this); }

void TTimer::SetEnabled(bool v) {
    FEnabled = v;
    Restart();
}

void TTimer::SetInterval(uint32_t v) {
    FInterval = v;
    Restart();
}

void TTimer::SetOnTimer(const TNotifyEvent& v) {
    FOnTimer = v;
    Restart();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    Restart();  // the interval counts from the end of the load
}

void TTimer::Restart() { FDue = TickCount() + FInterval; }

bool TTimer::Running() const {
    return FEnabled && FInterval > 0 && FOnTimer.Assigned() && !ComponentState().Contains(csDesigning) &&
           !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying);
}

void TTimer::RunDue() {
    // Handlers may free timers, make new ones or run a nested loop: the due
    // ones are collected first and each is looked at again before it fires.
    const uint64_t now = TickCount();
    std::vector<TWeakRef<TTimer>> due;
    for (TTimer* t : AllTimers())
        if (t->Running() && t->FDue <= now) due.emplace_back(t);
    for (auto& ref : due) {
        TTimer* t = ref.Get();
        if (!t || !t->Running() || t->FDue > now) continue;
        t->FDue = now + t->FInterval;
        TNotifyEvent handler = t->FOnTimer;
        handler(t);
    }
}

int64_t TTimer::MillisecondsToNext() {
    const uint64_t now = TickCount();
    int64_t best = -1;
    for (TTimer* t : AllTimers()) {
        if (!t->Running()) continue;
        int64_t left = t->FDue <= now ? 0 : static_cast<int64_t>(t->FDue - now);
        if (best < 0 || left < best) best = left;
    }
    return best;
}

}  // namespace vcl
