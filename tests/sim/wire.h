#pragma once

#include "sim/exchange.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

// Drives an Exchange on virtual time, as a console on the other end of the
// line sees it: every byte the exchange sends with the time it arrives, read
// in order as a console reads them.
class Wire
{
public:
    static constexpr std::int64_t Second = 1'000'000;

    explicit Wire(ExchangeOptions options = quietOptions())
        : exchange(std::move(options))
    {
    }

    // Paced, no random traffic, no script: a predictable exchange.
    static ExchangeOptions quietOptions()
    {
        ExchangeOptions options;
        options.traffic = false;
        return options;
    }
    static ExchangeOptions fastOptions()
    {
        ExchangeOptions options = quietOptions();
        options.paced = false;
        return options;
    }

    void send(unsigned char byte)
    {
        exchange.receive(byte, now);
        collect();
    }
    void runFor(std::int64_t us) { runUntil(now + us); }
    void runUntil(std::int64_t t)
    {
        for (auto wake = exchange.nextWakeUs(); wake && *wake <= t; wake = exchange.nextWakeUs())
            step(*wake);
        step(t);
    }
    // Reads the next `count` bytes, waiting for them at most `limitUs`; fewer when they do not come.
    QByteArray expect(int count, std::int64_t limitUs = 10 * Second)
    {
        const std::int64_t end = now + limitUs;
        while (int(received.size() - read_) < count) {
            auto wake = exchange.nextWakeUs();
            if (!wake || *wake > end)
                break;
            step(*wake);
        }
        const size_t first = read_;
        read_ = std::min(received.size(), read_ + size_t(count));
        return bytes(first, read_);
    }
    // Reads up to and including the next poll.
    QByteArray expectPoll(std::int64_t limitUs = 10 * Second)
    {
        QByteArray bytes;
        for (QByteArray b = expect(1, limitUs); !b.isEmpty(); b = expect(1, limitUs)) {
            bytes += b;
            if (b[0] == char(0x19))
                break;
        }
        return bytes;
    }
    QByteArray bytes(size_t first, size_t end) const
    {
        QByteArray result;
        for (size_t i = first; i < end; ++i)
            result += char(received[i].byte);
        return result;
    }
    // Forgets every byte that has arrived and was not read.
    void skipArrived() { read_ = received.size(); }
    // Time of the last byte read.
    std::int64_t lastReadUs() const { return read_ ? received[read_ - 1].timeUs : 0; }

    // Identity, table, block and 0xC0, answered as the console does.
    void handshake()
    {
        send(0x44);
        expect(10);
        send(0x42);
        expect(512);
        send(0x43);
        expect(2048);
        send(0xC0);
    }
    // Waits for the next poll, answers it and returns the frame.
    QByteArray cycle(unsigned char answer = 0x8E)
    {
        if (expect(1) != QByteArray(1, char(0x19)))
            return {};
        send(answer);
        return expect(25);
    }

    Exchange exchange;
    std::vector<ConsoleByte> received; // exchange to console, with arrival times
    std::int64_t now = 0;

private:
    void step(std::int64_t t)
    {
        now = std::max(now, t);
        exchange.advanceTo(now);
        collect();
    }
    void collect()
    {
        for (char byte : exchange.takeOutput())
            received.push_back({static_cast<unsigned char>(byte), now});
    }
    size_t read_ = 0;
};
