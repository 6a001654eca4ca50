#pragma once

#include "platform/qt/byte_line.h"

#include <QSerialPort>

// A serial device of this computer on QSerialPort: 9600 8N1, no flow control,
// a 4096-byte read buffer. USB adapters are asked for low latency. A device
// that cannot be opened for lack of permission says how the user gets access;
// one that goes away while open is lost as vanished.
class LocalSerialLine final : public ByteLine
{
public:
    LocalSerialLine();

    void open(const QString& device, SerialPort::OpenDone done) override;
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
    QByteArray read(qint64 count) override { return port_.read(count); }
    void write(char byte) override;
    void discardOutput() override;
    // Held in the terminal's minimum read count, so that a status frame
    // arriving byte by byte wakes the console once, not once per byte.
    void setWakeLevel(qint64 bytes) override;

private:
    void onError(QSerialPort::SerialPortError error);
    void applyWakeLevel();

    QSerialPort port_;
    int wakeLevel_ = 1;
    int appliedWakeLevel_ = 0;
};

// Why a device could not be opened, from Qt's error and the platform's words;
// `accessDenied` tells a device this user may not use from one in use.
LineFailure openFailure(QSerialPort::SerialPortError error, const QString& platformText, bool accessDenied);

// Whether the device is a USB serial adapter, whose driver may hold received
// bytes unless asked for low latency.
bool isUsbSerialAdapter(const QString& device);
