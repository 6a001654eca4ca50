#include "virtual_clock.h"

#include <algorithm>

std::unique_ptr<VirtualTimer> VirtualClock::createTimer()
{
    auto timer = std::make_unique<VirtualTimer>(*this);
    timers_.push_back(timer.get());
    return timer;
}

void VirtualClock::forget(VirtualTimer* timer)
{
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

void VirtualClock::advanceUs(std::int64_t us)
{
    const std::int64_t target = now_ + us;
    for (;;) {
        VirtualTimer* next = nullptr;
        for (VirtualTimer* t : timers_) {
            if (t->running() && t->dueUs() <= target && (!next || t->dueUs() < next->dueUs()))
                next = t;
        }
        if (!next)
            break;
        now_ = next->dueUs();
        next->tick();
    }
    now_ = target;
}

void VirtualTimer::setInterval(int ms)
{
    interval_ = ms;
    restart();
}

void VirtualTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void VirtualTimer::tick()
{
    // The next tick is due one interval on, unless the handler restarts it.
    due_ += std::int64_t(interval_) * 1000;
    fire();
}
