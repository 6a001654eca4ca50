#pragma once

#include "platform/timer.h"

#include <QTimer>

// The console's timer on a precise QTimer (a coarse one may fire 5 % early).
class QtTimer final : public Timer
{
public:
    QtTimer();

    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }

private:
    void restart();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = true;
};
