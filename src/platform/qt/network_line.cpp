#include "platform/qt/network_line.h"

#include "link/port_server_refusal.h"
#include "platform/qt/network_device.h"

#include <utility>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <unistd.h>
#endif

namespace
{

// Serial bytes held for the console, as a serial port's read buffer: what does
// not fit waits in the network's own buffers.
constexpr qint64 ReadBufferBytes = 4096;

// Whether the connection behind `handle` was broken off (a reset) rather than
// closed: Qt tells both as a close.
bool brokenOff(int handle)
{
#ifdef Q_OS_LINUX
    tcp_info info{};
    socklen_t size = sizeof info;
    return handle >= 0 && ::getsockopt(handle, IPPROTO_TCP, TCP_INFO, &info, &size) == 0
        && info.tcpi_state == TCP_CLOSE;
#else
    Q_UNUSED(handle);
    return false;
#endif
}

} // namespace

NetworkLine::NetworkLine()
{
    socket_.setReadBufferSize(ReadBufferBytes);
    deadline_.setSingleShot(true);
    deadline_.setInterval(Deadline);
    QObject::connect(&deadline_, &QTimer::timeout, [this] {
        endOpen(LineFailure{LineFailure::Cause::NoAnswer,
            QStringLiteral("Connection timed out (%1 s)").arg(deadline_.interval() / 1000.0)});
    });
    QObject::connect(&socket_, &QTcpSocket::connected, [this] { connected(); });
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { arrived(); });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this] { lost(); });
    QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { lost(); });
}

// A socket still connected would report its own end to a line half gone.
NetworkLine::~NetworkLine()
{
    socket_.disconnect();
    socket_.abort();
    releaseHandle();
}

void NetworkLine::open(const QString& device, SerialPort::OpenDone done)
{
    close();
    const auto target = networkDevice(device);
    if (!target) {
        done(LineFailure{LineFailure::Cause::InvalidAddress, device});
        return;
    }
    if (target->framing == NetworkDevice::Framing::Rfc2217)
        telnet_.emplace();
    pending_ = std::move(done);
    screening_ = true;
    deadline_.start();
    socket_.connectToHost(target->host, target->port);
}

void NetworkLine::close()
{
    deadline_.stop();
    pending_ = nullptr;
    open_ = false;
    telnet_.reset();
    received_.clear();
    socket_.abort();
    releaseHandle();
}

QByteArray NetworkLine::read(qint64 count)
{
    const QByteArray taken = received_.left(count);
    received_.remove(0, taken.size());
    // Bytes left in the socket while this buffer was full are taken without
    // waiting for the network to bring more.
    if (!taken.isEmpty() && socket_.bytesAvailable() > 0)
        QMetaObject::invokeMethod(
            &socket_, [this] { arrived(); }, Qt::QueuedConnection);
    return taken;
}

void NetworkLine::write(char byte)
{
    if (open_)
        send(telnet_ ? TelnetNegotiation::escape(byte) : QByteArray(1, byte));
}

void NetworkLine::connected()
{
#ifdef Q_OS_LINUX
    // A handle of our own keeps the connection's state readable after Qt lets it go.
    handle_ = ::dup(int(socket_.socketDescriptor()));
#endif
    // Every poll is answered with one byte: it must leave at once.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (!telnet_) {
        endOpen(std::nullopt);
        return;
    }
    send(telnet_->greeting());
}

void NetworkLine::arrived()
{
    // Raw bytes never decode to more serial bytes than they are.
    const QByteArray raw = socket_.read(ReadBufferBytes - received_.size());
    if (!telnet_)
        received_ += raw;
    else if (!takeTelnet(raw))
        return;
    if (screened())
        return;
    if (pending_ && telnet_ && telnet_->state() == TelnetNegotiation::State::Ready)
        endOpen(std::nullopt);
    if (open_ && !received_.isEmpty())
        readyRead();
}

bool NetworkLine::takeTelnet(const QByteArray& raw)
{
    const TelnetNegotiation::Received in = telnet_->receive(raw);
    received_ += in.data;
    if (pending_ && telnet_->state() == TelnetNegotiation::State::Refused) {
        endOpen(LineFailure{LineFailure::Cause::SettingsRefused,
            QStringLiteral("The device server refused to set its port to 9600 8N1 (RFC 2217)")});
        return false;
    }
    // A server that hung up fails the line as it is written to: with what it said.
    send(in.reply);
    return pending_ || open_;
}

bool NetworkLine::screened()
{
    if (!screening_ || received_.isEmpty())
        return false;
    if (const auto refusal = portServerRefusal(received_, false)) {
        fail(*refusal);
        return true;
    }
    screening_ = mayBePortServerRefusal(received_);
    return screening_;
}

// A connection that cannot be made, or that the far end closed or lost.
void NetworkLine::lost()
{
    if (!pending_ && !open_)
        return;
    const auto refusal = screening_ ? portServerRefusal(received_, true) : std::nullopt;
    fail(refusal.value_or(socketFailure()));
}

void NetworkLine::fail(const LineFailure& failure)
{
    if (pending_) {
        endOpen(failure);
        return;
    }
    close();
    failed(failure);
}

LineFailure NetworkLine::socketFailure() const
{
    using Cause = LineFailure::Cause;
    const QString words = socket_.errorString();
    switch (socket_.error()) {
    case QAbstractSocket::ConnectionRefusedError: return {Cause::Refused, words};
    case QAbstractSocket::HostNotFoundError: return {Cause::UnknownHost, words};
    case QAbstractSocket::SocketTimeoutError: return {Cause::NoAnswer, words};
    case QAbstractSocket::RemoteHostClosedError: return {brokenOff(handle_) ? Cause::Reset : Cause::Closed, words};
    default: return {Cause::Unmapped, words};
    }
}

void NetworkLine::send(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    socket_.write(bytes);
    socket_.flush();
}

void NetworkLine::endOpen(const std::optional<LineFailure>& failure)
{
    if (!pending_)
        return;
    const SerialPort::OpenDone done = std::exchange(pending_, nullptr);
    deadline_.stop();
    if (failure) {
        close();
    } else {
        open_ = true;
        received_.clear(); // whatever came before the line was set up is not for us
    }
    done(failure);
}

void NetworkLine::releaseHandle()
{
#ifdef Q_OS_LINUX
    if (handle_ >= 0)
        ::close(handle_);
#endif
    handle_ = -1;
}
