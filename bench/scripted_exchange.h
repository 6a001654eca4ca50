#pragma once

#include "changing_frames.h"
#include "sim/exchange_server.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The simulated exchange on a pseudo-terminal, optionally fed an endless run
// of changing frames, with every poll's answer counted and timed.
class ScriptedExchange
{
public:
    ScriptedExchange(ExchangeOptions options, bool changingFrames, bool keepLatencies);

    // Opens the pseudo-terminal; the error text on failure.
    std::optional<QString> start();
    QString consolePath() const { return exchange_->consolePath(); }

    // Runs the event loop until `done`, the timeout, or `alive` turns false.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs, const std::function<bool()>& alive);
    // Stops polling and lets the last frame arrive.
    void quiesce(const std::function<bool()>& alive);

    bool polling() const { return polling_; }
    qint64 answered() const { return answered_; }
    qint64 framesSent() const { return framesSent_; }
    // Bytes the console sent once polling had started.
    qint64 pollingBytes() const { return pollingBytes_; }
    // The most bytes ever sent beyond one per answered poll, seen at each answer.
    qint64 extraAnswers() const { return extraAnswers_; }
    // Answers that carried a command rather than "nothing to send".
    qint64 commands() const { return commands_; }
    // When the console's first byte came, on the exchange's clock; -1 until then.
    qint64 firstByteUs() const { return firstByteUs_; }
    const std::vector<qint64>& latenciesUs() const { return latencies_; }
    // Microseconds on the exchange's clock.
    qint64 nowUs() const { return exchange_->nowUs(); }

    // Whether every poll had one answer and each answer was followed by one
    // frame; a poll still open when polling was paused is answered after it.
    bool everyPollOnce() const { return answered_ == framesSent_ && extraAnswers_ == 0; }
    QString counts() const;

private:
    void topUpScript();

    ExchangeOptions options_;
    bool changingFrames_;
    bool keepLatencies_;
    std::unique_ptr<ExchangeServer> exchange_;
    ChangingFrames frames_{903};
    qint64 scripted_ = 0;
    qint64 answered_ = 0;
    qint64 framesSent_ = 0;
    qint64 pollingBytes_ = 0;
    qint64 extraAnswers_ = 0;
    qint64 commands_ = 0;
    qint64 firstByteUs_ = -1;
    bool polling_ = false;
    std::vector<qint64> latencies_;
};
