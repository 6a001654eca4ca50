#pragma once

#include "device_server.h"

#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <vector>

// Debian's sredird as the device server: a second RFC 2217 server beside
// ser2net. It serves one connection on its standard input and output, so this
// listens and starts one for each connection, as inetd would.
class SredirdServer final : public QTcpServer, public DeviceServer
{
public:
    static Started start(const QString& device);
    ~SredirdServer() override;

    QString url() const override;
    void kill() override;

protected:
    void incomingConnection(qintptr socket) override;

private:
    explicit SredirdServer(const QString& device);

    QString device_;
    QTemporaryDir folder_; // its lock file
    std::vector<std::unique_ptr<QProcess>> sessions_;
};
