#pragma once

#include "platform/line_failure.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The serial line to the exchange (9600 8N1, no flow control).
// A data notification is raised when the waiting bytes reach the receive
// threshold (never at threshold 0); after each handled notification the
// waiting bytes are checked again, so bytes that arrived together are never
// stranded. A line that fails while open (end of file, an I/O error, a
// dropped connection) is closed and reported once as lost.
class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // Called once an open has ended: nothing when the line is open, else why it cannot be.
    using OpenDone = std::function<void(const std::optional<LineFailure>& failure)>;

    // Opens port number 1-16. A local device answers before open returns; a
    // line over the network answers once it is connected, or never when it is
    // closed first.
    virtual void open(int portNumber, OpenDone done) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void discardOutput() = 0;
    virtual int bytesWaiting() const = 0;
    // Reads up to `count` waiting bytes.
    virtual QByteArray read(int count) = 0;
    // Sends one byte at once.
    virtual void write(unsigned char byte) = 0;

    virtual void setReceiveThreshold(int bytes) = 0;
    virtual int receiveThreshold() const = 0;

    void onData(std::function<void()> handler) { data_ = std::move(handler); }
    void onLost(std::function<void(const LineFailure&)> handler) { lost_ = std::move(handler); }

protected:
    void dataWaiting()
    {
        if (data_)
            data_();
    }
    void lost(const LineFailure& failure)
    {
        if (lost_)
            lost_(failure);
    }

private:
    std::function<void()> data_;
    std::function<void(const LineFailure&)> lost_;
};
