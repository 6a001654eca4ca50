#include "app/paint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace
{

// Repaints asked for closer together than this are a run of frames.
constexpr int RunMs = 2;
// How long a repaint in a run waits: under the fast blink's quarter second.
constexpr int HeldMs = 100;

} // namespace

PaintPacer::PaintPacer(QWidget& window)
    : window_(window)
{
    held_.setSingleShot(true);
    held_.setInterval(HeldMs);
    connect(&held_, &QTimer::timeout, this, [this] { release(); });
    window_.installEventFilter(this);
}

// The window's update request carries every repaint asked for since the last;
// no other is sent until it has been handled, so holding it holds them all.
bool PaintPacer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_ || event->type() != QEvent::UpdateRequest || releasing_)
        return false;
    const bool run = sinceLast_.isValid() && sinceLast_.elapsed() < RunMs;
    sinceLast_.start();
    if (!run && !held_.isActive())
        return false;
    if (!held_.isActive())
        held_.start();
    return true;
}

void PaintPacer::release()
{
    releasing_ = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&window_, &request);
    releasing_ = false;
}
