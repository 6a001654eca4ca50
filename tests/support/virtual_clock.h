#pragma once

#include "platform/timer.h"

#include <cstdint>
#include <memory>
#include <vector>

class VirtualTimer;

// Simulated time in microseconds. Advancing it fires every due tick in time
// order (ties in creation order), including ticks of timers that handlers
// start or restart on the way.
class VirtualClock
{
public:
    std::unique_ptr<VirtualTimer> createTimer();

    std::int64_t nowUs() const { return now_; }
    void advanceUs(std::int64_t us);
    void advanceMs(std::int64_t ms) { advanceUs(ms * 1000); }

private:
    friend class VirtualTimer;
    void forget(VirtualTimer* timer);

    std::int64_t now_ = 0;
    std::vector<VirtualTimer*> timers_;
};

class VirtualTimer final : public Timer
{
public:
    explicit VirtualTimer(VirtualClock& clock)
        : clock_(clock)
    {
    }
    ~VirtualTimer() override { clock_.forget(this); }

    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }

    bool running() const { return enabled_ && interval_ > 0; }
    // Time of the next tick; meaningful only while running.
    std::int64_t dueUs() const { return due_; }

private:
    friend class VirtualClock;
    void restart() { due_ = clock_.nowUs() + std::int64_t(interval_) * 1000; }
    void tick();

    VirtualClock& clock_;
    int interval_ = 0;
    bool enabled_ = true;
    std::int64_t due_ = 0;
};
