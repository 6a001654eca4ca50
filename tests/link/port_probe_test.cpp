#include "link_fixture.h"

using PortProbeTest = LinkTest;

// The opened port drops what waits, then sends the identity request once.
TEST_F(PortProbeTest, StoredPortValuesOpenTheirPort300MsAfterStartOrDefaultToOne)
{
    const std::tuple<RecordValue, int, bool> cases[] = {
        // stored value, port opened, counts as a change
        {std::monostate{}, 1, true}, {QString(), 1, true}, {QStringLiteral("0"), 1, true}, {0, 1, true},
        {QStringLiteral("7"), 7, false}, {QStringLiteral(" 12 "), 12, false}, {1, 1, false}, {16, 16, false},
        {QStringLiteral("2.5"), 2, false}, {QStringLiteral("3.5"), 4, false}, // rounded half to even
    };
    for (const auto& [stored, opens, changed] : cases) {
        LinkRig t;
        t.configuration.portNumber = stored;
        t.port.input = "stale";
        t.clock.advanceUs(300'000 - 1);
        EXPECT_TRUE(t.port.events.empty());
        t.clock.advanceUs(1);
        EXPECT_EQ(t.port.events,
            (std::vector<std::string>{
                "open " + std::to_string(opens), "discard output", "threshold 0", "write 44", "threshold 10"}));
        EXPECT_TRUE(t.port.input.isEmpty());
        t.clock.advanceMs(10000);
        EXPECT_EQ(t.port.written, QByteArray("D"));
        EXPECT_EQ(t.configuration.changed, changed) << opens;
        EXPECT_EQ(t.configuration.portNumber, changed ? RecordValue(1) : stored);
    }
}

// The message says why in the operator's words (the platform's only for what
// has none), under the port number signed, or the device given for the run.
TEST_F(PortProbeTest, PortFailureClosesThePortShowsWhyUnderItsNumberOrAddressAndOffersTheList)
{
    using Cause = LineFailure::Cause;
    // A failure as the platform tells it, with the remedy, the server's part and the line given for the run.
    const auto failure = [](Cause cause, const QString& line, bool atPortServer = false, const QString& remedy = {}) {
        LineFailure f(cause, QStringLiteral("The platform's words"));
        f.line = line;
        f.atPortServer = atPortServer;
        f.remedy = remedy;
        return f;
    };
    const QString again = QStringLiteral("\r\nSeleccione puerto correcto");
    const std::tuple<RecordValue, std::optional<LineFailure>, QString> cases[] = {
        // stored value, the port's open failure, the message's title and text
        {QStringLiteral("5"), failure(Cause::Busy, {}), " 5 | El puerto está en uso"},
        {QStringLiteral("COM4"), std::nullopt, "COM4 | Número de puerto no válido"},
        {70000, std::nullopt, " 70000 | Número de puerto no válido"},
        {1, failure(Cause::Unmapped, {}), " 1 | The platform's words"},
        {1, failure(Cause::Unmapped, "h:2", true),
            "h:2 | El servidor de puertos no pudo abrir su puerto serie: The platform's words"},
        {1, failure(Cause::NoPermission, "/dev/ttyX", false, "Pida acceso."),
            "/dev/ttyX | Sin permiso para usar el puerto\r\nPida acceso."},
        {1, failure(Cause::Refused, "127.0.0.1:2217"), "127.0.0.1:2217 | Conexión rechazada"},
        {1, failure(Cause::NoSuchDevice, "[::1]:7", true),
            "[::1]:7 | El servidor de puertos no pudo abrir su puerto serie: no existe el dispositivo"},
    };
    for (const auto& [stored, failure, message] : cases) {
        LinkRig t;
        t.port.opened = true; // left open by an earlier attempt
        t.port.failOpenWith = failure;
        t.configuration.portNumber = stored;
        t.clock.advanceMs(60300); // nothing is retried, no watchdog runs
        EXPECT_EQ(t.messages.log, (QStringList{"beep", "16 Selección incorrecta Puerto " + message + again}));
        EXPECT_FALSE(t.port.opened);
        EXPECT_TRUE(t.portList.shown);
        EXPECT_EQ(t.configuration.portNumber, stored);
        EXPECT_TRUE(t.port.written.isEmpty());
    }
}

// A line lost before the exchange identified itself (a device server that
// cannot open its own port says so and hangs up) is a port failure: the
// watchdog stops and the list is offered. Once the exchange has answered, a
// lost line is the watchdog's silence.
TEST_F(PortProbeTest, LineLostBeforeTheIdentityIsAPortFailureAfterItTheWatchdogsSilence)
{
    configuration.portNumber = 3;
    clock.advanceMs(300);
    messages.log.clear();
    LineFailure closed(LineFailure::Cause::Closed);
    closed.line = QStringLiteral("h:1");
    port.lose(closed);
    EXPECT_EQ(messages.log,
        (QStringList{
            "beep", "16 Selección incorrecta Puerto h:1 | El equipo cerró la conexión\r\nSeleccione puerto correcto"}));
    EXPECT_TRUE(portList.shown);
    clock.advanceMs(60000);
    EXPECT_EQ(messages.log.size(), 2);

    port.failOpenWith.reset();
    link.probe().accept(QStringLiteral("3"));
    clock.advanceMs(300);
    port.deliver(exchange::Identity);
    messages.log.clear();
    port.lose(LineFailure(LineFailure::Cause::Vanished));
    clock.advanceMs(3000);
    EXPECT_EQ(messages.log.mid(0, 2), (QStringList{"beep", NoConnection}));
}

TEST_F(PortProbeTest, AcceptWarnsWithoutSelectionElseStoresTheEntryAsTextAndProbesIt300MsLater)
{
    port.failOpenWith = LineFailure(LineFailure::Cause::Busy);
    clock.advanceMs(300);
    configuration.changed = false;
    messages.log.clear();
    link.probe().accept(std::nullopt);
    EXPECT_EQ(messages.log,
        (QStringList{"beep", "16400 Sin selección | No seleccionó número de puerto"})); // critical with Help
    EXPECT_EQ(portList.focused, 1);
    EXPECT_FALSE(configuration.changed);
    clock.advanceMs(1000); // nothing is probed meanwhile

    port.failOpenWith.reset();
    link.probe().accept(QStringLiteral("3"));
    EXPECT_FALSE(portList.shown);
    EXPECT_TRUE(configuration.changed);
    EXPECT_EQ(configuration.portNumber, RecordValue(QStringLiteral("3")));
    clock.advanceUs(300'000 - 1);
    EXPECT_EQ(port.events, (std::vector<std::string>{"open 1"}));
    clock.advanceUs(1);
    EXPECT_EQ(port.events.at(1), "open 3");
}
