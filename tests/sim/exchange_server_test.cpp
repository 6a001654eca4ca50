#include "sim/exchange_server.h"

#include "wire/commands.h"

#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace
{

// The console's end opened with plain POSIX calls, without setting the
// terminal up, then closed and opened again: the directory block holds every
// byte value, among them those that a cooked terminal would change or act on
// (0x0D, 0x03 interrupt, 0x11/0x13 flow control).
TEST(ExchangeServer, ServesARawPseudoTerminalEachTimeTheConsoleOpensIt)
{
    QString error;
    ExchangeOptions unpaced;
    unpaced.paced = false;
    const auto server = ExchangeServer::onPseudoTerminal(unpaced, &error);
    ASSERT_TRUE(server) << error.toStdString();
    const QByteArray block = ExchangePlan::builtIn().directoryBlock();
    for (int opening = 0; opening < 2; ++opening) {
        const int console = ::open(server->consolePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(console, 0);
        ASSERT_EQ(::write(console, &wire::RequestSpeedDials, 1), 1);
        QByteArray bytes;
        static_cast<void>(QTest::qWaitFor(
            [&] {
                char buffer[4096];
                bytes.append(buffer, std::max<ssize_t>(::read(console, buffer, sizeof buffer), 0));
                return bytes.size() >= block.size();
            },
            2000));
        EXPECT_EQ(bytes, block) << "opening " << opening;
        ::close(console);
    }
}

} // namespace
