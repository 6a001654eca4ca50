#include "platform/qt/qt_serial_port.h"

#include "platform/qt/network_device.h"
#include "platform/qt/serial_devices.h"

#include <QTimer>

#include <utility>

QtSerialPort::QtSerialPort()
{
    for (ByteLine* line : {static_cast<ByteLine*>(&local_), static_cast<ByteLine*>(&network_)}) {
        line->onReadyRead([this] { deliver(); });
        line->onFailed([this](LineFailure failure) {
            failure.line = lineName_;
            lost(failure);
        });
    }
}

void QtSerialPort::open(int portNumber, OpenDone done)
{
    const bool given = deviceOnce_.has_value();
    const std::optional<QString> device
        = given ? std::exchange(deviceOnce_, std::nullopt) : serialDeviceFor(portNumber);
    if (!device) {
        done(LineFailure{LineFailure::Cause::InvalidPortNumber});
        return;
    }
    line_->close();
    const bool network = isNetworkDevice(*device);
    line_ = network ? static_cast<ByteLine*>(&network_) : static_cast<ByteLine*>(&local_);
    // A device given for the run is named by its address or path, not by the port number.
    lineName_ = !given ? QString() : network ? networkAddress(*device) : *device;
    line_->open(*device, [name = lineName_, done = std::move(done)](std::optional<LineFailure> failure) {
        if (failure)
            failure->line = name;
        done(failure);
    });
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
    if (delivering_)
        return; // the running round checks again when the handler returns
    if (threshold_ > 0 && line_->bytesAvailable() >= threshold_)
        scheduleDelivery();
    else
        awaitRest();
}

// The line wakes the port when the rest of what the threshold asks for is in.
void QtSerialPort::awaitRest()
{
    const qint64 waiting = line_->bytesAvailable();
    line_->expect(threshold_ - waiting, waiting > 0);
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
        dataWaiting();
        if (line_->bytesAvailable() == before && threshold_ == thresholdBefore)
            break;
    }
    delivering_ = false;
    awaitRest();
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
