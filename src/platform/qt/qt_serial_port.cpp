#include "platform/qt/qt_serial_port.h"

#include "platform/qt/network_device.h"
#include "platform/qt/serial_devices.h"

#include <QTimer>

#include <utility>

QtSerialPort::QtSerialPort()
{
    for (ByteLine* line : {static_cast<ByteLine*>(&local_), static_cast<ByteLine*>(&network_)}) {
        line->onReadyRead([this] { deliver(); });
        line->onFailed([this] { notify(Notification::Other); });
    }
}

void QtSerialPort::open(int portNumber, OpenDone done)
{
    const std::optional<QString> device
        = deviceOnce_ ? std::exchange(deviceOnce_, std::nullopt) : serialDeviceFor(portNumber);
    if (!device) {
        done(QStringLiteral("Número de puerto no válido"));
        return;
    }
    line_->close();
    line_ = isNetworkDevice(*device) ? static_cast<ByteLine*>(&network_) : static_cast<ByteLine*>(&local_);
    line_->open(*device, std::move(done));
}

void QtSerialPort::discardOutput()
{
    if (line_->isOpen())
        line_->discardOutput();
}

void QtSerialPort::write(unsigned char byte)
{
    if (line_->isOpen())
        line_->write(char(byte));
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
    while (line_->isOpen() && threshold_ > 0 && line_->bytesAvailable() >= threshold_) {
        const qint64 before = line_->bytesAvailable();
        const int thresholdBefore = threshold_;
        notify(Notification::Data);
        if (line_->bytesAvailable() == before && threshold_ == thresholdBefore)
            break;
    }
    delivering_ = false;
}

void QtSerialPort::scheduleDelivery()
{
    if (deliveryScheduled_)
        return;
    deliveryScheduled_ = true;
    QTimer::singleShot(0, &context_, [this] {
        deliveryScheduled_ = false;
        deliver();
    });
}
