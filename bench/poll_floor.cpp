// poll_floor: the least a Qt program on a QSerialPort can do to take part in
// the exchange's conversation: fetch the three start-up blocks, then answer
// each poll with "no command" and read its frame. Its poll latency is the
// floor the console is measured against. A device tcp://HOST:PORT is a raw
// TCP port server in front of the line.
#include "wire/commands.h"
#include "wire/frame_layout.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <QTcpSocket>
#include <QUrl>

#include <cstdio>

namespace
{

// The requests of the start-up, each sent when the block before it is in.
constexpr unsigned char StartUp[]
    = {wire::RequestIdentity, wire::RequestNumberingTable, wire::RequestSpeedDials, wire::StartPolling};
constexpr int StartUpBlocks[] = {wire::IdentityLength, wire::NumberingTableLength, wire::DirectoryBlockLength};

class Floor
{
public:
    explicit Floor(QIODevice& port)
        : port_(port)
    {
        QObject::connect(&port_, &QIODevice::readyRead, [this] { read(); });
    }

    void start() { send(StartUp[0]); }

private:
    void send(unsigned char byte)
    {
        port_.write(reinterpret_cast<const char*>(&byte), 1);
        if (auto* serial = qobject_cast<QSerialPort*>(&port_))
            serial->flush();
        else if (auto* socket = qobject_cast<QTcpSocket*>(&port_))
            socket->flush();
    }

    void read()
    {
        for (;;) {
            const qint64 want = expected();
            if (port_.bytesAvailable() < want)
                return;
            const QByteArray bytes = port_.read(want);
            if (stage_ < std::size(StartUpBlocks)) {
                send(StartUp[++stage_]);
                continue;
            }
            if (awaitingFrame_)
                awaitingFrame_ = false;
            else if (static_cast<unsigned char>(bytes[0]) == wire::Poll) {
                send(wire::NoCommand);
                awaitingFrame_ = true;
            }
        }
    }

    qint64 expected() const
    {
        if (stage_ < std::size(StartUpBlocks))
            return StartUpBlocks[stage_];
        return awaitingFrame_ ? wire::StatusFrameLength : 1;
    }

    QIODevice& port_;
    std::size_t stage_ = 0;
    bool awaitingFrame_ = false;
};

int serve(QIODevice& port)
{
    Floor floor(port);
    floor.start();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--device"));
    if (at < 0 || at + 1 >= args.size()) {
        std::fprintf(stderr, "usage: poll_floor --device PATH\n");
        return 2;
    }
    const QUrl url(args[at + 1]);
    if (url.scheme() == QLatin1String("tcp")) {
        QTcpSocket socket;
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket.connectToHost(url.host(), quint16(url.port()));
        if (!socket.waitForConnected(5000)) {
            std::fprintf(stderr, "poll_floor: %s\n", qPrintable(socket.errorString()));
            return 1;
        }
        return serve(socket);
    }
    QSerialPort port(args[at + 1]);
    port.setBaudRate(QSerialPort::Baud9600);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "poll_floor: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    return serve(port);
}
