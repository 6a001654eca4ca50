#include "qt_printers.h"
#include "sim/exchange_server.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{

// A device this user may not open: the port message says, in Spanish, how to
// get access. The pseudo-terminal belongs to root, the program runs as nobody.
TEST(Opr903Binary, ADeviceTheUserMayNotOpenIsExplained)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the program as another user";
    QString error;
    const auto exchange = ExchangeServer::onPseudoTerminal(ExchangeOptions{}, &error);
    ASSERT_TRUE(exchange) << error.toStdString();
    QProcess console;
    console.setWorkingDirectory(QStringLiteral("/"));
    // The port message waits for an answer that never comes: the run is ended after 5 s.
    console.start("timeout",
        {"5", "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", OPR903_BINARY, "--device",
            exchange->consolePath(), "--trace", "-"});
    ASSERT_TRUE(console.waitForFinished(10000));
    const QByteArray traced = console.readAllStandardError();
    const QByteArray shown = "msg Selecci\xc3\xb3n incorrecta Puerto " + exchange->consolePath().toUtf8()
        + " | Sin permiso para usar el puerto\\nPara usar el puerto, el usuario debe pertenecer al grupo dialout";
    EXPECT_TRUE(traced.contains(shown)) << traced.toStdString();
}

} // namespace
