#include "scripted_exchange.h"

#include "wire/commands.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>

namespace
{

constexpr qint64 ScriptAhead = 4096; // frames queued beyond those already sent

} // namespace

ScriptedExchange::ScriptedExchange(ExchangeOptions options, bool changingFrames, bool keepLatencies)
    : options_(std::move(options))
    , changingFrames_(changingFrames)
    , keepLatencies_(keepLatencies)
{
}

std::optional<QString> ScriptedExchange::start()
{
    QString error;
    exchange_ = ExchangeServer::onPseudoTerminal(options_, &error);
    if (!exchange_)
        return error;
    QObject::connect(exchange_.get(), &ExchangeServer::handshakeDone, [this] { polling_ = true; });
    QObject::connect(exchange_.get(), &ExchangeServer::consoleByte, [this](quint8, qint64 timeUs) {
        if (firstByteUs_ < 0)
            firstByteUs_ = timeUs;
        if (polling_)
            ++pollingBytes_;
    });
    QObject::connect(exchange_.get(), &ExchangeServer::pollAnswered, [this](quint8 answer, qint64 latencyUs) {
        ++answered_;
        if (answer != wire::NoCommand)
            ++commands_;
        extraAnswers_ = std::max(extraAnswers_, pollingBytes_ - answered_);
        if (keepLatencies_)
            latencies_.push_back(latencyUs);
    });
    QObject::connect(exchange_.get(), &ExchangeServer::frameSent, [this] {
        ++framesSent_;
        topUpScript();
    });
    topUpScript();
    return std::nullopt;
}

void ScriptedExchange::topUpScript()
{
    if (!changingFrames_ || scripted_ - framesSent_ > ScriptAhead / 2)
        return;
    std::vector<ScriptStep> steps;
    steps.reserve(ScriptAhead);
    for (qint64 i = 0; i < ScriptAhead; ++i)
        steps.push_back(ScriptStep::frame(frames_.next()));
    exchange_->appendScript(steps);
    scripted_ += ScriptAhead;
}

bool ScriptedExchange::waitUntil(const std::function<bool()>& done, int timeoutMs, const std::function<bool()>& alive)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired() || !alive())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

void ScriptedExchange::quiesce(const std::function<bool()>& alive)
{
    exchange_->pausePolling();
    waitUntil([] { return false; }, 300, alive);
}

QString ScriptedExchange::counts() const
{
    return QStringLiteral("answered %1 polls, %2 bytes sent while polling, %3 frames sent")
        .arg(answered_)
        .arg(pollingBytes_)
        .arg(framesSent_);
}
