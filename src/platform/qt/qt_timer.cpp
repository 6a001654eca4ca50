#include "platform/qt/qt_timer.h"

QtTimer::QtTimer()
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
}

void QtTimer::setInterval(int ms)
{
    interval_ = ms;
    restart();
}

void QtTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void QtTimer::restart()
{
    // A QTimer with interval 0 would fire continuously: 0 means stopped here.
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}
