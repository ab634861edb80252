// Timers: components that call OnTimer every Interval milliseconds while
// the application's message loops run (modal loops included), on the
// backend's clock. The headless desktop's clock is virtual: it moves only
// when a script or a test says that time passes, so timed behaviour is
// tested without sleeping: Application->AdvanceTime(ms) lets time pass.
// TTimer is registered for form files with every other class
// (RegisterFormClasses).
#pragma once

#include <cstdint>

#include "framework/Classes.h"

namespace vcl {

// Milliseconds on the backend's clock (0 without a backend).
uint64_t TickCount();

class TTimer : public TComponent {
    VCL_CLASS(TTimer, TComponent)

    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    // The timer runs while Enabled, with an Interval above 0 and OnTimer
    // assigned (never in the designer). Changing any of them starts the
    // interval again from now.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t v);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(const TNotifyEvent& v);
    bool Running() const;
    // When it next fires, on the backend's clock; meaningful while Running.
    uint64_t Due() const { return FDue; }

    // The message loops call these: fire every timer that is due (each at
    // most once a call, as a late timer does not catch up), and tell how long
    // the loop may wait before the next one is due (-1: no timer runs).
    static void RunDue();
    static int64_t MillisecondsToNext();

protected:
    void Loaded() override;

private:
    void Restart();
    bool FEnabled = true;
    uint32_t FInterval = 1000;
    TNotifyEvent FOnTimer;
    uint64_t FDue = 0;
};

}  // namespace vcl
