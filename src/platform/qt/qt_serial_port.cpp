#include "platform/qt/qt_serial_port.h"

#include "platform/qt/serial_devices.h"

#include <QTimer>

#include <utility>

namespace
{

constexpr int ReadBufferBytes = 4096;

} // namespace

QtSerialPort::QtSerialPort()
{
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { deliver(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) { onError(e); });
}

std::optional<QString> QtSerialPort::open(int portNumber)
{
    const std::optional<QString> device
        = deviceOnce_ ? std::exchange(deviceOnce_, std::nullopt) : serialDeviceFor(portNumber);
    if (!device)
        return QStringLiteral("Número de puerto no válido");
    port_.setPortName(*device);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(ReadBufferBytes);
    if (!port_.open(QIODevice::ReadWrite))
        return port_.errorString();
    // Whatever waited in the device before this run is not for us.
    port_.clear(QSerialPort::AllDirections);
    return std::nullopt;
}

void QtSerialPort::close()
{
    port_.close();
}

bool QtSerialPort::isOpen() const
{
    return port_.isOpen();
}

void QtSerialPort::discardOutput()
{
    if (port_.isOpen())
        port_.clear(QSerialPort::Output);
}

int QtSerialPort::bytesWaiting() const
{
    return int(port_.bytesAvailable());
}

QByteArray QtSerialPort::read(int count)
{
    return port_.read(count);
}

void QtSerialPort::write(unsigned char byte)
{
    if (!port_.isOpen())
        return;
    const char c = char(byte);
    port_.write(&c, 1);
    port_.flush();
}

void QtSerialPort::setReceiveThreshold(int bytes)
{
    threshold_ = bytes;
    if (!delivering_)
        scheduleDelivery();
}

// Raises data notifications while enough bytes wait. A notification that takes
// nothing and keeps the threshold ends the round until more bytes come.
void QtSerialPort::deliver()
{
    if (delivering_)
        return; // the running round checks again when the handler returns
    delivering_ = true;
    while (port_.isOpen() && threshold_ > 0 && port_.bytesAvailable() >= threshold_) {
        const qint64 before = port_.bytesAvailable();
        const int thresholdBefore = threshold_;
        notify(Notification::Data);
        if (port_.bytesAvailable() == before && threshold_ == thresholdBefore)
            break;
    }
    delivering_ = false;
}

void QtSerialPort::scheduleDelivery()
{
    if (deliveryScheduled_)
        return;
    deliveryScheduled_ = true;
    QTimer::singleShot(0, &port_, [this] {
        deliveryScheduled_ = false;
        deliver();
    });
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    // Line-control calls a pseudo-terminal refuses, and time-outs, are no faults.
    if (error != QSerialPort::ReadError && error != QSerialPort::WriteError && error != QSerialPort::ResourceError)
        return;
    if (!port_.isOpen())
        return;
    // The device is gone: stop reading from it (closing later, outside Qt's own handler).
    QTimer::singleShot(0, &port_, [this] {
        port_.close();
        notify(Notification::Other);
    });
}
