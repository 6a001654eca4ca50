#include "platform/qt/tracing_serial_port.h"

#include "platform/qt/trace.h"

#include <utility>

TracingSerialPort::TracingSerialPort(SerialPort& port, Trace& trace)
    : port_(port)
    , trace_(trace)
{
    port_.onData([this] {
        inNotification_ = true;
        dataWaiting();
        inNotification_ = false;
        traceReceived(std::exchange(readInNotification_, QByteArray()));
    });
    port_.onLost([this](const LineFailure& failure) { lost(failure); });
}

QByteArray TracingSerialPort::read(int count)
{
    const QByteArray bytes = port_.read(count);
    if (inNotification_)
        readInNotification_ += bytes;
    else
        traceReceived(bytes);
    return bytes;
}

void TracingSerialPort::write(unsigned char byte)
{
    trace_.line(QStringLiteral("tx ") + QString::fromLatin1(QByteArray(1, char(byte)).toHex()));
    port_.write(byte);
}

void TracingSerialPort::traceReceived(const QByteArray& bytes)
{
    if (!bytes.isEmpty())
        trace_.line(QStringLiteral("rx ") + QString::fromLatin1(bytes.toHex(' ')));
}
