// A console whose port is wrong, or whose exchange falls silent or goes away
// in any phase of the conversation, says why and closes in order, without
// spinning.
#include "../e2e/trace_events.h"
#include "message_answerer.h"

#include "app/console_app.h"
#include "app/port_choice_panel.h"
#include "link/protocol.h"
#include "platform/qt/trace.h"
#include "sim/exchange_server.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace
{

const QString Communication = QStringLiteral("Error de comunicación | ");
const QString NoConnection = Communication + QStringLiteral("No es posible establecer conexión con R903");
const QString LinkLost = Communication
    + QStringLiteral("Se ha perdido conexión con R903.\r\n"
                     "Puede estar en modo programación\r\n"
                     "Espere algunos minutos y reintente");
constexpr int StartUpWaitMs = 15000;
constexpr int PollingWaitMs = 40000; // two expiries of the running watchdog
// A spinning event loop would use the whole core; waiting uses next to nothing.
constexpr double MostCpuShare = 0.3;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The console in this process on a device of the test's choosing, with
// every message box answered and its trace read back.
struct ConsoleUnderFault : ::testing::Test {
    void startConsole(const QString& device)
    {
        tracePath = folder.filePath(QStringLiteral("trace.log"));
        trace = Trace::open(tracePath);
        ASSERT_TRUE(trace);
        ConsoleOptions options;
        options.configFolder = folder.path();
        options.device = device;
        options.trace = trace.get();
        console = std::make_unique<ConsoleApp>(options);
        console->start();
    }

    void startOn(ExchangeOptions exchangeOptions)
    {
        QString error;
        exchange = ExchangeServer::onPseudoTerminal(std::move(exchangeOptions), &error);
        ASSERT_TRUE(exchange) << error.toStdString();
        startConsole(exchange->consolePath());
    }

    bool ended() const { return traceEvents(tracePath).contains(QStringLiteral("exit")); }

    // Waits for the console to end; false if it did not, or if it used more
    // than a small share of the CPU meanwhile.
    ::testing::AssertionResult endsQuietly(int timeoutMs)
    {
        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = cpuSeconds();
        if (!QTest::qWaitFor([this] { return ended(); }, timeoutMs))
            return ::testing::AssertionFailure() << "no orderly close within " << timeoutMs << " ms";
        QTest::qWait(500); // nothing keeps running after the close
        const double share = (cpuSeconds() - cpuBefore) / (double(wall.elapsed()) / 1000.0);
        if (share > MostCpuShare)
            return ::testing::AssertionFailure() << "used " << share * 100 << " % of a core while waiting";
        return ::testing::AssertionSuccess();
    }

    QTemporaryDir folder;
    MessageAnswerer answerer;
    std::unique_ptr<ExchangeServer> exchange;
    QString tracePath;
    std::unique_ptr<Trace> trace;
    std::unique_ptr<ConsoleApp> console;
};

ExchangeOptions fastExchange(Faults::Stage stage, int after)
{
    ExchangeOptions options;
    options.paced = false;
    options.traffic = false;
    options.faults.silentFrom = stage;
    options.faults.silentAfter = after;
    return options;
}

struct SilentStage {
    const char* name;
    Faults::Stage stage;
    int after;
};

class SilentDuringStartUp : public ConsoleUnderFault, public ::testing::WithParamInterface<SilentStage>
{
};

TEST_P(SilentDuringStartUp, SaysNoConnectionAndCloses)
{
    startOn(fastExchange(GetParam().stage, GetParam().after));
    ASSERT_TRUE(endsQuietly(StartUpWaitMs));
    EXPECT_EQ(answerer.seen().value(0), NoConnection);
}

INSTANTIATE_TEST_SUITE_P(Stages, SilentDuringStartUp,
    ::testing::Values(SilentStage{"Identity", Faults::Stage::BeforeIdentity, 0},
        SilentStage{"TableStart", Faults::Stage::InTable, 0}, SilentStage{"TableMiddle", Faults::Stage::InTable, 300},
        SilentStage{"BlockStart", Faults::Stage::InBlock, 0}, SilentStage{"BlockEnd", Faults::Stage::InBlock, 2047}),
    [](const auto& info) { return std::string(info.param.name); });

// While polling, the console first restarts polling with 0xC0, then gives up.
TEST_F(ConsoleUnderFault, SilentWhilePollingRetriesOnceThenSaysTheLinkIsLost)
{
    ExchangeOptions options = fastExchange(Faults::Stage::InPolling, 5);
    options.paced = true; // polls every 200 ms as on the line
    startOn(options);
    ASSERT_TRUE(endsQuietly(PollingWaitMs));
    EXPECT_EQ(answerer.seen().value(0), LinkLost);
    int restarts = 0;
    for (const ConsoleByte& b : exchange->consoleBytes())
        restarts += b.byte == protocol::IniciaSondeo;
    EXPECT_EQ(restarts, 2) << "the start of polling and one retry";
}

// The exchange's side of the line closes: the console must not spin on a
// hung-up terminal, and ends the same way as with a silent exchange.
TEST_F(ConsoleUnderFault, LineClosedWhilePollingSaysTheLinkIsLost)
{
    ExchangeOptions options = fastExchange(Faults::Stage::None, 0);
    options.paced = true;
    startOn(options);
    QSignalSpy frames(exchange.get(), &ExchangeServer::frameSent);
    ASSERT_TRUE(frames.wait(StartUpWaitMs));
    exchange.reset();
    ASSERT_TRUE(endsQuietly(PollingWaitMs));
    EXPECT_EQ(answerer.seen().value(0), LinkLost);
}

TEST_F(ConsoleUnderFault, LineClosedBeforeTheIdentitySaysNoConnection)
{
    startOn(fastExchange(Faults::Stage::BeforeIdentity, 0));
    QSignalSpy request(exchange.get(), &ExchangeServer::consoleByte);
    ASSERT_TRUE(request.wait(StartUpWaitMs));
    exchange.reset();
    ASSERT_TRUE(endsQuietly(StartUpWaitMs));
    EXPECT_EQ(answerer.seen().value(0), NoConnection);
}

// Offscreen there is neither a notification area nor a sound device: a
// call still alerts the operator as far as it can, and the link goes on.
TEST_F(ConsoleUnderFault, CallAlertRunsWithoutNotificationAreaOrSound)
{
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    ExchangeOptions options = fastExchange(Faults::Stage::None, 0);
    options.paced = true;
    startOn(options);
    QSignalSpy frames(exchange.get(), &ExchangeServer::frameSent);
    ASSERT_TRUE(frames.wait(StartUpWaitMs));
    ASSERT_TRUE(exchange->ringLine(1));
    EXPECT_TRUE(QTest::qWaitFor([this] { return console->session().shell().alert().running(); }, 3000));
    const qsizetype before = frames.size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frames.size() >= before + 10; }, 5000));
    EXPECT_TRUE(answerer.seen().isEmpty()) << answerer.seen().join('\n').toStdString();
    EXPECT_FALSE(ended());
}

// A port that cannot be used brings the port-failure message and the port list.
TEST_F(ConsoleUnderFault, UnusablePortsBringThePortList)
{
    for (const QString& device : {QStringLiteral("/nonexistent/ttyS9"), QStringLiteral("/dev/null")}) {
        SCOPED_TRACE(device.toStdString());
        const qsizetype before = answerer.seen().size();
        startConsole(device);
        ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.seen().size() > before; }, StartUpWaitMs));
        EXPECT_TRUE(answerer.seen().last().startsWith(QStringLiteral("Selección incorrecta Puerto ")))
            << answerer.seen().last().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([this] { return console->portPanel().isVisible(); }, 2000));
        EXPECT_FALSE(ended());
        console.reset();
        trace.reset();
    }
}

} // namespace
