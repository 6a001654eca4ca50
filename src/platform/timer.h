#pragma once

#include <functional>

// A periodic timer as the console's logic sees it: an enabled flag plus an
// interval in milliseconds. Interval 0 means not running. Setting the interval
// (to any value, the same one included) restarts the countdown; enabling a
// disabled timer restarts it too; enabling an enabled timer changes nothing.
// It fires every `interval` ms while enabled and the interval is above 0.
class Timer
{
public:
    virtual ~Timer() = default;

    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;

    void onTick(std::function<void()> handler) { tick_ = std::move(handler); }

protected:
    void fire()
    {
        if (tick_)
            tick_();
    }

private:
    std::function<void()> tick_;
};
