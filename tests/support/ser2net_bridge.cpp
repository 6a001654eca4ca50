#include "ser2net_bridge.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTcpServer>
#include <QThread>

namespace
{

constexpr int Attempts = 5;
constexpr int ListenWaitMs = 10000;

// A port nobody listens on now (ser2net may still lose it to another program,
// or there is none: the caller tries again).
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// Whether something listens on 127.0.0.1:port, read from the kernel's table
// rather than by connecting (a connection would open the device).
bool listening(quint16 port)
{
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray local = "0100007F:" + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 3 && fields[1] == local && fields[3] == "0A")
            return true;
    }
    return false;
}

} // namespace

DeviceServer::Started Ser2netBridge::start(const QString& device, Accepter accepter, const Options& options)
{
    QString error;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        std::unique_ptr<Ser2netBridge> bridge(new Ser2netBridge(accepter, freePort()));
        const auto failed = bridge->launch(device, options);
        if (!failed)
            return bridge;
        error = *failed;
    }
    return error;
}

Ser2netBridge::Ser2netBridge(Accepter accepter, quint16 port)
    : accepter_(accepter)
    , port_(port)
{
}

Ser2netBridge::~Ser2netBridge()
{
    kill();
}

std::optional<QString> Ser2netBridge::launch(const QString& device, const Options& options)
{
    QFile config(folder_.filePath(QStringLiteral("ser2net.yaml")));
    if (!folder_.isValid() || !config.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write the ser2net configuration");
    config.write(
        QStringLiteral("connection: &exchange\n"
                       "  accepter: %1,127.0.0.1,%2\n"
                       "  connector: serialdev,%3,%4,local\n"
                       "  options:\n"
                       "    chardelay: %5\n")
            .arg(accepter_ == Accepter::Rfc2217 ? QStringLiteral("telnet(rfc2217),tcp") : QStringLiteral("tcp"))
            .arg(port_)
            .arg(device, options.lineSettings, options.charDelay ? QStringLiteral("true") : QStringLiteral("false"))
            .toUtf8());
    config.close();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(QStringLiteral("ser2net"), {QStringLiteral("-n"), QStringLiteral("-c"), config.fileName()});
    if (!process_.waitForStarted(ListenWaitMs))
        return QStringLiteral("ser2net: %1").arg(process_.errorString());
    const QDeadlineTimer deadline(ListenWaitMs);
    while (!listening(port_)) {
        if (process_.state() != QProcess::Running || deadline.hasExpired()) {
            kill();
            return QStringLiteral("ser2net did not listen on port %1: %2")
                .arg(port_)
                .arg(QString::fromLocal8Bit(process_.readAll()));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
    return std::nullopt;
}

QString Ser2netBridge::url() const
{
    return QStringLiteral("%1://127.0.0.1:%2")
        .arg(accepter_ == Accepter::Rfc2217 ? QStringLiteral("rfc2217") : QStringLiteral("tcp"))
        .arg(port_);
}

void Ser2netBridge::kill()
{
    process_.kill();
    process_.waitForFinished(5000);
}
