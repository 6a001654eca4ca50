#include "qt_printers.h"
#include "sim/exchange_server.h"
#include "trace_events.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

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

// A device this user may not open: the port message says, in Spanish, how to
// get access. The pseudo-terminal belongs to root, the program runs as nobody.
TEST(Opr903Binary, ADeviceTheUserMayNotOpenIsExplained)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the program as another user";
    QTemporaryDir folder;
    QString error;
    const auto exchange = ExchangeServer::onPseudoTerminal(ExchangeOptions{}, &error);
    ASSERT_TRUE(exchange) << error.toStdString();
    QProcess console;
    console.setWorkingDirectory(folder.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", folder.path());
    console.setProcessEnvironment(env);
    console.start("setpriv",
        {"--reuid=65534", "--regid=65534", "--clear-groups", OPR903_BINARY, "--device", exchange->consolePath(),
            "--trace", "-"});
    ASSERT_TRUE(console.waitForStarted(5000));
    QByteArray traced;
    const QByteArray expected
        = "msg Selecci\xc3\xb3n incorrecta Puerto  1 | Permission denied\\nPara usar el puerto, el "
          "usuario debe pertenecer al grupo dialout";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            traced += console.readAllStandardError();
            return traced.contains(expected);
        },
        10000))
        << traced.toStdString();
    console.kill();
    console.waitForFinished(5000);
}

} // namespace
