#include "console_run.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>

namespace
{

constexpr qint64 ScriptAhead = 4096; // frames queued beyond those already sent

} // namespace

ConsoleRun::ConsoleRun(Setup setup)
    : setup_(std::move(setup))
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
    QString error;
    exchange_ = ExchangeServer::onPseudoTerminal(setup_.exchange, &error);
    if (!exchange_)
        return error;
    QObject::connect(exchange_.get(), &ExchangeServer::handshakeDone, [this] { polling_ = true; });
    QObject::connect(exchange_.get(), &ExchangeServer::consoleByte, [this] {
        if (polling_)
            ++pollingBytes_;
    });
    QObject::connect(exchange_.get(), &ExchangeServer::pollAnswered, [this](quint8, qint64 latencyUs) {
        ++answered_;
        extraAnswers_ = std::max(extraAnswers_, pollingBytes_ - answered_);
        if (setup_.keepLatencies)
            latencies_.push_back(latencyUs);
    });
    QObject::connect(exchange_.get(), &ExchangeServer::frameSent, [this] {
        ++framesSent_;
        topUpScript();
    });
    topUpScript();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(folder_.path());
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(
        setup_.program, QStringList{QStringLiteral("--device"), exchange_->consolePath()} + setup_.arguments);
    if (!process_.waitForStarted(10000))
        return QStringLiteral("%1: %2").arg(setup_.program, process_.errorString());
    return std::nullopt;
}

void ConsoleRun::topUpScript()
{
    if (!setup_.changingFrames || scripted_ - framesSent_ > ScriptAhead / 2)
        return;
    std::vector<ScriptStep> steps;
    steps.reserve(ScriptAhead);
    for (qint64 i = 0; i < ScriptAhead; ++i)
        steps.push_back(ScriptStep::frame(frames_.next()));
    exchange_->appendScript(steps);
    scripted_ += ScriptAhead;
}

bool ConsoleRun::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

bool ConsoleRun::waitForAnswers(qint64 count, int timeoutMs)
{
    return waitUntil([this, count] { return answered_ >= count; }, timeoutMs);
}

bool ConsoleRun::waitForHandshake(int timeoutMs)
{
    return waitUntil([this] { return polling_; }, timeoutMs);
}

void ConsoleRun::idle(int ms)
{
    waitUntil([] { return false; }, ms);
}

void ConsoleRun::quiesce()
{
    exchange_->pausePolling();
    idle(300);
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
