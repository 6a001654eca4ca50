#include "platform/qt/local_serial_line.h"

#include <QFile>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

#include <algorithm>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace
{

constexpr int ReadBufferBytes = 4096;

// Asks the adapter's driver to pass received bytes on at once instead of
// holding them up to 16 ms; a driver that refuses keeps its pace.
void askForLowLatency(QSerialPort& port)
{
#ifdef Q_OS_LINUX
    serial_struct settings{};
    if (::ioctl(port.handle(), TIOCGSERIAL, &settings) != 0)
        return;
    settings.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(port.handle(), TIOCSSERIAL, &settings);
#else
    Q_UNUSED(port);
#endif
}

// Whether this user may not read and write the device (it exists, but is not theirs).
bool lacksAccess(const QString& device)
{
#ifdef Q_OS_UNIX
    return ::faccessat(AT_FDCWD, QFile::encodeName(device).constData(), R_OK | W_OK, AT_EACCESS) != 0
        && errno == EACCES;
#else
    Q_UNUSED(device);
    return false;
#endif
}

} // namespace

LocalSerialLine::LocalSerialLine()
{
    asleep_.setSingleShot(true);
    asleep_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&asleep_, &QTimer::timeout, &port_, [this] { listen(true); });
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { readyRead(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) { onError(e); });
}

void LocalSerialLine::open(const QString& device, SerialPort::OpenDone done)
{
    port_.setPortName(device);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(ReadBufferBytes);
    if (!port_.open(QIODevice::ReadWrite)) {
        done(openFailure(port_.error(), port_.errorString(), lacksAccess(device)));
        return;
    }
    if (isUsbSerialAdapter(device))
        askForLowLatency(port_);
    // Whatever waited in the device before this run is not for us.
    port_.clear(QSerialPort::AllDirections);
    asleep_.stop();
    minimumRead_ = 0;
    setMinimumRead(1);
    done(std::nullopt);
}

void LocalSerialLine::expect(qint64 missing, bool begun)
{
    if (!begun || missing <= 0) {
        slept_ = false;
        asleep_.stop();
        listen(true);
        setMinimumRead(1);
        return;
    }
    setMinimumRead(missing);
    // Once per message: a line slower than its rate is then waited for by count alone.
    if (slept_)
        return;
    constexpr qint64 BitsPerByte = 10; // 8N1
    constexpr qint64 BitsPerSecond = 9600;
    slept_ = true;
    listen(false);
    asleep_.start(int((missing * BitsPerByte * 1000 + BitsPerSecond - 1) / BitsPerSecond));
}

// In raw mode with no read timer, the terminal reports itself readable only
// when the minimum count of bytes waits; reads themselves never block.
void LocalSerialLine::setMinimumRead(qint64 bytes)
{
#ifdef Q_OS_UNIX
    constexpr qint64 MostTerminalWaits = 255; // the count is one byte wide
    const int count = int(std::clamp<qint64>(bytes, 1, MostTerminalWaits));
    if (!port_.isOpen() || count == minimumRead_)
        return;
    termios settings{};
    if (::tcgetattr(port_.handle(), &settings) != 0)
        return;
    settings.c_cc[VMIN] = cc_t(count);
    settings.c_cc[VTIME] = 0;
    if (::tcsetattr(port_.handle(), TCSANOW, &settings) == 0)
        minimumRead_ = count;
#else
    Q_UNUSED(bytes);
#endif
}

// QSerialPort has no call to stop reading for a while: its read notifier is
// switched instead (any read of ours switches it on again).
void LocalSerialLine::listen(bool on)
{
    if (!port_.isOpen())
        return;
    for (QSocketNotifier* notifier : port_.findChildren<QSocketNotifier*>())
        if (notifier->type() == QSocketNotifier::Read)
            notifier->setEnabled(on);
}

// Straight to the device when nothing queues before it: Qt's own write queue
// would cost the event loop two more rounds per byte (its write notifier on, then off).
void LocalSerialLine::write(char byte)
{
#ifdef Q_OS_UNIX
    if (port_.bytesToWrite() == 0 && ::write(port_.handle(), &byte, 1) == 1)
        return;
#endif
    port_.write(&byte, 1);
    port_.flush();
}

void LocalSerialLine::discardOutput()
{
    port_.clear(QSerialPort::Output);
}

void LocalSerialLine::onError(QSerialPort::SerialPortError error)
{
    // Line-control calls a pseudo-terminal refuses, and time-outs, are no faults.
    if (error != QSerialPort::ReadError && error != QSerialPort::WriteError && error != QSerialPort::ResourceError)
        return;
    if (!port_.isOpen())
        return;
    // The device is gone: stop reading from it (closing later, outside Qt's own handler).
    QTimer::singleShot(0, &port_, [this, words = port_.errorString()] {
        port_.close();
        failed({LineFailure::Cause::Vanished, words});
    });
}

LineFailure openFailure(QSerialPort::SerialPortError error, const QString& platformText, bool accessDenied)
{
    using Cause = LineFailure::Cause;
    LineFailure failure{Cause::Unmapped, platformText};
    switch (error) {
    case QSerialPort::DeviceNotFoundError: failure.cause = Cause::NoSuchDevice; break;
    case QSerialPort::PermissionError: failure.cause = accessDenied ? Cause::NoPermission : Cause::Busy; break;
    case QSerialPort::OpenError: failure.cause = Cause::Busy; break;
    case QSerialPort::ResourceError: failure.cause = Cause::Vanished; break;
    case QSerialPort::UnsupportedOperationError: failure.cause = Cause::NotSerial; break;
    default: break;
    }
    if (failure.cause == Cause::NoPermission)
        failure.remedy = QStringLiteral("Para usar el puerto, el usuario debe pertenecer al grupo dialout "
                                        "(sudo adduser USUARIO dialout) y volver a iniciar la sesión.");
    return failure;
}

bool isUsbSerialAdapter(const QString& device)
{
    return device.startsWith(QLatin1String("/dev/ttyUSB")) || device.startsWith(QLatin1String("/dev/ttyACM"));
}
