#include "link_fixture.h"

namespace
{

const QString LostLink = QStringLiteral(
    "Se ha perdido conexión con R903.\r\nPuede estar en modo programación\r\nEspere algunos minutos y reintente");
const QString NoConnection = QStringLiteral("No es posible establecer conexión con R903");
const QString WrongAnswer = QStringLiteral("Respuesta incorrecta de R903. Por favor reintente");
const QString SaveQuestion = QStringLiteral("Ha hecho cambios en la configuración\r\n¿Desea salvarlos?");

} // namespace

using LinkSupervisionTest = LinkTest;

TEST_F(LinkSupervisionTest, SilentRunningLinkIsRetriedOnceThenReportedLost)
{
    connect();
    configuration.hayCambios = false;
    clock.advanceMs(9999);
    EXPECT_TRUE(port.takeWritten().isEmpty());
    clock.advanceMs(1);
    EXPECT_EQ(port.takeWritten(), QByteArray(1, char(protocol::IniciaSondeo)));
    EXPECT_EQ(port.threshold, 1);
    EXPECT_EQ(link.supervision().reintentos(), 1);
    EXPECT_TRUE(messages.shown.empty());
    clock.advanceMs(9999);
    EXPECT_TRUE(messages.shown.empty());
    clock.advanceMs(1);
    EXPECT_EQ(messages.beeps, 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, LostLink);
    EXPECT_EQ(messages.shown[0].title, "Error de comunicación");
    EXPECT_EQ(messages.shown[0].style, MessageStyle::Critical);
    EXPECT_EQ(window.unloads, 1);
    EXPECT_EQ(save.saves, 0);
    EXPECT_TRUE(port.takeWritten().isEmpty());
}

TEST_F(LinkSupervisionTest, AnyByteAfterTheRetryEarnsTheNextSilenceAnotherRetry)
{
    connect();
    clock.advanceMs(10000);
    EXPECT_EQ(port.takeWritten(), QByteArray(1, char(protocol::IniciaSondeo)));
    clock.advanceMs(5000);
    port.deliver(QByteArray(1, char(0x33))); // not a poll, still a sign of life
    EXPECT_EQ(link.supervision().reintentos(), 0);
    clock.advanceMs(9999);
    EXPECT_TRUE(port.takeWritten().isEmpty());
    clock.advanceMs(1);
    EXPECT_EQ(port.takeWritten(), QByteArray(1, char(protocol::IniciaSondeo)));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window.unloads, 0);
}

TEST_F(LinkSupervisionTest, StatusFramesAloneDoNotResetTheRetryCount)
{
    connect();
    clock.advanceMs(10000); // retry
    port.deliver(QByteArray(1, char(protocol::Sondeo)));
    clock.advanceMs(9000);
    port.deliver(frame({}));
    EXPECT_EQ(link.supervision().reintentos(), 0); // the poll reset it
    clock.advanceMs(10000);
    EXPECT_EQ(link.supervision().reintentos(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LinkSupervisionTest, EachPhaseExpiresWithItsMessageAfterItsInterval)
{
    struct Case {
        const char* name;
        std::function<void(LinkRig&)> reach; // leaves the clock where the phase was armed
        int intervalMs;
        std::optional<QString> message;
    };
    const Case cases[] = {
        {"no identity", [](LinkRig& t) { t.clock.advanceMs(300); }, 3000, NoConnection},
        {"silent after identity",
            [](LinkRig& t) {
                t.clock.advanceMs(300);
                t.port.deliver(identity("R9031234"));
            },
            3000, NoConnection},
        {"silent after table",
            [](LinkRig& t) {
                t.clock.advanceMs(300);
                t.port.deliver(identity("R9031234"));
                t.port.deliver(plainNumberingTable());
            },
            3000, NoConnection},
        {"wrong model",
            [](LinkRig& t) {
                t.clock.advanceMs(300);
                t.port.deliver(identity("R9041234"));
            },
            200, WrongAnswer},
        {"closing request sent",
            [](LinkRig& t) {
                t.connect();
                t.cola.endConnection();
                t.port.deliver(QByteArray(1, char(protocol::Sondeo)));
            },
            500, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig t;
        c.reach(t);
        t.configuration.hayCambios = false;
        t.clock.advanceMs(c.intervalMs - 1);
        EXPECT_EQ(t.window.unloads, 0);
        EXPECT_TRUE(t.messages.shown.empty());
        t.clock.advanceMs(1);
        EXPECT_EQ(t.window.unloads, 1);
        if (c.message) {
            ASSERT_EQ(t.messages.shown.size(), 1u);
            EXPECT_EQ(t.messages.shown[0].text, *c.message);
            EXPECT_EQ(t.messages.shown[0].title, "Error de comunicación");
            EXPECT_EQ(t.messages.beeps, 1);
        } else {
            EXPECT_TRUE(t.messages.shown.empty());
            EXPECT_EQ(t.messages.beeps, 0);
        }
        t.clock.advanceMs(60000);
        EXPECT_EQ(t.window.unloads, 1);
    }
}

TEST_F(LinkSupervisionTest, SaveQuestionOnlyWhenChangedAndSaveOnlyOnYes)
{
    struct Case {
        bool changed;
        std::optional<MessageAnswer> answer;
        int saves;
    };
    for (const Case& c : {Case{false, std::nullopt, 0}, {true, MessageAnswer::Yes, 1}, {true, MessageAnswer::No, 0}}) {
        LinkRig t;
        t.connect();
        t.configuration.hayCambios = c.changed;
        t.cola.endConnection();
        t.port.deliver(QByteArray(1, char(protocol::Sondeo)));
        if (c.answer)
            t.messages.answers.push_back(*c.answer);
        t.clock.advanceMs(500);
        EXPECT_EQ(t.save.saves, c.saves);
        EXPECT_EQ(t.window.unloads, 1);
        if (!c.changed) {
            EXPECT_TRUE(t.messages.shown.empty());
            continue;
        }
        EXPECT_EQ(t.messages.beeps, 1);
        ASSERT_EQ(t.messages.shown.size(), 1u);
        EXPECT_EQ(t.messages.shown[0].text, SaveQuestion);
        EXPECT_EQ(t.messages.shown[0].title, "Cambios de configuración");
        EXPECT_EQ(t.messages.shown[0].style, MessageStyle::Question);
    }
}

TEST_F(LinkSupervisionTest, ExpiriesDuringTheClosingMessagesStartNothing)
{
    connect();
    configuration.hayCambios = true;
    // While each modal box is open, a minute of timer ticks goes by.
    messages.whileShown = [this] { clock.advanceMs(60000); };
    clock.advanceMs(20000);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, LostLink);
    EXPECT_EQ(messages.shown[1].text, SaveQuestion);
    EXPECT_EQ(messages.beeps, 2);
    EXPECT_EQ(save.saves, 1);
    EXPECT_EQ(window.unloads, 1);
    EXPECT_EQ(port.takeWritten(), QByteArray(1, char(protocol::IniciaSondeo))); // the one retry only
}

TEST_F(LinkSupervisionTest, FirstStartWithoutConfigurationAsksToSaveTheDefaultPort)
{
    // No file: the probe defaults the port, which counts as a change.
    messages.answers.push_back(MessageAnswer::Ok);
    messages.answers.push_back(MessageAnswer::Yes);
    clock.advanceMs(300 + 3000);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, NoConnection);
    EXPECT_EQ(messages.shown[1].text, SaveQuestion);
    EXPECT_EQ(save.saves, 1);
    EXPECT_EQ(configuration.numeroPuerto, NumeroPuerto(1));
}
