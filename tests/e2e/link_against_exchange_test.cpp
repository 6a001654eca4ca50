#include "link/protocol.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_timer.h"
#include "sim/exchange_server.h"

#include "link_console_fakes.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <iostream>
#include <vector>

namespace
{

// The console's link as the program builds it: the real port and real timers.
struct Console : LinkConsoleFakes {
    explicit Console(const QString& device)
    {
        port.useDeviceOnce(device);
        configuration.numeroPuerto = 1;
        timer5.setInterval(300);
    }

    QtSerialPort port;
    QtTimer timer3;
    QtTimer timer5;
    ExchangeLink link{parts(port, timer3, timer5), outside()};
};

// Runs the event loop until the condition holds or the time is up. Unlike a
// sleep-and-poll wait, bytes are handled the moment they arrive.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(2);
    loop.exec();
    return condition();
}

QByteArray frameWith(std::initializer_list<std::pair<int, int>> indexAndCode)
{
    QByteArray f(protocol::StatusFrameLength, '\0');
    for (const auto& [index, code] : indexAndCode)
        f[index] = char(code);
    return f;
}

QByteArray sent(const ExchangeServer& exchange)
{
    QByteArray bytes;
    for (const ConsoleByte& b : exchange.consoleBytes())
        bytes.append(char(b.byte));
    return bytes;
}

// Paced: the bytes trickle in at 9600 bit/s, a poll every 20 ms.
// Unpaced: each frame and the next poll together in one burst.
class LinkAgainstExchange : public ::testing::TestWithParam<bool>
{
};

} // namespace

TEST_P(LinkAgainstExchange, ConnectsPollsCarriesCommandsAndCloses)
{
    ExchangeOptions options;
    options.paced = GetParam();
    options.pollPeriodMs = GetParam() ? 20 : 0;
    options.traffic = false;
    // Slot 19 is the console, engaged; slot 4 busy; line 2 calling the console; then slot 4 free.
    const QByteArray calling = frameWith({{18, 0xC0}, {3, 1}, {20, 6}});
    const QByteArray quiet = frameWith({{18, 0x80}, {3, 0}});
    options.script = {ScriptStep::frame(calling), ScriptStep::frame(calling), ScriptStep::frame(quiet)};
    QString error;
    auto exchange = ExchangeServer::onPseudoTerminal(options, &error);
    ASSERT_TRUE(exchange) << error.toStdString();
    bool connectionEnded = false;
    QObject::connect(exchange.get(), &ExchangeServer::connectionEnded, [&] { connectionEnded = true; });
    std::vector<qint64> latenciesUs;
    QObject::connect(exchange.get(), &ExchangeServer::pollAnswered,
        [&](quint8, qint64 latencyUs) { latenciesUs.push_back(latencyUs); });

    Console console(exchange->consolePath());
    console.window.front = false;

    // The handshake: D, B, C, then polling; the tables land on the panel.
    ASSERT_TRUE(waitUntil([&] { return sent(*exchange).size() >= 5; }, 8000)) << sent(*exchange).toHex().toStdString();
    EXPECT_EQ(sent(*exchange).left(4), QByteArray("DBC\xC0"));
    EXPECT_EQ(console.panel.caption(), "QUINDORA R903 - Serie 0412 - V1.00");
    const ExchangePlan plan = ExchangePlan::builtIn();
    for (int i = 0; i < protocol::ExtensionSlots - 1; ++i)
        EXPECT_EQ(console.panel.numberLabel(i).caption, plan.extensions[i]) << i;
    EXPECT_EQ(console.panel.numberLabel(18).caption, "Virtual");
    const QByteArray block = plan.directoryBlock().right(protocol::DirectoryDataLength);
    EXPECT_TRUE(std::equal(console.memorias.begin(), console.memorias.end(), block.begin(),
        [](std::uint8_t a, char b) { return a == std::uint8_t(b); }));
    EXPECT_TRUE(console.panel.agendaEnabled());

    // Frames reach the panel, the alert and the buttons: a call comes and goes.
    ASSERT_TRUE(waitUntil([&] { return console.alert.starts == 1 && !console.alert.on; }, 3000));
    EXPECT_EQ(console.balloon.shown.size(), 1u);
    EXPECT_GE(console.balloon.removes, 1);
    const Palette& palette = console.state.palette();
    EXPECT_EQ(console.panel.extension(3).colour, palette.libre);
    EXPECT_EQ(console.panel.numberLabel(3).tooltip, "Interno libre");
    EXPECT_EQ(console.panel.lineLabel(1).tooltip, "Línea libre");
    EXPECT_EQ(console.panel.extension(18).colour, palette.resaltado);
    EXPECT_FALSE(console.panel.corta().visible); // shown for the engaged console, hidden when idle
    EXPECT_EQ(console.panel.corta().caption, "CORTA");
    EXPECT_EQ(console.state.internoConsola(), 19);

    // Queued commands go out as poll answers, in order; every other answer is "no command".
    console.cola.queue(protocol::SeleccionLinea(2));
    console.cola.queue(protocol::Corta);
    ASSERT_TRUE(waitUntil([&] { return sent(*exchange).contains(char(protocol::Corta)); }, 3000));
    const QByteArray answers = sent(*exchange).mid(4);
    QByteArray commands = answers;
    commands.replace(char(protocol::SinComando), QByteArray());
    EXPECT_EQ(commands, QByteArray("\x22\x80"));
    EXPECT_GE(answers.count(char(protocol::SinComando)), 3);

    // Leaving: 0x8F at the next poll, the window unloaded half a second later, no message.
    console.cola.endConnection();
    ASSERT_TRUE(waitUntil([&] { return connectionEnded; }, 3000));
    EXPECT_EQ(console.window.unloads, 0);
    ASSERT_TRUE(waitUntil([&] { return console.window.unloads == 1; }, 2000));
    EXPECT_TRUE(console.messages.shown.empty());
    EXPECT_EQ(sent(*exchange).right(1), QByteArray("\x8F"));
    EXPECT_EQ(console.port.receiveThreshold(), 0);

    // Poll to answer, as the exchange saw it (the answer's own line time included).
    ASSERT_FALSE(latenciesUs.empty());
    std::sort(latenciesUs.begin(), latenciesUs.end());
    std::cout << latenciesUs.size() << " polls answered, median " << latenciesUs[latenciesUs.size() / 2] << " us, max "
              << latenciesUs.back() << " us\n";
}

TEST_P(LinkAgainstExchange, WrongModelIsRefusedAndReported)
{
    ExchangeOptions options;
    options.paced = GetParam();
    options.model = "R904";
    options.traffic = false;
    QString error;
    auto exchange = ExchangeServer::onPseudoTerminal(options, &error);
    ASSERT_TRUE(exchange) << error.toStdString();
    Console console(exchange->consolePath());
    ASSERT_TRUE(waitUntil([&] { return console.window.unloads == 1; }, 3000));
    EXPECT_EQ(sent(*exchange), QByteArray("D\x8F"));
    ASSERT_EQ(console.messages.shown.size(), 1u);
    EXPECT_EQ(console.messages.shown[0].text, "Respuesta incorrecta de R903. Por favor reintente");
}

INSTANTIATE_TEST_SUITE_P(Pacing, LinkAgainstExchange, ::testing::Values(true, false),
    [](const auto& info) { return info.param ? "AtLinePace" : "InOneBurst"; });

TEST(LinkAgainstVanishingExchange, PortGoneDuringStartUpIsReportedAsNoConnection)
{
    ExchangeOptions options;
    options.paced = false;
    options.traffic = false;
    options.faults.table.delayMs = 2000; // the table would come late: the line goes first
    QString error;
    auto exchange = ExchangeServer::onPseudoTerminal(options, &error);
    ASSERT_TRUE(exchange) << error.toStdString();
    Console console(exchange->consolePath());
    ASSERT_TRUE(waitUntil([&] { return sent(*exchange) == QByteArray("DB"); }, 3000));
    exchange.reset(); // the far end of the line disappears
    ASSERT_TRUE(waitUntil([&] { return !console.port.isOpen(); }, 2000));
    const std::clock_t cpuBefore = std::clock();
    ASSERT_TRUE(waitUntil([&] { return console.window.unloads == 1; }, 4000));
    const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    EXPECT_LT(cpuMs, 200.0); // waiting for the watchdog, not spinning on the dead line
    ASSERT_EQ(console.messages.shown.size(), 1u);
    EXPECT_EQ(console.messages.shown[0].text, "No es posible establecer conexión con R903");
}
