#pragma once

#include "sim/exchange_options.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <vector>

class QSocketNotifier;

// Script lines that arrive on a file descriptor (standard input) while the
// exchange runs, handed over one whole line at a time; a wrong line is
// reported and skipped, the end of input stops the reading.
class ControlInput final : public QObject
{
public:
    using Steps = std::function<void(const std::vector<ScriptStep>&)>;
    using Error = std::function<void(const QString&)>;

    ControlInput(int fd, Steps steps, Error error);

private:
    void readAvailable();
    void playLines();

    int fd_;
    Steps steps_;
    Error error_;
    QSocketNotifier* notifier_;
    QByteArray pending_;
};
