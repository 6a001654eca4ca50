#include "sim/serial_endpoint.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace
{

QString failure(const char* what, const QString& path = {})
{
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    return path.isEmpty() ? QStringLiteral("%1: %2").arg(QLatin1String(what), reason)
                          : QStringLiteral("%1 %2: %3").arg(QLatin1String(what), path, reason);
}

// Raw 9600 8N1 without flow control: every byte value passes unchanged.
bool makeRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

} // namespace

SerialEndpoint::SerialEndpoint(int fd, int consoleHold, QString consolePath)
    : fd_(fd)
    , consoleHold_(consoleHold)
    , consolePath_(std::move(consolePath))
{
}

SerialEndpoint::SerialEndpoint(SerialEndpoint&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , consoleHold_(std::exchange(other.consoleHold_, -1))
    , consolePath_(std::move(other.consolePath_))
{
}

SerialEndpoint& SerialEndpoint::operator=(SerialEndpoint&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        consoleHold_ = std::exchange(other.consoleHold_, -1);
        consolePath_ = std::move(other.consolePath_);
    }
    return *this;
}

SerialEndpoint::~SerialEndpoint()
{
    close();
}

void SerialEndpoint::close()
{
    if (consoleHold_ >= 0)
        ::close(std::exchange(consoleHold_, -1));
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
}

std::variant<SerialEndpoint, QString> SerialEndpoint::openPseudoTerminal()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return failure("posix_openpt");
    // Owned from here on, so every early return closes what is open.
    SerialEndpoint endpoint(master, -1, {});
    if (grantpt(master) != 0 || unlockpt(master) != 0)
        return failure("grantpt/unlockpt");
    char name[128];
    if (ptsname_r(master, name, sizeof name) != 0)
        return failure("ptsname");
    endpoint.consolePath_ = QString::fromLocal8Bit(name);
    endpoint.consoleHold_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (endpoint.consoleHold_ < 0)
        return failure("open", endpoint.consolePath_);
    if (!makeRaw(endpoint.consoleHold_))
        return failure("raw mode on", endpoint.consolePath_);
    if (fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK) != 0)
        return failure("non-blocking mode");
    return endpoint;
}

std::variant<SerialEndpoint, QString> SerialEndpoint::openDevice(const QString& path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failure("open", path);
    SerialEndpoint endpoint(fd, -1, path);
    if (!makeRaw(fd))
        return failure("9600 8N1 raw mode on", path);
    tcflush(fd, TCIOFLUSH);
    return endpoint;
}
