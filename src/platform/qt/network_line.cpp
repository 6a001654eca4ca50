#include "platform/qt/network_line.h"

#include "platform/qt/network_device.h"

#include <utility>

namespace
{

// Serial bytes held for the console, as a serial port's read buffer: what does
// not fit waits in the network's own buffers.
constexpr qint64 ReadBufferBytes = 4096;

} // namespace

NetworkLine::NetworkLine()
{
    socket_.setReadBufferSize(ReadBufferBytes);
    deadline_.setSingleShot(true);
    deadline_.setInterval(Deadline);
    QObject::connect(&deadline_, &QTimer::timeout,
        [this] { endOpen(QStringLiteral("Connection timed out (%1 s)").arg(deadline_.interval() / 1000.0)); });
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
}

void NetworkLine::open(const QString& device, SerialPort::OpenDone done)
{
    close();
    const auto target = networkDevice(device);
    if (!target) {
        done(QStringLiteral("Dirección de red no válida: %1 (tcp://EQUIPO:PUERTO o rfc2217://EQUIPO:PUERTO)")
                 .arg(device));
        return;
    }
    if (target->framing == NetworkDevice::Framing::Rfc2217)
        telnet_.emplace();
    pending_ = std::move(done);
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
    if (!telnet_) {
        received_ += raw;
    } else {
        const TelnetNegotiation::Received in = telnet_->receive(raw);
        send(in.reply);
        received_ += in.data;
        if (pending_ && telnet_->state() == TelnetNegotiation::State::Ready)
            endOpen(std::nullopt);
        else if (pending_ && telnet_->state() == TelnetNegotiation::State::Refused)
            endOpen(QStringLiteral("The device server refused to set its port to 9600 8N1 (RFC 2217)"));
    }
    if (open_ && !received_.isEmpty())
        readyRead();
}

// A connection that cannot be made, or that the far end closed or lost.
void NetworkLine::lost()
{
    if (pending_) {
        endOpen(socket_.errorString());
        return;
    }
    if (!open_)
        return;
    close();
    failed();
}

void NetworkLine::send(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    socket_.write(bytes);
    socket_.flush();
}

void NetworkLine::endOpen(const std::optional<QString>& error)
{
    if (!pending_)
        return;
    const SerialPort::OpenDone done = std::exchange(pending_, nullptr);
    deadline_.stop();
    if (error) {
        close();
    } else {
        open_ = true;
        received_.clear(); // whatever came before the line was set up is not for us
    }
    done(error);
}
