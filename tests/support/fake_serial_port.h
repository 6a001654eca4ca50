#pragma once

#include "platform/serial_port.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// A serial port in memory with the receive-threshold rule of the real one:
// delivered bytes raise data notifications while enough of them wait, checked
// again after every handled notification. `events` records the port calls in
// order ("open 1", "threshold 10", "write 44", "close", ...).
class FakeSerialPort final : public SerialPort
{
public:
    void open(int portNumber, OpenDone done) override
    {
        events.push_back("open " + std::to_string(portNumber));
        opened = !failOpenWith;
        done(failOpenWith);
    }
    void close() override
    {
        events.push_back("close");
        opened = false;
    }
    bool isOpen() const override { return opened; }
    void discardOutput() override { events.push_back("discard output"); }
    int bytesWaiting() const override { return int(input.size()); }
    QByteArray read(int count) override
    {
        if (count > input.size())
            ++overreads;
        const QByteArray taken = input.left(count);
        input.remove(0, taken.size());
        return taken;
    }
    void write(unsigned char byte) override
    {
        written.append(char(byte));
        events.push_back("write " + QByteArray(1, char(byte)).toHex().toStdString());
    }
    void setReceiveThreshold(int bytes) override
    {
        threshold = bytes;
        events.push_back("threshold " + std::to_string(bytes));
    }
    int receiveThreshold() const override { return threshold; }

    // Bytes from the exchange arrive.
    void deliver(const QByteArray& bytes)
    {
        input.append(bytes);
        while (opened && threshold > 0 && input.size() >= threshold) {
            const auto before = input.size();
            const int thresholdBefore = threshold;
            dataWaiting();
            if (input.size() == before && threshold == thresholdBefore)
                break;
        }
    }
    // The line goes away (the port closes itself, then says so).
    void lose(const LineFailure& failure)
    {
        opened = false;
        lost(failure);
    }

    // Takes what was written since the last call.
    QByteArray takeWritten() { return std::exchange(written, {}); }

    bool opened = false;
    int threshold = 0;
    QByteArray input;
    QByteArray written;
    std::optional<LineFailure> failOpenWith;
    int overreads = 0; // reads that asked for more than was waiting
    std::vector<std::string> events;
};
