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

TEST_F(PortProbeTest, PortFailureClosesThePortShowsWhyWithTheNumberSignedAndOffersTheList)
{
    const QString invalid = QStringLiteral("Número de puerto no válido");
    const std::tuple<RecordValue, std::optional<QString>, QString> cases[] = {
        // stored value, the port's open error, the message's title and text
        {QStringLiteral("5"), QStringLiteral("No such file"), " 5 | No such file"},
        {QStringLiteral("COM4"), std::nullopt, "COM4 | " + invalid},
        {70000, std::nullopt, " 70000 | " + invalid},
    };
    for (const auto& [stored, openError, message] : cases) {
        LinkRig t;
        t.port.opened = true; // left open by an earlier attempt
        t.port.failOpenWith = openError;
        t.configuration.portNumber = stored;
        t.clock.advanceMs(60300); // nothing is retried, no watchdog runs
        EXPECT_EQ(t.messages.log,
            (QStringList{"beep", "16 Selección incorrecta Puerto " + message + "\r\nSeleccione puerto correcto"}));
        EXPECT_FALSE(t.port.opened);
        EXPECT_TRUE(t.portList.shown);
        EXPECT_EQ(t.configuration.portNumber, stored);
        EXPECT_TRUE(t.port.written.isEmpty());
    }
}

TEST_F(PortProbeTest, AcceptWarnsWithoutSelectionElseStoresTheEntryAsTextAndProbesIt300MsLater)
{
    port.failOpenWith = QStringLiteral("busy");
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
