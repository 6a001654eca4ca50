#include "sim/exchange_server.h"
#include "wire.h"

#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace
{

// Reads until `count` bytes came or two seconds passed, running the server's event loop meanwhile.
QByteArray readFrom(int fd, qsizetype count)
{
    QByteArray bytes;
    static_cast<void>(QTest::qWaitFor(
        [&] {
            char buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            bytes.append(buffer, std::max<ssize_t>(n, 0));
            return bytes.size() >= count;
        },
        2000));
    return bytes;
}

// The console's end opened with plain POSIX calls, without setting the
// terminal up, then closed and opened again: the directory block holds every
// byte value, among them those that a cooked terminal would change or act on
// (0x0D, 0x03 interrupt, 0x11/0x13 flow control).
TEST(ExchangeServer, ServesARawPseudoTerminalEachTimeTheConsoleOpensIt)
{
    QString error;
    const auto server = ExchangeServer::onPseudoTerminal(Wire::options("--fast"), &error);
    ASSERT_TRUE(server) << error.toStdString();
    const std::pair<unsigned char, QByteArray> requests[]
        = {{protocol::PideIdentidad, "IDR9030412"}, {protocol::PideMemorias, ExchangePlan::builtIn().directoryBlock()}};
    for (int opening = 0; opening < 2; ++opening) {
        const int console = ::open(server->consolePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(console, 0);
        for (const auto& [request, reply] : requests) {
            ASSERT_EQ(::write(console, &request, 1), 1);
            EXPECT_EQ(readFrom(console, reply.size()), reply) << "opening " << opening << ", request " << int(request);
        }
        ::close(console);
    }
}

} // namespace
