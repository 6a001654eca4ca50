#include "sim/exchange_server.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace
{
// What waits for a console that does not read; beyond it bytes are lost, as
// on a line with nobody listening.
constexpr qsizetype MaxPending = 64 * 1024;
constexpr int ReadChunk = 4096;
// Paced bytes go to the line in groups of about this much line time, so the
// transport wakes about a hundred times a second while sending, not once a byte.
constexpr qint64 WriteAheadUs = 10'000;

} // namespace

std::unique_ptr<ExchangeServer> ExchangeServer::onPseudoTerminal(ExchangeOptions options, QString* error)
{
    return serve(SerialEndpoint::openPseudoTerminal(), std::move(options), error);
}

std::unique_ptr<ExchangeServer> ExchangeServer::onDevice(const QString& path, ExchangeOptions options, QString* error)
{
    return serve(SerialEndpoint::openDevice(path), std::move(options), error);
}

std::unique_ptr<ExchangeServer> ExchangeServer::serve(
    std::variant<SerialEndpoint, QString> endpoint, ExchangeOptions options, QString* error)
{
    if (auto* failure = std::get_if<QString>(&endpoint)) {
        if (error)
            *error = *failure;
        return nullptr;
    }
    return std::unique_ptr<ExchangeServer>(
        new ExchangeServer(std::move(std::get<SerialEndpoint>(endpoint)), std::move(options)));
}

ExchangeServer::ExchangeServer(SerialEndpoint endpoint, ExchangeOptions options)
    : endpoint_(std::move(endpoint))
    , exchange_(std::move(options))
    , readable_(endpoint_.fd(), QSocketNotifier::Read)
    , writable_(endpoint_.fd(), QSocketNotifier::Write)
{
    clock_.start();
    exchange_.setListener(&relay_);
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    writable_.setEnabled(false);
    connect(&wake_, &QTimer::timeout, this, &ExchangeServer::pump);
    connect(&readable_, &QSocketNotifier::activated, this, &ExchangeServer::readConsole);
    connect(&writable_, &QSocketNotifier::activated, this, &ExchangeServer::writePending);
}

bool ExchangeServer::ringLine(int line)
{
    const bool rang = exchange_.calls().ringLine(line, nowUs());
    pump();
    return rang;
}

bool ExchangeServer::callConsoleFrom(int slot)
{
    const bool called = exchange_.calls().callConsoleFrom(slot, nowUs());
    pump();
    return called;
}

void ExchangeServer::appendScript(const std::vector<ScriptStep>& steps)
{
    exchange_.appendScript(steps);
    pump();
}

void ExchangeServer::pausePolling()
{
    exchange_.pausePolling();
    pump();
}

void ExchangeServer::fallSilent()
{
    exchange_.fallSilent();
    pump();
}

void ExchangeServer::readConsole()
{
    char buffer[ReadChunk];
    for (;;) {
        const ssize_t n = ::read(endpoint_.fd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            break;
        if (n <= 0) {
            readable_.setEnabled(false);
            emit lineFailed(n == 0 ? QStringLiteral("end of file") : QString::fromLocal8Bit(std::strerror(errno)));
            break;
        }
        const qint64 now = nowUs();
        for (ssize_t i = 0; i < n; ++i)
            exchange_.receive(static_cast<unsigned char>(buffer[i]), now);
    }
    pump();
}

// Hands the exchange the time, writes what became due, sleeps until the next event.
void ExchangeServer::pump()
{
    const qint64 now = nowUs();
    exchange_.advanceTo(now);
    const QByteArray due = exchange_.takeOutput(WriteAheadUs);
    if (pending_.size() + due.size() <= MaxPending)
        pending_ += due;
    writePending();
    const auto next = exchange_.nextWakeUs(WriteAheadUs);
    if (!next) {
        wake_.stop();
        return;
    }
    const qint64 delayUs = std::max<qint64>(0, *next - now);
    wake_.start(int((delayUs + 999) / 1000));
}

void ExchangeServer::writePending()
{
    while (!pending_.isEmpty()) {
        const ssize_t n = ::write(endpoint_.fd(), pending_.constData(), size_t(pending_.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            pending_.clear(); // the line is gone: what waits cannot be delivered
        if (n <= 0)
            break;
        pending_.remove(0, n);
    }
    writable_.setEnabled(!pending_.isEmpty());
}
