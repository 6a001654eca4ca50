#include "link/port_server_refusal.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

// The first bytes are held while they may become a refusal, and told as one
// once its line is whole or the server hung up; an exchange's identity (any
// two characters, then R903) is let through by its third byte at the latest.
TEST(PortServerRefusal, IsToldFromItsWholeLineAndNeverHoldsTheExchangesAnswer)
{
    using Cause = LineFailure::Cause;
    for (const QByteArray start : {"D", "Device open fail", "Device open failure: Value", "Port already in use\r"})
        EXPECT_TRUE(mayBePortServerRefusal(start) && !portServerRefusal(start, false)) << start.constData();
    for (const QByteArray start : {"DeR9", "PoR903", "\x19", "Device open failure: x\r\n", "Port already in use!"})
        EXPECT_FALSE(mayBePortServerRefusal(start)) << start.constData();

    const std::tuple<QByteArray, bool, Cause, QString> refusals[] = {
        // first bytes, the server hung up, cause, the server's words kept
        {"Device open failure: Value or file not found\r\n", false, Cause::NoSuchDevice, {}},
        {"Device open failure: Permission denied", true, Cause::NoPermission, {}},
        {"Device open failure: Object was already in use\r\nmore", false, Cause::Busy, {}},
        {"Device open failure: OS error, see logs\r\n", false, Cause::Unmapped, "OS error, see logs"},
        {"Port already in use\r\n", false, Cause::Busy, {}},
    };
    for (const auto& [start, ended, cause, words] : refusals) {
        const auto refusal = portServerRefusal(start, ended);
        ASSERT_TRUE(refusal) << start.constData();
        EXPECT_EQ(refusal->cause, cause);
        EXPECT_EQ(refusal->words, words);
        EXPECT_TRUE(refusal->atPortServer);
    }
    EXPECT_FALSE(portServerRefusal("12R9030412", true));
    EXPECT_FALSE(portServerRefusal("Device open failure\r\n", false));
    EXPECT_FALSE(portServerRefusal("Port already in use!", true));
}
