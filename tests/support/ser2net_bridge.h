#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <variant>

// Debian's ser2net on 127.0.0.1 in front of a serial device (most often the
// simulated exchange's pseudo-terminal), from a configuration of its own, on a
// free port; started and killed by its process id.
class Ser2netBridge
{
public:
    enum class Accepter { Tcp, Rfc2217 };

    struct Options {
        // What ser2net sets the device to when a client connects, in its own
        // words (9600n81, 115200e71, ...).
        QString lineSettings = QStringLiteral("9600n81");
        // ser2net's wait for more serial bytes before it sends what it read
        // (two characters' time, at least 1 ms, by default).
        bool charDelay = true;
    };

    static std::variant<std::unique_ptr<Ser2netBridge>, QString> start(
        const QString& device, Accepter accepter, const Options& options);
    ~Ser2netBridge();

    // What the console is given: tcp://127.0.0.1:PORT or rfc2217://127.0.0.1:PORT.
    QString url() const;
    // SIGKILL, and the process reaped.
    void kill();

private:
    Ser2netBridge(Accepter accepter, quint16 port);
    std::optional<QString> launch(const QString& device, const Options& options);

    Accepter accepter_;
    quint16 port_;
    QTemporaryDir folder_;
    QProcess process_;
};
