#pragma once

#include "sim/exchange.h"
#include "sim/serial_endpoint.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>
#include <variant>
#include <vector>

// The simulated exchange served on a serial line from the caller's Qt event
// loop. No threads: a QSocketNotifier reads the console's bytes and a
// precise single-shot QTimer wakes the exchange when its next byte is due or
// its next poll is to go out (paced bytes leave in groups of about 10 ms of
// line time); every signal is emitted on the thread that
// created the server, which must run a Qt event loop.
//
// Use (the console's demo, end-to-end tests, benchmarks):
//
//   QString error;
//   auto exchange = ExchangeServer::onPseudoTerminal(options, &error); // null on failure
//   port.open(exchange->consolePath());
//   connect(exchange.get(), &ExchangeServer::handshakeDone, ...);
//   exchange->ringLine(2);                  // an outside call now
//   exchange->appendScript({ScriptStep::frame(bytes)});
//   exchange->consoleBytes();               // everything the console sent, with times
//
// Times are microseconds since the server was created. For benchmarks, set
// options.paced = false and options.pollPeriodMs = 0: the next poll follows
// each frame at once, and pollAnswered reports every poll's latency.
class ExchangeServer : public QObject
{
    Q_OBJECT
public:
    // Serves a new pseudo-terminal; its console side is consolePath().
    static std::unique_ptr<ExchangeServer> onPseudoTerminal(ExchangeOptions options, QString* error);
    // Serves a real serial device.
    static std::unique_ptr<ExchangeServer> onDevice(const QString& path, ExchangeOptions options, QString* error);

    QString consolePath() const { return endpoint_.consolePath(); }
    qint64 nowUs() const { return clock_.nsecsElapsed() / 1000; }
    const std::vector<ConsoleByte>& consoleBytes() const { return exchange_.consoleBytes(); }
    const CallModel& calls() const { return exchange_.calls(); }

    // An outside line starts calling the console; false if it is not free.
    bool ringLine(int line);
    // An extension starts calling the console; false if it cannot.
    bool callConsoleFrom(int slot);
    void appendScript(const std::vector<ScriptStep>& steps);
    // Stops polling now; the console's next 0xC0 starts it again.
    void pausePolling();
    // Stops answering anything, for good.
    void fallSilent();

signals:
    void consoleByte(quint8 byte, qint64 timeUs);
    void handshakeDone();
    void pollAnswered(quint8 answer, qint64 latencyUs);
    void frameSent(const QByteArray& frame);
    void connectionEnded();
    // Reading the line failed for good (a device that went away); the
    // server reads no more.
    void lineFailed(const QString& reason);

private:
    ExchangeServer(SerialEndpoint endpoint, ExchangeOptions options);
    static std::unique_ptr<ExchangeServer> serve(
        std::variant<SerialEndpoint, QString> endpoint, ExchangeOptions options, QString* error);

    void readConsole();
    void writePending();
    void pump();

    // Turns the exchange's reports into this object's signals.
    class Relay final : public ExchangeListener
    {
    public:
        explicit Relay(ExchangeServer& server)
            : server_(server)
        {
        }
        void consoleByte(unsigned char byte, std::int64_t timeUs) override { emit server_.consoleByte(byte, timeUs); }
        void handshakeDone() override { emit server_.handshakeDone(); }
        void pollAnswered(unsigned char answer, std::int64_t latencyUs) override
        {
            emit server_.pollAnswered(answer, latencyUs);
        }
        void frameSent(const QByteArray& frame) override { emit server_.frameSent(frame); }
        void connectionEnded() override { emit server_.connectionEnded(); }

    private:
        ExchangeServer& server_;
    };

    SerialEndpoint endpoint_;
    Exchange exchange_;
    Relay relay_{*this};
    QElapsedTimer clock_;
    QTimer wake_;
    QSocketNotifier readable_;
    QSocketNotifier writable_;
    QByteArray pending_;
};
