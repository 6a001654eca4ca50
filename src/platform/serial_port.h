#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The serial line to the exchange (9600 8N1, no flow control).
// A data notification is raised when the waiting bytes reach the receive
// threshold (never at threshold 0); after each handled notification the
// waiting bytes are checked again, so bytes that arrived together are never
// stranded. Other notifications (line errors, modem lines) come as Other.
class SerialPort
{
public:
    enum class Notification { Data, Other };

    virtual ~SerialPort() = default;

    // Called once an open has ended: nothing when the line is open, else the
    // platform's description of why it cannot be.
    using OpenDone = std::function<void(const std::optional<QString>& error)>;

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

    void onNotification(std::function<void(Notification)> handler) { notify_ = std::move(handler); }

protected:
    void notify(Notification n)
    {
        if (notify_)
            notify_(n);
    }

private:
    std::function<void(Notification)> notify_;
};
