#pragma once

#include "platform/qt/byte_line.h"

#include <QSerialPort>
#include <QTimer>

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
    // Once a message has begun, the line is not listened to for as long as
    // the rest takes at 9600 bit/s, then the terminal wakes the reader only
    // when all of it is in (or 255 bytes): a status frame arriving byte by
    // byte costs two or three wake-ups, not one per byte.
    void expect(qint64 missing, bool begun) override;

private:
    void onError(QSerialPort::SerialPortError error);
    void setMinimumRead(qint64 bytes);
    void listen(bool on);

    QSerialPort port_;
    QTimer asleep_;
    int minimumRead_ = 0;
    bool slept_ = false;
};

// Why a device could not be opened, from Qt's error and the platform's words;
// `accessDenied` tells a device this user may not use from one in use.
LineFailure openFailure(QSerialPort::SerialPortError error, const QString& platformText, bool accessDenied);

// Whether the device is a USB serial adapter, whose driver may hold received
// bytes unless asked for low latency.
bool isUsbSerialAdapter(const QString& device);
