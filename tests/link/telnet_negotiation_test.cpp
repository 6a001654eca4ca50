#include "link/telnet_negotiation.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace
{

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(char(v));
    return out;
}

// ser2net 4.3's opening on a telnet(rfc2217) accepter: WILL SGA, DO SGA,
// WILL ECHO, DONT ECHO, DO BINARY, WILL BINARY, DO COM-PORT-OPTION.
const QByteArray ServerOpening
    = bytes({255, 251, 3, 255, 253, 3, 255, 251, 1, 255, 254, 1, 255, 253, 0, 255, 251, 0, 255, 253, 44});
// The five settings the client asks for, as the RFC words them.
const QByteArray Settings = bytes({255, 250, 44, 1, 0, 0, 0x25, 0x80, 255, 240, 255, 250, 44, 2, 8, 255, 240, 255, 250,
    44, 3, 1, 255, 240, 255, 250, 44, 4, 1, 255, 240, 255, 250, 44, 5, 1, 255, 240});
// The server's confirmations, each the command plus 100 with the value set.
const QByteArray Confirmations = bytes({255, 250, 44, 101, 0, 0, 0x25, 0x80, 255, 240, 255, 250, 44, 102, 8, 255, 240,
    255, 250, 44, 103, 1, 255, 240, 255, 250, 44, 104, 1, 255, 240, 255, 250, 44, 105, 1, 255, 240});
// A modem-state report, a NOP and an escaped 0xFF among serial bytes.
const QByteArray ServerData
    = bytes({0x19, 255, 250, 44, 107, 255, 255, 255, 240, 0x00, 255, 241, 255, 255, 0x44, 255, 255, 0x0D, 0x0A});
const QByteArray SerialData = bytes({0x19, 0x00, 0xFF, 0x44, 0xFF, 0x0D, 0x0A});

} // namespace

// However the server's bytes are cut into reads, the client answers the same,
// is ready only once all five settings are confirmed, and passes the serial
// bytes without the framing.
TEST(TelnetNegotiation, SetsTheFarPortAgainstServersOpeningWhereverItsBytesAreCut)
{
    const QByteArray server = ServerOpening + Confirmations + ServerData;
    for (int cut = 1; cut < server.size(); ++cut) {
        TelnetNegotiation telnet;
        EXPECT_EQ(telnet.greeting(), bytes({255, 251, 44, 255, 251, 0, 255, 253, 0}));
        QByteArray reply;
        QByteArray data;
        for (int at = 0; at < server.size(); at += cut) {
            const TelnetNegotiation::Received in = telnet.receive(server.mid(at, cut));
            reply += in.reply;
            data += in.data;
            const bool allConfirmed = at + cut >= ServerOpening.size() + Confirmations.size();
            EXPECT_EQ(telnet.state() == TelnetNegotiation::State::Ready, allConfirmed) << "cut " << cut << " at " << at;
        }
        // DO SGA and WILL SGA agreed once each, ECHO refused, then the settings.
        EXPECT_EQ(reply, bytes({255, 253, 3, 255, 251, 3, 255, 254, 1}) + Settings) << "cut " << cut;
        EXPECT_EQ(data, SerialData) << "cut " << cut;
    }
}

TEST(TelnetNegotiation, ServerThatRefusesThePortControlOrSetsAnotherValueIsRefused)
{
    const std::pair<const char*, QByteArray> cases[] = {
        {"DONT COM-PORT-OPTION", bytes({255, 254, 44})},
        {"7 data bits confirmed", ServerOpening + QByteArray(Confirmations).replace(14, 1, bytes({7}))},
    };
    for (const auto& [name, server] : cases) {
        TelnetNegotiation telnet;
        telnet.greeting();
        telnet.receive(server);
        EXPECT_EQ(telnet.state(), TelnetNegotiation::State::Refused) << name;
    }
}

// sredird 2.2.1 on a 64-bit machine: WILL BINARY, DO BINARY, WILL ECHO, WILL SGA,
// DO SGA, DO COM-PORT-OPTION and a modem report; it confirms the baud rate in
// eight bytes, the rate in the first four. A confirmation is read by its
// value's length: padding passes, a short or other value does not.
TEST(TelnetNegotiation, ConfirmationIsReadByItsValuesLength)
{
    const QByteArray opening = bytes({255, 251, 0, 255, 253, 0, 255, 251, 1, 255, 251, 3, 255, 253, 3, 255, 253, 44,
        255, 250, 44, 107, 0x22, 255, 240});
    const QByteArray rest = Confirmations.mid(10);
    const auto baud = [](std::initializer_list<int> value) {
        return bytes({255, 250, 44, 101}) + bytes(value) + bytes({255, 240});
    };
    const std::tuple<const char*, QByteArray, TelnetNegotiation::State> cases[] = {
        {"9600 in eight bytes", baud({0, 0, 0x25, 0x80, 0, 0, 0, 0}), TelnetNegotiation::State::Ready},
        {"49664 in eight bytes", baud({0, 0, 0xC2, 0, 0, 0, 0, 0}), TelnetNegotiation::State::Refused},
        {"three bytes", baud({0, 0, 0x25}), TelnetNegotiation::State::Refused},
    };
    for (const auto& [name, confirmation, state] : cases) {
        TelnetNegotiation telnet;
        telnet.greeting();
        EXPECT_EQ(telnet.receive(opening).reply, bytes({255, 254, 1, 255, 253, 3, 255, 251, 3}) + Settings) << name;
        telnet.receive(confirmation + rest);
        EXPECT_EQ(telnet.state(), state) << name;
    }
}

TEST(TelnetNegotiation, OnlyTheByteFFIsDoubledOnTheWay)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(TelnetNegotiation::escape(char(b)), QByteArray(b == 255 ? 2 : 1, char(b))) << b;
}
