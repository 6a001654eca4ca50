#pragma once

#include "platform/qt/local_serial_line.h"
#include "platform/qt/network_line.h"
#include "platform/serial_port.h"

#include <QObject>

// The serial line to the exchange: the device the port number names, or the
// one given for a run, which may be a device server on the network
// (network_device.h). A data notification is raised while the waiting bytes
// reach the receive threshold, checked again after every handled notification
// and after every change of the threshold, so bytes that arrived together are
// never stranded. A line that fails (a vanished device, a dropped connection)
// is closed, so nothing spins, and reported as lost. Failures name a device
// given for the run by its path or network address.
class QtSerialPort final : public SerialPort
{
public:
    QtSerialPort();

    // The next open uses this device instead of the one the number names (once).
    void useDeviceOnce(const QString& path) { deviceOnce_ = path; }

    void open(int portNumber, OpenDone done) override;
    void close() override { line_->close(); }
    bool isOpen() const override { return line_->isOpen(); }
    void discardOutput() override;
    int bytesWaiting() const override { return int(line_->bytesAvailable()); }
    QByteArray read(int count) override { return line_->read(count); }
    void write(unsigned char byte) override;
    void setReceiveThreshold(int bytes) override;
    int receiveThreshold() const override { return threshold_; }

private:
    void deliver();
    void awaitRest();
    void scheduleDelivery();

    LocalSerialLine local_;
    NetworkLine network_;
    ByteLine* line_ = &local_;
    QObject context_;
    std::optional<QString> deviceOnce_;
    QString lineName_; // of the device given for the run now open, else empty
    int threshold_ = 0;
    bool delivering_ = false;
    bool deliveryScheduled_ = false;
};
