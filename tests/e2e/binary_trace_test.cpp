#include "qt_printers.h"
#include "sim/exchange_server.h"
#include "trace_events.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

// The built program against the simulated exchange on a pseudo-terminal,
// watched through its --trace file.
TEST(Opr903Binary, TracesTheHandshakeAndAWaitingCall)
{
    QTemporaryDir folder;
    ExchangeOptions options;
    options.traffic = false;
    QString error;
    const auto exchange = ExchangeServer::onPseudoTerminal(options, &error);
    ASSERT_TRUE(exchange) << error.toStdString();
    const QString trace = folder.filePath("trace.log");

    QProcess console;
    console.setWorkingDirectory(folder.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    console.setProcessEnvironment(env);
    console.start(OPR903_BINARY, {"--device", exchange->consolePath(), "--trace", trace});
    ASSERT_TRUE(console.waitForStarted(5000));

    QSignalSpy handshake(exchange.get(), &ExchangeServer::handshakeDone);
    ASSERT_TRUE(handshake.wait(15000));
    QTRY_VERIFY_WITH_TIMEOUT(traceEvents(trace).contains("tx 8e"), 5000); // answering polls
    const QStringList start = traceEvents(trace);
    ASSERT_GE(start.size(), 4);
    EXPECT_EQ(start[0], "tx 44"); // identity request
    EXPECT_EQ(start[1], "tx 42"); // numbering table
    EXPECT_EQ(start[2], "rx 49 44 52 39 30 33 30 34 31 32"); // "IDR9030412"

    ASSERT_TRUE(exchange->callConsoleFrom(4));
    QTRY_VERIFY_WITH_TIMEOUT(traceEvents(trace).contains("icon 0"), 5000);
    QStringList shell = traceEvents(trace).filter(QRegularExpression("^(alert|icon|tone|balloon)"));
    EXPECT_EQ(shell.mid(0, 4), (QStringList{"alert on", "tone", "icon 1", "icon 0"}));

    // Stopped by the system: it ends as at the session's end (the exchange keeps running meanwhile).
    console.terminate();
    QTRY_COMPARE_WITH_TIMEOUT(console.state(), QProcess::NotRunning, 5000);
    EXPECT_EQ(console.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(traceEvents(trace).last(), "exit");
}

} // namespace
