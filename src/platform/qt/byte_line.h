#pragma once

#include "platform/serial_port.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <utility>

// One kind of line to the exchange (a local serial device, a device server on
// the network) as the serial port drives it: bytes in and out, no thresholds.
// A line that fails while open (end of file, an I/O error, a dropped
// connection) closes itself and reports it once, with why.
class ByteLine
{
public:
    virtual ~ByteLine() = default;

    // Opens the named device at 9600 8N1; `done` as for SerialPort::open.
    // Whatever waited on the line before it opened is dropped.
    virtual void open(const QString& device, SerialPort::OpenDone done) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray read(qint64 count) = 0;
    // Sends one byte at once.
    virtual void write(char byte) = 0;
    virtual void discardOutput() = 0;
    // Told how many bytes the reader still waits for beyond those read, and
    // whether what it waits for has begun to arrive, a line may stay asleep
    // until they can all be there; one that cannot wakes for each byte.
    virtual void expect(qint64 /*missing*/, bool /*begun*/) { }

    void onReadyRead(std::function<void()> handler) { readyRead_ = std::move(handler); }
    void onFailed(std::function<void(const LineFailure&)> handler) { failed_ = std::move(handler); }

protected:
    void readyRead() const
    {
        if (readyRead_)
            readyRead_();
    }
    void failed(const LineFailure& failure) const
    {
        if (failed_)
            failed_(failure);
    }

private:
    std::function<void()> readyRead_;
    std::function<void(const LineFailure&)> failed_;
};
