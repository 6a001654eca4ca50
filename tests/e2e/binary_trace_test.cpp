#include "qt_printers.h"
#include "sim/exchange_server.h"
#include "trace_events.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

// The built program against the simulated exchange on a pseudo-terminal,
// watched through its --trace file, then stopped by the system: it ends as
// at the session's end (the exchange keeps polling meanwhile).
TEST(Opr903Binary, TracesItsConversationAndEndsInOrderWhenTerminated)
{
    QTemporaryDir folder;
    ExchangeOptions options;
    options.traffic = false;
    QString error;
    const auto exchange = ExchangeServer::onPseudoTerminal(options, &error);
    ASSERT_TRUE(exchange) << error.toStdString();
    QSignalSpy handshake(exchange.get(), &ExchangeServer::handshakeDone);
    const QString trace = folder.filePath("trace.log");

    QProcess console;
    console.setWorkingDirectory(folder.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    console.setProcessEnvironment(env);
    console.start(OPR903_BINARY, {"--device", exchange->consolePath(), "--trace", trace});
    ASSERT_TRUE(console.waitForStarted(5000));
    ASSERT_TRUE(handshake.wait(15000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return traceEvents(trace).contains("tx 8e"); }, 5000)); // answering polls
    EXPECT_EQ(traceEvents(trace).mid(0, 3), (QStringList{"tx 44", "tx 42", "rx 49 44 52 39 30 33 30 34 31 32"}));

    console.terminate();
    ASSERT_TRUE(console.waitForFinished(5000));
    EXPECT_EQ(console.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(traceEvents(trace).last(), "exit");
}

} // namespace
