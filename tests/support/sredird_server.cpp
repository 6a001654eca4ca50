#include "sredird_server.h"

#include <QFile>

#include <unistd.h>

namespace
{

const QString Program = QStringLiteral("/usr/sbin/sredird");
constexpr int StartWaitMs = 10000;

} // namespace

DeviceServer::Started SredirdServer::start(const QString& device)
{
    if (!QFile::exists(Program))
        return QStringLiteral("%1 is not installed").arg(Program);
    std::unique_ptr<SredirdServer> server(new SredirdServer(device));
    if (!server->folder_.isValid())
        return QStringLiteral("no temporary folder for sredird's lock file");
    if (!server->listen(QHostAddress::LocalHost))
        return QStringLiteral("cannot listen for sredird: %1").arg(server->errorString());
    return server;
}

SredirdServer::SredirdServer(const QString& device)
    : device_(device)
{
}

SredirdServer::~SredirdServer()
{
    kill();
}

QString SredirdServer::url() const
{
    return QStringLiteral("rfc2217://127.0.0.1:%1").arg(serverPort());
}

void SredirdServer::kill()
{
    close();
    for (const auto& session : sessions_) {
        session->kill();
        session->waitForFinished(StartWaitMs);
    }
}

// The connection becomes the standard input and output of a new sredird
// (log level 7: everything, to syslog if any), and is closed here.
void SredirdServer::incomingConnection(qintptr socket)
{
    auto session = std::make_unique<QProcess>();
    const int fd = int(socket);
    session->setStandardInputFile(QProcess::nullDevice());
    session->setStandardOutputFile(QProcess::nullDevice());
    session->setStandardErrorFile(QProcess::nullDevice());
    session->setChildProcessModifier([fd] {
        ::dup2(fd, STDIN_FILENO);
        ::dup2(fd, STDOUT_FILENO);
    });
    session->start(Program, {QStringLiteral("7"), device_, folder_.filePath(QStringLiteral("LCK..exchange"))});
    session->waitForStarted(StartWaitMs);
    ::close(fd);
    sessions_.push_back(std::move(session));
}
