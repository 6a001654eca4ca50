#include "console_run.h"

ConsoleRun::ConsoleRun(Setup setup)
    : setup_(std::move(setup))
    , exchange_(setup_.exchange, setup_.changingFrames, setup_.keepLatencies)
{
}

ConsoleRun::~ConsoleRun()
{
    stop();
}

std::optional<QString> ConsoleRun::start()
{
    if (!folder_.isValid())
        return QStringLiteral("no temporary folder");
    if (auto error = exchange_.start())
        return error;
    QString device = exchange_.consolePath();
    if (setup_.through) {
        auto started = Ser2netBridge::start(device, setup_.through->accepter, setup_.through->options);
        if (auto* error = std::get_if<QString>(&started))
            return *error;
        bridge_ = std::move(std::get<std::unique_ptr<DeviceServer>>(started));
        device = bridge_->url();
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), setup_.platform);
    // The call journal's files stay in the run's folder too.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder_.filePath(QStringLiteral("data")));
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(folder_.path());
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    startedUs_ = exchange_.nowUs();
    process_.start(setup_.program, QStringList{QStringLiteral("--device"), device} + setup_.arguments);
    if (!process_.waitForStarted(10000))
        return QStringLiteral("%1: %2").arg(setup_.program, process_.errorString());
    return std::nullopt;
}

bool ConsoleRun::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    return exchange_.waitUntil(done, timeoutMs, [this] { return programRunning(); });
}

bool ConsoleRun::waitForAnswers(qint64 count, int timeoutMs)
{
    return waitUntil([this, count] { return exchange_.answered() >= count; }, timeoutMs);
}

bool ConsoleRun::waitForHandshake(int timeoutMs)
{
    return waitUntil([this] { return exchange_.polling(); }, timeoutMs);
}

void ConsoleRun::idle(int ms)
{
    waitUntil([] { return false; }, ms);
}

void ConsoleRun::quiesce()
{
    exchange_.quiesce([this] { return programRunning(); });
}

void ConsoleRun::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}
