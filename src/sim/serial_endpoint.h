#pragma once

#include <QString>

#include <variant>

// The exchange's end of a serial line: a file descriptor to read the
// console's bytes from and write the exchange's bytes to, non-blocking.
// Closing it is the owner's job (SerialEndpoint closes both descriptors).
class SerialEndpoint
{
public:
    // A new pseudo-terminal pair. The console side (consolePath()) is set
    // raw at 9600 8N1, and the endpoint keeps a handle on it open, so that
    // a console may open, close and reopen it without the exchange side
    // ever reading end-of-file or an error.
    static std::variant<SerialEndpoint, QString> openPseudoTerminal();
    // A real serial device at 9600 8N1, raw, no flow control.
    static std::variant<SerialEndpoint, QString> openDevice(const QString& path);

    SerialEndpoint(SerialEndpoint&& other) noexcept;
    SerialEndpoint& operator=(SerialEndpoint&& other) noexcept;
    SerialEndpoint(const SerialEndpoint&) = delete;
    SerialEndpoint& operator=(const SerialEndpoint&) = delete;
    ~SerialEndpoint();

    int fd() const { return fd_; }
    // The device the console opens (the pseudo-terminal's other side, or the device itself).
    const QString& consolePath() const { return consolePath_; }

private:
    SerialEndpoint(int fd, int consoleHold, QString consolePath);
    void close();

    int fd_ = -1;
    int consoleHold_ = -1;
    QString consolePath_;
};
