#include "link_fixture.h"

namespace
{

const QString BadPortTitle = QStringLiteral("Selección incorrecta Puerto ");

} // namespace

using PortProbeTest = LinkTest;

TEST_F(PortProbeTest, StoredPortValuesOpenTheirPortOrDefaultToOne)
{
    struct Case {
        NumeroPuerto stored;
        int opens;
        bool changed;
    };
    const Case cases[] = {
        {std::monostate{}, 1, true},
        {QString(), 1, true},
        {QStringLiteral("0"), 1, true},
        {0, 1, true},
        {QStringLiteral("7"), 7, false},
        {QStringLiteral(" 12 "), 12, false},
        {1, 1, false},
        {16, 16, false},
        {QStringLiteral("2.5"), 2, false}, // rounded half to even
        {QStringLiteral("3.5"), 4, false},
    };
    for (const Case& c : cases) {
        LinkRig t;
        t.configuration.numeroPuerto = c.stored;
        t.clock.advanceMs(299);
        EXPECT_TRUE(t.port.events.empty());
        t.clock.advanceMs(1);
        ASSERT_FALSE(t.port.events.empty());
        EXPECT_EQ(t.port.events.front(), "open " + std::to_string(c.opens));
        EXPECT_EQ(t.configuration.hayCambios, c.changed) << t.port.events.front();
        if (c.changed) {
            EXPECT_EQ(t.configuration.numeroPuerto, NumeroPuerto(1));
        }
        EXPECT_FALSE(t.timer5->enabled()); // one-shot
        EXPECT_TRUE(t.messages.shown.empty());
    }
}

TEST_F(PortProbeTest, OpenedPortDropsWaitingBytesThenSendsTheIdentityRequest)
{
    configuration.numeroPuerto = QStringLiteral("3");
    port.input = "stale";
    clock.advanceMs(300);
    EXPECT_EQ(
        port.events, (std::vector<std::string>{"open 3", "discard output", "threshold 0", "write 44", "threshold 10"}));
    EXPECT_TRUE(port.input.isEmpty());
    EXPECT_EQ(timer3->interval(), 3000);
    EXPECT_TRUE(timer3->running());
    clock.advanceMs(10000);
    EXPECT_EQ(port.written, QByteArray("D")); // probed once only
}

TEST_F(PortProbeTest, PortFailureShowsTheDescriptionAndTheNumberWithItsSignBlank)
{
    struct Case {
        NumeroPuerto stored;
        std::optional<QString> openError;
        QString text;
        QString titleNumber;
    };
    const Case cases[] = {
        {QStringLiteral("5"), QStringLiteral("No such file or directory"),
            QStringLiteral("No such file or directory\r\nSeleccione puerto correcto"), QStringLiteral(" 5")},
        {-3, QStringLiteral("Número de puerto no válido"),
            QStringLiteral("Número de puerto no válido\r\nSeleccione puerto correcto"), QStringLiteral("-3")},
        {QStringLiteral("COM4"), std::nullopt,
            QStringLiteral("Número de puerto no válido\r\nSeleccione puerto correcto"), QStringLiteral("COM4")},
        {QStringLiteral("40000"), std::nullopt,
            QStringLiteral("Número de puerto no válido\r\nSeleccione puerto correcto"), QStringLiteral("40000")},
        {70000, std::nullopt, QStringLiteral("Número de puerto no válido\r\nSeleccione puerto correcto"),
            QStringLiteral(" 70000")},
    };
    for (const Case& c : cases) {
        LinkRig t;
        t.port.failOpenWith = c.openError;
        t.configuration.numeroPuerto = c.stored;
        t.clock.advanceMs(300);
        EXPECT_EQ(t.messages.beeps, 1);
        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].text, c.text);
        EXPECT_EQ(t.messages.shown[0].title, BadPortTitle + c.titleNumber);
        EXPECT_EQ(t.messages.shown[0].style, MessageStyle::Critical);
        EXPECT_TRUE(t.portChoice.visible);
        EXPECT_TRUE(t.port.written.isEmpty());
        EXPECT_EQ(t.configuration.numeroPuerto, c.stored);
        t.clock.advanceMs(60000); // nothing is retried, no watchdog runs
        EXPECT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.timer3->interval(), 0);
    }
}

TEST_F(PortProbeTest, AcceptWithoutSelectionWarnsAndKeepsThePanel)
{
    port.failOpenWith = QStringLiteral("busy");
    clock.advanceMs(300);
    configuration.hayCambios = false;
    messages.shown.clear();
    link.probe().accept(std::nullopt);
    EXPECT_EQ(messages.beeps, 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "No seleccionó número de puerto");
    EXPECT_EQ(messages.shown[0].title, "Sin selección");
    EXPECT_EQ(messages.shown[0].style, MessageStyle::CriticalWithHelp);
    EXPECT_EQ(portChoice.focused, 1);
    EXPECT_TRUE(portChoice.visible);
    EXPECT_FALSE(configuration.hayCambios);
    clock.advanceMs(1000);
    EXPECT_EQ(port.events, (std::vector<std::string>{"open 1"}));
}

TEST_F(PortProbeTest, AcceptedEntryIsStoredAsTextAndProbed300MsLater)
{
    configuration.numeroPuerto = QStringLiteral("9");
    configuration.hayCambios = false;
    port.failOpenWith = QStringLiteral("gone");
    clock.advanceMs(300);
    EXPECT_FALSE(configuration.hayCambios); // a stored number is no change

    port.failOpenWith.reset();
    port.events.clear();
    link.probe().accept(QStringLiteral("3"));
    EXPECT_FALSE(portChoice.visible);
    EXPECT_TRUE(configuration.hayCambios);
    EXPECT_EQ(configuration.numeroPuerto, NumeroPuerto(QStringLiteral("3")));
    clock.advanceMs(299);
    EXPECT_TRUE(port.events.empty());
    clock.advanceMs(1);
    EXPECT_EQ(port.events.front(), "open 3");
    EXPECT_EQ(port.written, QByteArray("D"));
}

TEST_F(PortProbeTest, PortOpenedButFailingLaterIsClosedBeforeTheMessage)
{
    // A port the probe left open (the failure of a later step) is closed before the list appears.
    port.opened = true;
    port.failOpenWith = QStringLiteral("Port already open");
    clock.advanceMs(300);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.events, (std::vector<std::string>{"open 1", "close"}));
}

TEST_F(PortProbeTest, IdentityReplyChecksModelCaseSensitivelyAndShowsTheSerial)
{
    struct Case {
        QByteArray reply;
        bool accepted;
        const char* caption;
    };
    const Case cases[] = {
        {identity("R9030412"), true, "QUINDORA R903 - Serie 0412 - V1.00"},
        {identity("R903 7 9", "\x01\xFF"), true, "QUINDORA R903 - Serie  7 9 - V1.00"},
        {identity("R9041234"), false, "Quindora R903"},
        {identity("r9031234"), false, "Quindora R903"},
        {identity("X9030412"), false, "Quindora R903"},
    };
    for (const Case& c : cases) {
        LinkRig t;
        t.clock.advanceMs(300);
        t.port.events.clear();
        t.port.deliver(c.reply);
        EXPECT_EQ(t.panel.caption(), QString::fromLatin1(c.caption)) << c.reply.toStdString();
        if (c.accepted) {
            EXPECT_EQ(t.port.events, (std::vector<std::string>{"threshold 0", "write 42", "threshold 512"}));
            EXPECT_EQ(t.timer3->interval(), 3000);
        } else {
            EXPECT_EQ(t.port.events, (std::vector<std::string>{"threshold 0", "write 8f", "threshold 0"}));
            EXPECT_EQ(t.timer3->interval(), 200);
        }
    }
}
