#pragma once

#include "changing_frames.h"
#include "sim/exchange_server.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <vector>

// One program (the console or the floor) run against the simulated exchange
// on a pseudo-terminal, offscreen, in a folder of its own, with every poll's
// answer counted and timed.
class ConsoleRun
{
public:
    struct Setup {
        QString program;
        QStringList arguments; // besides --device
        ExchangeOptions exchange;
        bool changingFrames = false; // keep the exchange's script topped up
        bool keepLatencies = false;
    };

    explicit ConsoleRun(Setup setup);
    ~ConsoleRun();

    // Starts the exchange and the program; the error text on failure.
    std::optional<QString> start();
    // Runs the event loop until `count` polls have been answered since the start.
    bool waitForAnswers(qint64 count, int timeoutMs);
    bool waitForHandshake(int timeoutMs);
    // Runs the event loop for this long.
    void idle(int ms);
    // Stops polling and lets the last frame arrive; the program keeps running.
    void quiesce();
    void stop();

    qint64 pid() const { return process_.processId(); }
    QString folder() const { return folder_.path(); }
    qint64 answered() const { return answered_; }
    qint64 framesSent() const { return framesSent_; }
    // Bytes the program sent once polling had started.
    qint64 pollingBytes() const { return pollingBytes_; }
    // The most bytes ever sent beyond one per answered poll, seen at each answer.
    qint64 extraAnswers() const { return extraAnswers_; }
    const std::vector<qint64>& latenciesUs() const { return latencies_; }
    // Microseconds on the exchange's clock.
    qint64 nowUs() const { return exchange_->nowUs(); }
    bool programRunning() const { return process_.state() == QProcess::Running; }

private:
    bool waitUntil(const std::function<bool()>& done, int timeoutMs);
    void topUpScript();

    Setup setup_;
    QTemporaryDir folder_;
    std::unique_ptr<ExchangeServer> exchange_;
    QProcess process_;
    ChangingFrames frames_{903};
    qint64 scripted_ = 0;
    qint64 answered_ = 0;
    qint64 framesSent_ = 0;
    qint64 pollingBytes_ = 0;
    qint64 extraAnswers_ = 0;
    bool polling_ = false;
    std::vector<qint64> latencies_;
};
