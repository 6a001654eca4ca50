#pragma once

#include "platform/serial_port.h"

#include <QSerialPort>

// The serial line on QSerialPort: 9600 8N1, no flow control, a 4096-byte
// read buffer. A data notification is raised while the waiting bytes reach the
// receive threshold, checked again after every handled notification and after
// every change of the threshold, so bytes that arrived together are never
// stranded. A port that vanishes (end of file, I/O error) is closed, so
// nothing spins; the watchdog then notices the silence.
class QtSerialPort final : public SerialPort
{
public:
    QtSerialPort();

    // The next open uses this device instead of the one the number names (once).
    void useDeviceOnce(const QString& path) { deviceOnce_ = path; }

    std::optional<QString> open(int portNumber) override;
    void close() override;
    bool isOpen() const override;
    void discardOutput() override;
    int bytesWaiting() const override;
    QByteArray read(int count) override;
    void write(unsigned char byte) override;
    void setReceiveThreshold(int bytes) override;
    int receiveThreshold() const override { return threshold_; }

private:
    void deliver();
    void scheduleDelivery();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    std::optional<QString> deviceOnce_;
    int threshold_ = 0;
    bool delivering_ = false;
    bool deliveryScheduled_ = false;
};
