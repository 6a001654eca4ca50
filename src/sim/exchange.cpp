#include "sim/exchange.h"

#include "wire/commands.h"
#include "wire/frame_layout.h"

#include <algorithm>

namespace
{
constexpr std::int64_t UsPerMs = 1000;
constexpr std::int64_t BitsPerByte = 10; // 8N1: start, 8 data, stop
constexpr std::int64_t BitsPerSecond = 9600;
constexpr char IdentityPrefix[] = "ID";
constexpr int IdentityFieldLength = 4;
} // namespace

Exchange::Exchange(ExchangeOptions options)
    : options_(std::move(options))
    , calls_(options_.plan, options_.seed, options_.traffic)
    , script_(options_.script.begin(), options_.script.end())
{
    deaf_ = options_.faults.silentFrom == Faults::Stage::BeforeIdentity;
}

QByteArray Exchange::identityReply() const
{
    return QByteArray(IdentityPrefix) + options_.model.leftJustified(IdentityFieldLength, ' ', true)
        + options_.serial.leftJustified(IdentityFieldLength, ' ', true);
}

void Exchange::appendScript(const std::vector<ScriptStep>& steps)
{
    script_.insert(script_.end(), steps.begin(), steps.end());
}

void Exchange::pausePolling()
{
    stopPolling();
}

void Exchange::fallSilent()
{
    deaf_ = true;
    stopPolling();
}

Exchange::Pace Exchange::linePace() const
{
    if (!options_.paced)
        return {0, 1};
    return {BitsPerByte * 1'000'000, BitsPerSecond};
}

// Queues bytes on the line from `earliestUs` (or when the line is free);
// returns when the last one is due.
std::int64_t Exchange::send(const QByteArray& bytes, std::int64_t earliestUs, Pace pace)
{
    const std::int64_t start = std::max({earliestUs, lineFreeUs_, now_});
    for (qsizetype i = 0; i < bytes.size(); ++i)
        unsent_.push_back({start + pace.durationUs(i + 1), bytes[i]});
    lineFreeUs_ = start + pace.durationUs(bytes.size());
    return lineFreeUs_;
}

void Exchange::dropUnsent()
{
    unsent_.clear();
    lineFreeUs_ = now_;
    garbage_.clear();
    garbageAtUs_.reset();
}

void Exchange::receive(unsigned char byte, std::int64_t nowUs)
{
    advanceTo(nowUs);
    handle(byte);
    runEventsUpTo(now_);
    releaseDue();
}

void Exchange::record(unsigned char byte)
{
    if (consoleBytes_.size() == 2 * ConsoleBytesKept)
        consoleBytes_.erase(consoleBytes_.begin(), consoleBytes_.begin() + ConsoleBytesKept);
    consoleBytes_.push_back({byte, now_});
}

void Exchange::handle(unsigned char byte)
{
    record(byte);
    if (listener_)
        listener_->consoleByte(byte, now_);
    if (deaf_)
        return;
    if (byte == wire::RequestIdentity) {
        newConnection();
        sendIdentity();
        return;
    }
    if (ended_)
        return;
    if (awaitingAnswer_ && byte != wire::StartPolling) {
        answerPoll(byte);
        return;
    }
    switch (byte) {
    case wire::RequestNumberingTable:
        stopPolling();
        if (!std::exchange(tableAhead_, false))
            sendBlock(options_.plan.numberingTable(), options_.faults.table, Faults::Stage::InTable);
        break;
    case wire::RequestSpeedDials:
        stopPolling();
        sendBlock(options_.plan.directoryBlock(), options_.faults.block, Faults::Stage::InBlock);
        break;
    case wire::StartPolling: startPolling(); break;
    case wire::EndConnection: endConnection(); break;
    }
}

void Exchange::newConnection()
{
    dropUnsent();
    stopPolling();
    ended_ = false;
    tableAhead_ = false;
    handshakeDone_ = false;
}

void Exchange::sendIdentity()
{
    const QByteArray reply = identityReply();
    const Faults& faults = options_.faults;
    const int split = faults.identitySplitAt;
    if (split > 0 && split < reply.size()) {
        const std::int64_t firstEnd = send(reply.left(split), now_, linePace());
        send(reply.mid(split), firstEnd + faults.identitySplitGapMs * UsPerMs, linePace());
    } else {
        send(reply, now_, linePace());
    }
    if (faults.identityWithTable) {
        sendBlock(options_.plan.numberingTable(), faults.table, Faults::Stage::InTable);
        tableAhead_ = true;
    }
}

void Exchange::sendBlock(const QByteArray& data, const Faults::Block& fault, Faults::Stage stage)
{
    qsizetype length = fault.length >= 0 ? std::min<qsizetype>(fault.length, data.size()) : data.size();
    const bool fallsSilent = options_.faults.silentFrom == stage;
    if (fallsSilent)
        length = std::min<qsizetype>(length, options_.faults.silentAfter);
    const Pace pace = fault.byteUs > 0 ? Pace{fault.byteUs, 1} : linePace();
    send(data.left(length), now_ + fault.delayMs * UsPerMs, pace);
    deaf_ = deaf_ || fallsSilent;
}

void Exchange::startPolling()
{
    polling_ = true;
    awaitingAnswer_ = false;
    if (!std::exchange(handshakeDone_, true) && listener_)
        listener_->handshakeDone();
    if (silencedInPolling())
        return;
    playInterludes();
    if (!garbage_.isEmpty())
        garbageAtUs_ = now_;
    nextPollUs_ = polling_ ? std::optional(now_) : std::nullopt;
}

void Exchange::stopPolling()
{
    polling_ = false;
    awaitingAnswer_ = false;
    nextPollUs_.reset();
}

void Exchange::endConnection()
{
    dropUnsent();
    stopPolling();
    ended_ = true;
    if (listener_)
        listener_->connectionEnded();
}

void Exchange::sendPoll()
{
    pollStartUs_ = now_;
    pollDueUs_ = send(QByteArray(1, char(wire::Poll)), now_, linePace());
    awaitingAnswer_ = true;
    const std::int64_t period = options_.pollPeriodMs * UsPerMs;
    nextPollUs_ = pollDueUs_ + std::max(AnswerTimeoutUs, period);
}

void Exchange::answerPoll(unsigned char answer)
{
    awaitingAnswer_ = false;
    nextPollUs_.reset();
    if (listener_)
        listener_->pollAnswered(answer, now_ - pollDueUs_);
    if (answer == wire::EndConnection) {
        endConnection();
        return;
    }
    calls_.command(answer, now_);
    const QByteArray frame = nextFrame();
    send(frame, now_, linePace());
    ++framesSent_;
    if (listener_)
        listener_->frameSent(frame);
    if (silencedInPolling())
        return;
    scheduleAfterFrame();
}

// After as many frames as the fault allows, the exchange falls silent for good.
bool Exchange::silencedInPolling()
{
    const Faults& faults = options_.faults;
    if (faults.silentFrom != Faults::Stage::InPolling || framesSent_ < faults.silentAfter)
        return false;
    fallSilent();
    return true;
}

QByteArray Exchange::nextFrame()
{
    if (!script_.empty() && script_.front().kind == ScriptStep::Kind::Frame) {
        lastScriptedFrame_ = script_.front().bytes.leftJustified(wire::StatusFrameLength, '\0', true);
        script_.pop_front();
    }
    if (!lastScriptedFrame_.isEmpty())
        return lastScriptedFrame_;
    calls_.advanceTo(now_);
    return calls_.frame();
}

// Garbage and pauses that stand before the next scripted frame.
void Exchange::playInterludes()
{
    while (!script_.empty() && script_.front().kind != ScriptStep::Kind::Frame) {
        const ScriptStep step = script_.front();
        script_.pop_front();
        if (step.kind == ScriptStep::Kind::Garbage)
            garbage_ += step.bytes;
        else
            polling_ = false;
    }
}

void Exchange::scheduleAfterFrame()
{
    playInterludes();
    const Faults& faults = options_.faults;
    if (faults.garbageEvery > 0 && framesSent_ % faults.garbageEvery == 0)
        garbage_ += char(faults.garbageByte);
    if (!polling_) {
        stopPolling();
    } else {
        const std::int64_t period = options_.pollPeriodMs * UsPerMs;
        nextPollUs_ = period > 0 ? std::max(pollStartUs_ + period, lineFreeUs_) : lineFreeUs_;
    }
    if (!garbage_.isEmpty())
        garbageAtUs_ = nextPollUs_ ? (lineFreeUs_ + *nextPollUs_) / 2 : lineFreeUs_;
}

void Exchange::runEventsUpTo(std::int64_t nowUs)
{
    for (;;) {
        const bool garbageFirst = garbageAtUs_ && (!nextPollUs_ || *garbageAtUs_ <= *nextPollUs_);
        const std::optional<std::int64_t> next = garbageFirst ? garbageAtUs_ : nextPollUs_;
        if (!next || *next > nowUs)
            return;
        now_ = std::max(now_, *next);
        if (garbageFirst) {
            send(std::exchange(garbage_, {}), now_, linePace());
            garbageAtUs_.reset();
        } else {
            sendPoll();
        }
    }
}

void Exchange::advanceTo(std::int64_t nowUs)
{
    runEventsUpTo(nowUs);
    now_ = std::max(now_, nowUs);
    releaseDue();
}

void Exchange::releaseDue(std::int64_t aheadUs)
{
    while (!unsent_.empty() && unsent_.front().dueUs <= now_ + aheadUs) {
        due_ += unsent_.front().byte;
        unsent_.pop_front();
    }
}

QByteArray Exchange::takeOutput(std::int64_t aheadUs)
{
    releaseDue(aheadUs);
    return std::exchange(due_, {});
}

std::optional<std::int64_t> Exchange::nextWakeUs(std::int64_t aheadUs) const
{
    std::optional<std::int64_t> next;
    auto consider = [&next](std::optional<std::int64_t> t) {
        if (t && (!next || *t < *next))
            next = t;
    };
    if (!unsent_.empty())
        consider(unsent_.front().dueUs - aheadUs);
    consider(nextPollUs_);
    consider(garbageAtUs_);
    return next;
}
