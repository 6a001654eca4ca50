#pragma once

#include "device_server.h"

#include <QProcess>
#include <QTemporaryDir>

#include <optional>

// Debian's ser2net as the device server, from a configuration of its own;
// started and killed by its process id.
class Ser2netBridge final : public DeviceServer
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

    static Started start(const QString& device, Accepter accepter, const Options& options);
    ~Ser2netBridge() override;

    QString url() const override;
    void kill() override;

private:
    Ser2netBridge(Accepter accepter, quint16 port);
    std::optional<QString> launch(const QString& device, const Options& options);

    Accepter accepter_;
    quint16 port_;
    QTemporaryDir folder_;
    QProcess process_;
};
