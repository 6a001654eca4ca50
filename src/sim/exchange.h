#pragma once

#include "sim/call_model.h"
#include "sim/exchange_options.h"

#include <QByteArray>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// A byte the console sent, and when it arrived (microseconds).
struct ConsoleByte {
    unsigned char byte;
    std::int64_t timeUs;
    bool operator==(const ConsoleByte&) const = default;
};

// What the exchange reports as the conversation goes on. Every function is
// called from inside Exchange::receive or Exchange::advanceTo.
class ExchangeListener
{
public:
    virtual ~ExchangeListener() = default;
    virtual void consoleByte(unsigned char /*byte*/, std::int64_t /*timeUs*/) { }
    // 0xC0 started polling for the first time in this connection.
    virtual void handshakeDone() { }
    // The answer to a poll, and the time from the poll's arrival at the
    // console to the answer's arrival here.
    virtual void pollAnswered(unsigned char /*answer*/, std::int64_t /*latencyUs*/) { }
    virtual void frameSent(const QByteArray& /*frame*/) { }
    // 0x8F: the console has left.
    virtual void connectionEnded() { }
};

// The exchange's side of the serial conversation, without any I/O: the
// caller hands in the console's bytes with their time, moves time on, and
// takes the bytes that are due for the console. Everything that affects the
// conversation lives here.
//
// Theory of operation. The exchange answers requests whenever they come:
//
//   console sends   exchange                                    then
//   0x44            drops what it had not sent yet, sends the   new connection
//                   10-byte identity reply ("ID", model, serial)
//   0x42            sends the 512-byte numbering table          polling stops
//   0x43            sends the 2048-byte directory block         polling stops
//   0xC0            polls now (again, when already polling)     polling
//   0x8F            drops what it had not sent yet              silent until 0x44
//   anything else   nothing (it is recorded)
//
// Polling: the exchange sends 0x19 and waits for exactly one answer byte.
// Any byte but 0x44 and 0xC0 is the answer: 0x8F ends the connection; any
// other is handed to the call model, and the 25-byte status frame follows.
// The next poll goes out one poll period after the previous one (at once
// after the frame with a period of 0). A poll without an answer is repeated
// after a second (or one period, when longer).
//
// Pacing: every byte occupies the line for 10 bits at 9600 bit/s (about
// 1.04 ms); a byte is due when it has fully left. Unpaced, bytes are due
// the moment they are sent.
class Exchange
{
public:
    static constexpr int IdentityPrefixLength = 2;
    static constexpr std::int64_t AnswerTimeoutUs = 1'000'000;

    explicit Exchange(ExchangeOptions options = {});

    void setListener(ExchangeListener* listener) { listener_ = listener; }

    // A byte from the console, arrived at `nowUs` (time never goes back).
    void receive(unsigned char byte, std::int64_t nowUs);
    // Runs everything due up to `nowUs`.
    void advanceTo(std::int64_t nowUs);
    // The bytes that have become due since the last call, in order, and
    // those due within `aheadUs` from now (a transport may hand the line a
    // few bytes early rather than wake for each; once taken, a byte counts
    // as sent).
    QByteArray takeOutput(std::int64_t aheadUs = 0);
    // When advanceTo should next be called (for output taken `aheadUs`
    // early, that much sooner); nothing while the exchange waits.
    std::optional<std::int64_t> nextWakeUs(std::int64_t aheadUs = 0) const;

    // Adds steps to the end of the script.
    void appendScript(const std::vector<ScriptStep>& steps);
    // Stops polling now; the console's next 0xC0 starts it again.
    void pausePolling();
    // Stops answering anything, for good.
    void fallSilent();

    // What the console sent, oldest first: everything in a short run, the most
    // recent ConsoleBytesKept or more in a long one, so memory stays flat.
    const std::vector<ConsoleByte>& consoleBytes() const { return consoleBytes_; }
    static constexpr std::size_t ConsoleBytesKept = 32768;
    CallModel& calls() { return calls_; }
    const CallModel& calls() const { return calls_; }

    QByteArray identityReply() const;

private:
    struct Pace {
        std::int64_t usNumerator;
        std::int64_t denominator;
        std::int64_t durationUs(std::int64_t bytes) const
        {
            return (bytes * usNumerator + denominator - 1) / denominator;
        }
    };
    struct Pending {
        std::int64_t dueUs;
        char byte;
    };

    Pace linePace() const;
    std::int64_t send(const QByteArray& bytes, std::int64_t earliestUs, Pace pace);
    void dropUnsent();
    void releaseDue(std::int64_t aheadUs = 0);
    void record(unsigned char byte);
    void handle(unsigned char byte);

    void newConnection();
    void sendIdentity();
    void sendBlock(const QByteArray& data, const Faults::Block& fault, Faults::Stage stage);
    void startPolling();
    void stopPolling();
    void endConnection();
    void sendPoll();
    void answerPoll(unsigned char answer);
    bool silencedInPolling();
    QByteArray nextFrame();
    void playInterludes();
    void scheduleAfterFrame();
    void runEventsUpTo(std::int64_t nowUs);

    ExchangeOptions options_;
    CallModel calls_;
    ExchangeListener* listener_ = nullptr;
    std::int64_t now_ = 0;

    std::deque<Pending> unsent_;
    QByteArray due_;
    std::int64_t lineFreeUs_ = 0;

    std::deque<ScriptStep> script_;
    QByteArray lastScriptedFrame_;
    QByteArray garbage_;
    std::optional<std::int64_t> garbageAtUs_;

    bool deaf_ = false;
    bool ended_ = false;
    bool tableAhead_ = false;
    bool handshakeDone_ = false;
    bool polling_ = false;
    bool awaitingAnswer_ = false;
    std::optional<std::int64_t> nextPollUs_;
    std::int64_t pollStartUs_ = 0;
    std::int64_t pollDueUs_ = 0;
    int framesSent_ = 0;

    std::vector<ConsoleByte> consoleBytes_;
};
