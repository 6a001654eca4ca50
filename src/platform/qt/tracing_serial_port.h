#pragma once

#include "platform/serial_port.h"

#include <utility>

class Trace;

// Passes every call to the real port and traces the bytes: one "rx" line for
// what one notification read, one "tx" line per byte written.
class TracingSerialPort final : public SerialPort
{
public:
    TracingSerialPort(SerialPort& port, Trace& trace);

    void open(int portNumber, OpenDone done) override { port_.open(portNumber, std::move(done)); }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    void discardOutput() override { port_.discardOutput(); }
    int bytesWaiting() const override { return port_.bytesWaiting(); }
    QByteArray read(int count) override;
    void write(unsigned char byte) override;
    void setReceiveThreshold(int bytes) override { port_.setReceiveThreshold(bytes); }
    int receiveThreshold() const override { return port_.receiveThreshold(); }

private:
    void traceReceived(const QByteArray& bytes);

    SerialPort& port_;
    Trace& trace_;
    bool inNotification_ = false;
    QByteArray readInNotification_;
};
