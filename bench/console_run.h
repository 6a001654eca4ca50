#pragma once

#include "scripted_exchange.h"
#include "ser2net_bridge.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// One program (the console or the floor) run against the simulated exchange
// on a pseudo-terminal, directly or through ser2net, on a Qt platform of the
// run's choice (offscreen, or xcb on the X server of DISPLAY), in a folder of
// its own.
class ConsoleRun
{
public:
    // ser2net between the exchange and the program.
    struct Through {
        Ser2netBridge::Accepter accepter;
        Ser2netBridge::Options options;
    };
    struct Setup {
        QString program;
        QStringList arguments; // besides --device
        ExchangeOptions exchange;
        bool changingFrames = false; // keep the exchange's script topped up
        bool keepLatencies = false;
        QString platform = QStringLiteral("offscreen");
        std::optional<Through> through = std::nullopt;
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
    // Runs the event loop until `done`, the timeout, or the program's end.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs);
    // Stops polling and lets the last frame arrive; the program keeps running.
    void quiesce();
    void stop();

    const ScriptedExchange& exchange() const { return exchange_; }
    qint64 pid() const { return process_.processId(); }
    // When the program was started, on the exchange's clock.
    qint64 startedUs() const { return startedUs_; }
    QString folder() const { return folder_.path(); }
    bool programRunning() const { return process_.state() == QProcess::Running; }

private:
    Setup setup_;
    QTemporaryDir folder_;
    ScriptedExchange exchange_;
    std::unique_ptr<DeviceServer> bridge_;
    QProcess process_;
    qint64 startedUs_ = -1;
};
