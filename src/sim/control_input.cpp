#include "sim/control_input.h"

#include "sim/script_text.h"

#include <QSocketNotifier>

#include <unistd.h>

ControlInput::ControlInput(int fd, Steps steps, Error error)
    : fd_(fd)
    , steps_(std::move(steps))
    , error_(std::move(error))
    , notifier_(new QSocketNotifier(fd, QSocketNotifier::Read, this))
{
    connect(notifier_, &QSocketNotifier::activated, this, &ControlInput::readAvailable);
}

void ControlInput::readAvailable()
{
    char buffer[4096];
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got <= 0) {
        notifier_->setEnabled(false);
        return;
    }
    pending_.append(buffer, got);
    playLines();
}

void ControlInput::playLines()
{
    const qsizetype end = pending_.lastIndexOf('\n');
    if (end < 0)
        return;
    const QByteArray lines = pending_.left(end + 1);
    pending_.remove(0, end + 1);
    QString error;
    const auto steps = parseScript(lines, &error);
    if (!steps) {
        error_(error);
        return;
    }
    steps_(*steps);
}
