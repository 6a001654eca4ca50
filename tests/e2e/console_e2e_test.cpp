#include "app/console_window.h"
#include "qt_printers.h"
#include "ser2net_bridge.h"
#include "sredird_server.h"
#include "traced_console.h"
#include "wire/commands.h"
#include "wire/frame_layout.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace
{

// Which RFC 2217 server, if any, stands between the exchange and the console.
enum class Server { None, Ser2net, Sredird };

// How the exchange reaches the console: its pace, its poll period, and the
// server between them (Telnet with RFC 2217, from a line left at 115200 7E1).
struct Link {
    const char* name;
    bool paced;
    int pollPeriodMs;
    Server server;
};

// The exchange's line at 115200 7E1, as another program may have left it.
bool setOtherLineSettings(const QString& path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    termios line{};
    bool done = ::tcgetattr(fd, &line) == 0 && ::cfsetspeed(&line, B115200) == 0;
    line.c_cflag = (line.c_cflag & ~(CSIZE | CSTOPB | PARODD)) | CS7 | PARENB;
    done = done && ::tcsetattr(fd, TCSANOW, &line) == 0;
    ::close(fd);
    return done;
}

// The server of the link started in front of the exchange's device; ser2net
// sets the line itself as a client connects.
DeviceServer::Started startServer(Server server, const QString& device)
{
    if (server == Server::Ser2net)
        return Ser2netBridge::start(device, Ser2netBridge::Accepter::Rfc2217, {QStringLiteral("115200e71")});
    if (!setOtherLineSettings(device))
        return QStringLiteral("cannot set %1 to 115200 7E1").arg(device);
    return SredirdServer::start(device);
}

class ConsoleE2E : public TracedConsole, public ::testing::WithParamInterface<Link>
{
};

// The tray, the balloon and the tone on screen, the journal's file and the
// saved names are followed on a real desktop; here the conversation that
// drives them.
TEST_P(ConsoleE2E, LinksAlertsOnAWaitingCallCarriesTheOperatorsCommandsAndClosesWithTheSaveQuestion)
{
    const Link& link = GetParam();
    ExchangeOptions options;
    options.paced = link.paced;
    options.pollPeriodMs = link.pollPeriodMs;
    options.traffic = false; // only what the test asks for
    if (link.server != Server::None)
        ASSERT_NO_FATAL_FAILURE(
            startThrough([&](const QString& device) { return startServer(link.server, device); }, options));
    else
        ASSERT_NO_FATAL_FAILURE(startOn(options));
    QSignalSpy handshake(exchange.get(), &ExchangeServer::handshakeDone);
    ASSERT_TRUE(handshake.wait(15000)) << sent.toHex().toStdString();
    EXPECT_TRUE(sent.startsWith("DBC\xC0")) << sent.toHex().toStdString();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return console->window().windowTitle() == QStringLiteral("QUINDORA R903 - Serie 0412 - V1.00"); }, 5000))
        << console->window().windowTitle().toStdString();
    // Through a server, only the RFC 2217 client's settings bring the line to what the exchange speaks.
    if (link.server != Server::None) {
        const int fd = ::open(exchange->consolePath().toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        termios line{};
        ASSERT_EQ(::tcgetattr(fd, &line), 0);
        ::close(fd);
        EXPECT_EQ(::cfgetospeed(&line), B9600);
        EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
    }
    // The numbering table and the memories as the exchange holds them, every byte value passed unchanged.
    const ExchangePlan plan = ExchangePlan::builtIn();
    for (int i = 0; i < wire::ExtensionSlots - 1; ++i)
        EXPECT_EQ(console->session().panel().numberLabel(i).caption, plan.extensions[i]) << i;
    EXPECT_EQ(console->session().panel().numberLabel(18).caption, "Virtual");
    for (int m = 0; m < wire::MemoryCount; ++m)
        EXPECT_EQ(console->session().directory().memoryDigits(m), plan.memories[m]) << m;

    // A line rings while the console is not in front: the alert runs with its
    // balloon until the operator takes the line; then the operator cuts it.
    console->window().showMinimized();
    ASSERT_TRUE(exchange->ringLine(2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return console->session().shell().alert().running(); }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return traced("balloon show"); }, 2000));
    // The running console as the README shows it, from one case only: the cases run side by side.
    if (std::string_view(link.name) == "AtLinePace") {
        QDir().mkpath(QStringLiteral(OPR903_SCREENSHOT_DIR));
        console->window().grab().save(QStringLiteral(OPR903_SCREENSHOT_DIR "/running_console.png"));
    }
    console->window().showNormal();
    console->session().commands().press(MouseButton::Left);
    console->session().commands().lineClick(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !console->session().shell().alert().running(); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return traced("balloon remove"); }, 1000));
    EXPECT_EQ(console->session().panel().lineLabel(1).tooltip, "Línea tomada por consola");
    console->session().commands().cutPressed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sent.contains(char(wire::Cut)); }, 2000));
    // An extension calls and is still waiting when the console closes.
    ASSERT_TRUE(exchange->callConsoleFrom(5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !console->session().journal().waiting().empty(); }, 2000));

    // Salir: the closing request, and the save question (the configuration is new) answered Yes.
    answerer.preferred = QStringLiteral("&Sí");
    QTest::mouseClick(console->window().exitButton(), Qt::LeftButton);
    ASSERT_TRUE(endsQuietly(5000));
    EXPECT_EQ(answerer.seen(),
        QStringList{
            QStringLiteral("Cambios de configuración | Ha hecho cambios en la configuración\r\n¿Desea salvarlos?")});
    // Commands went out as poll answers, in order; every other answer was "no command".
    QByteArray answers = sent.mid(4);
    EXPECT_EQ(answers.replace(char(wire::NoCommand), QByteArray()), QByteArray("\x22\x80\x8F"));
    EXPECT_TRUE(QFile::exists(folder.filePath("OPR903.DAT")));
    // The journal holds both calls as the frames told them.
    const auto& calls = console->session().journal().today().calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].origin, "L2");
    EXPECT_EQ(calls[0].outcome, CallOutcome::Answered);
    EXPECT_EQ(calls[1].origin, plan.extensions[4]);
    EXPECT_EQ(calls[1].outcome, CallOutcome::Unfinished);
}

// Paced: the bytes trickle in at 9600 bit/s, a poll every 20 ms. In one
// burst: each frame and the next poll together. (Raw TCP through ser2net is
// among the faults.)
INSTANTIATE_TEST_SUITE_P(Links, ConsoleE2E,
    ::testing::Values(Link{"AtLinePace", true, 20, Server::None}, Link{"InOneBurst", false, 0, Server::None},
        Link{"Ser2netRfc2217", true, 20, Server::Ser2net}, Link{"SredirdRfc2217", true, 20, Server::Sredird}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
