#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal pair in raw mode: the console opens `devicePath()`, the
// test plays the exchange on the other side.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            return;
        termios raw{};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        path_ = QString::fromLocal8Bit(name);
    }
    ~PseudoTerminal()
    {
        closeExchangeSide();
        if (slave_ >= 0)
            ::close(slave_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ok() const { return master_ >= 0 && !path_.isEmpty(); }
    const QString& devicePath() const { return path_; }

    // The exchange sends.
    void send(const QByteArray& bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
            else if (errno != EAGAIN && errno != EINTR)
                return;
        }
    }

    // What the console sent within `timeoutMs` (real time), up to `count` bytes.
    QByteArray receive(int count, int timeoutMs = 1000) const
    {
        QByteArray got;
        while (got.size() < count) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0)
                break;
            char buffer[4096];
            const ssize_t n = ::read(master_, buffer, size_t(std::min<qsizetype>(count - got.size(), 4096)));
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        return got;
    }

    // The exchange side goes away, as an unplugged adapter does.
    void closeExchangeSide()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString path_;
};
