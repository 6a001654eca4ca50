#pragma once

#include "link/protocol.h"
#include "sim/exchange.h"
#include "sim/sim_command_line.h"

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

    // The exchange as the simulator's command line describes it, without random traffic.
    explicit Wire(const QString& arguments = {})
        : Wire(options(arguments))
    {
    }
    explicit Wire(ExchangeOptions options)
        : exchange(std::move(options))
    {
    }
    static ExchangeOptions options(const QString& arguments)
    {
        const QStringList line
            = QStringList{"r903-sim", "--pty", "--no-traffic"} + arguments.split(u' ', Qt::SkipEmptyParts);
        return std::get<SimCommandLine>(parseSimCommandLine(line)).options;
    }

    void send(unsigned char byte)
    {
        exchange.receive(byte, now);
        collect();
    }
    void runFor(std::int64_t us)
    {
        const std::int64_t end = now + us;
        for (auto wake = exchange.nextWakeUs(); wake && *wake <= end; wake = exchange.nextWakeUs())
            step(*wake);
        step(end);
    }
    // Reads the next `count` bytes, waiting for them at most `limitUs`; fewer when they do not come.
    QByteArray expect(int count, std::int64_t limitUs = 10 * Second)
    {
        const std::int64_t end = now + limitUs;
        for (auto wake = exchange.nextWakeUs(); int(received.size() - read_) < count && wake && *wake <= end;
             wake = exchange.nextWakeUs())
            step(*wake);
        QByteArray bytes;
        for (; read_ < received.size() && bytes.size() < count; ++read_)
            bytes += char(received[read_].byte);
        return bytes;
    }
    // Forgets every byte that has arrived and was not read.
    void skipArrived() { read_ = received.size(); }
    // Time of the last byte read.
    std::int64_t lastReadUs() const { return read_ ? received[read_ - 1].timeUs : 0; }

    // The identity, table and block requests, then 0xC0, as the console
    // makes them; how many bytes came after each request.
    std::vector<qsizetype> handshake()
    {
        const std::pair<unsigned char, int> requests[] = {{0x44, 10}, {0x42, 512}, {0x43, 2048}};
        std::vector<qsizetype> lengths;
        for (auto [request, length] : requests) {
            send(request);
            lengths.push_back(expect(length + 1).size());
        }
        send(protocol::IniciaSondeo);
        return lengths;
    }
    // Waits for the next poll, answers it and returns the frame.
    QByteArray cycle(unsigned char answer = protocol::SinComando)
    {
        if (expect(1) != QByteArray(1, char(protocol::Sondeo)))
            return {};
        send(answer);
        return expect(protocol::StatusFrameLength);
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
