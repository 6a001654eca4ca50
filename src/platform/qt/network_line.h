#pragma once

#include "link/telnet_negotiation.h"
#include "platform/qt/byte_line.h"

#include <QTcpSocket>
#include <QTimer>

#include <chrono>
#include <optional>

// A serial line behind a device server, over TCP (see network_device.h), on
// Qt's event loop: connecting never blocks. The open ends when the connection
// is made and, with RFC 2217, the far port is set to 9600 8N1; a connection
// that cannot be made or set up within the deadline fails the open. A
// connection that drops later fails the line. The server's first bytes are
// held until they cannot be its refusal to give its port (port_server_refusal.h),
// which fails the line like a dropped connection.
class NetworkLine final : public ByteLine
{
public:
    // How long connecting and setting up the far port may take.
    static constexpr std::chrono::milliseconds Deadline{5000};

    NetworkLine();
    ~NetworkLine() override;
    NetworkLine(const NetworkLine&) = delete;
    NetworkLine& operator=(const NetworkLine&) = delete;

    void open(const QString& device, SerialPort::OpenDone done) override;
    void close() override;
    bool isOpen() const override { return open_; }
    qint64 bytesAvailable() const override { return received_.size(); }
    QByteArray read(qint64 count) override;
    void write(char byte) override;
    // Bytes leave as they are written; nothing waits to be discarded.
    void discardOutput() override { }

private:
    void connected();
    void arrived();
    // Takes the server's Telnet bytes; false when the line ended meanwhile.
    bool takeTelnet(const QByteArray& raw);
    void lost();
    // Why the connection failed, as the socket tells it.
    LineFailure socketFailure() const;
    // Whether the first bytes are held, or a refusal ended the line.
    bool screened();
    // The open, or the line once open, fails.
    void fail(const LineFailure& failure);
    void send(const QByteArray& bytes);
    // Ends a pending open; on failure the connection is dropped.
    void endOpen(const std::optional<LineFailure>& failure);
    void releaseHandle();

    QTcpSocket socket_;
    QTimer deadline_;
    std::optional<TelnetNegotiation> telnet_;
    QByteArray received_;
    SerialPort::OpenDone pending_;
    bool open_ = false;
    bool screening_ = false; // the server's first bytes may still be its refusal
    int handle_ = -1; // our own handle on the connection, to tell a reset from a close
};
