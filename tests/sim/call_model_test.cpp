#include "sim/call_model.h"

#include "console/console_state.h"
#include "link/protocol.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

constexpr std::int64_t Second = 1'000'000;
constexpr int Console = 19;

// A quiet exchange, its clock, and the console's view of its frames.
struct Calls {
    CallModel model{ExchangePlan::builtIn(), 7, false};
    std::int64_t now = 0;

    void command(unsigned char byte) { model.command(byte, now); }
    void wait(std::int64_t us)
    {
        now += us;
        model.advanceTo(now);
    }
    unsigned char ext(int slot) const { return model.extensionStatus(slot); }
    unsigned char line(int k) const { return model.lineStatus(k); }
    unsigned char own() const { return static_cast<unsigned char>(model.frame()[Console - 1]); }
    // What the console offers on its two buttons after this frame.
    std::pair<QString, QString> buttons() const
    {
        ConsoleState state;
        std::array<std::uint8_t, protocol::StatusFrameLength> frame{};
        const QByteArray bytes = model.frame();
        std::copy(bytes.begin(), bytes.end(), frame.begin());
        state.applyFrame(frame);
        const CommandAvailability offer = state.commandAvailability();
        auto caption = [](const CommandAvailability::Button& b) {
            return b.visible ? b.caption.value_or(QStringLiteral("?")) : QString();
        };
        return {caption(offer.corta), caption(offer.recupera)};
    }
};

using Buttons = std::pair<QString, QString>;
const QString CORTA = QStringLiteral("CORTA");
const QString TRANSFIERE = QStringLiteral("TRANSFIERE");
const QString RETIENE = QStringLiteral("RETIENE");
const QString RECUPERA = QStringLiteral("RECUPERA");

TEST(CallModel, AFreshExchangeIsIdleWithTheConsoleOnSlot19)
{
    Calls calls;
    const QByteArray frame = calls.model.frame();
    ASSERT_EQ(frame.size(), protocol::StatusFrameLength);
    EXPECT_EQ(frame, QByteArray(18, char(0)) + char(0x80) + QByteArray(6, char(0)));
}

TEST(CallModel, CallingAFreeExtensionRingsThenAnswers)
{
    Calls calls;
    calls.command(protocol::SeleccionInterno(4));
    EXPECT_EQ(calls.ext(4), 3);
    EXPECT_EQ(calls.own(), 0xC0);
    EXPECT_EQ(calls.buttons(), Buttons(CORTA, {}));
    calls.wait(CallModel::AnswerMs * 1000 - 1);
    EXPECT_EQ(calls.ext(4), 3);
    calls.wait(1);
    EXPECT_EQ(calls.ext(4), 2);
    EXPECT_EQ(calls.buttons(), Buttons(CORTA, RETIENE));

    calls.command(protocol::Corta);
    EXPECT_EQ(calls.ext(4), 0);
    EXPECT_EQ(calls.own(), 0x80);
    EXPECT_EQ(calls.buttons(), Buttons());
}

TEST(CallModel, HoldAndRetrieveAnExtension)
{
    Calls calls;
    calls.command(protocol::SeleccionInterno(2));
    calls.wait(3 * Second);
    calls.command(protocol::Retiene);
    EXPECT_EQ(calls.ext(2), 5);
    EXPECT_EQ(calls.own(), 0xC0) << "holding keeps the console engaged";
    EXPECT_EQ(calls.buttons(), Buttons(CORTA, RECUPERA));
    calls.command(protocol::Recupera);
    EXPECT_EQ(calls.ext(2), 2);
    calls.command(protocol::Retiene);
    calls.command(protocol::SeleccionInterno(2)); // a click on the held extension takes it back too
    EXPECT_EQ(calls.ext(2), 2);
}

TEST(CallModel, ALineIsTakenHeldAndTransferredToAnExtension)
{
    Calls calls;
    ASSERT_TRUE(calls.model.ringLine(3, calls.now));
    EXPECT_EQ(calls.line(3), 6);
    calls.command(protocol::SeleccionLinea(3));
    EXPECT_EQ(calls.line(3), 2);
    EXPECT_EQ(calls.buttons(), Buttons(CORTA, RETIENE));

    calls.command(protocol::Retiene);
    EXPECT_EQ(calls.line(3), 4);
    calls.command(protocol::SeleccionInterno(6));
    EXPECT_EQ(calls.ext(6), 3);
    EXPECT_EQ(calls.buttons(), Buttons(TRANSFIERE, RECUPERA));
    calls.wait(3 * Second);
    EXPECT_EQ(calls.ext(6), 2);
    EXPECT_EQ(calls.buttons(), Buttons(TRANSFIERE, {}));

    calls.command(protocol::Corta);
    EXPECT_EQ(calls.line(3), 1);
    EXPECT_EQ(calls.ext(6), 1);
    EXPECT_EQ(calls.own(), 0x80);
}

TEST(CallModel, TransfiereWhileTheExtensionRingsHandsOverWhateverIsHeld)
{
    for (bool heldLine : {true, false}) {
        Calls calls;
        calls.command(heldLine ? protocol::SeleccionLinea(4) : protocol::SeleccionInterno(1));
        calls.wait(3 * Second);
        calls.command(protocol::SeleccionInterno(8)); // holds the first party, rings extension 8
        ASSERT_EQ(calls.ext(8), 3);
        EXPECT_EQ(calls.buttons(), Buttons(TRANSFIERE, RECUPERA));
        calls.command(protocol::Corta);
        EXPECT_EQ(calls.ext(8), 1);
        EXPECT_EQ(heldLine ? calls.line(4) : calls.ext(1), 1);
        EXPECT_FALSE(calls.model.engaged());
    }
}

TEST(CallModel, CortaWithAnExtensionHeldAndAnotherTalkingCutsTheOneTalking)
{
    Calls calls;
    calls.command(protocol::SeleccionInterno(1));
    calls.wait(3 * Second);
    calls.command(protocol::SeleccionInterno(2));
    calls.wait(3 * Second);
    EXPECT_EQ(calls.buttons(), Buttons(CORTA, RETIENE));
    calls.command(protocol::Corta);
    EXPECT_EQ(calls.ext(2), 0);
    EXPECT_EQ(calls.ext(1), 5);
    EXPECT_EQ(calls.buttons(), Buttons(CORTA, RECUPERA));
    calls.command(protocol::Corta);
    EXPECT_EQ(calls.ext(1), 0);
    EXPECT_EQ(calls.buttons(), Buttons());
}

TEST(CallModel, ATransferredLineIsFreedOrReturnedToTheConsoleWhenItsCallEnds)
{
    std::set<int> outcomes;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        Calls calls{CallModel(ExchangePlan::builtIn(), seed, false)};
        calls.command(protocol::SeleccionLinea(1));
        calls.command(protocol::SeleccionInterno(3));
        calls.wait(3 * Second);
        calls.command(protocol::Corta);
        ASSERT_EQ(calls.line(1), 1);
        calls.wait(61 * Second);
        outcomes.insert(calls.line(1));
        calls.command(protocol::SeleccionLinea(1));
        EXPECT_EQ(calls.line(1), 2) << "seed " << seed << ": the console takes the line back";
    }
    EXPECT_EQ(outcomes, (std::set<int>{0, 7}));
}

TEST(CallModel, TakingANewCallHoldsTheCurrentOneOrIsRefused)
{
    Calls calls;
    calls.command(protocol::SeleccionLinea(1)); // seize a free line
    EXPECT_EQ(calls.line(1), 2);
    calls.command(protocol::SeleccionLinea(2));
    EXPECT_EQ(calls.line(1), 4);
    EXPECT_EQ(calls.line(2), 2);
    calls.command(protocol::SeleccionLinea(5)); // the hold is taken
    EXPECT_EQ(calls.line(5), 0);
    calls.command(protocol::Retiene); // a second line is parked
    EXPECT_EQ(calls.line(2), 5);
    calls.command(protocol::Recupera);
    EXPECT_EQ(calls.line(1), 2);
    calls.command(protocol::SeleccionLinea(2)); // a parked line is taken back; line 1 goes on hold
    EXPECT_EQ(calls.line(2), 2);
    EXPECT_EQ(calls.line(1), 4);
}

TEST(CallModel, RecuperaWhileCallingAnExtensionLetsItGo)
{
    Calls calls;
    calls.command(protocol::SeleccionLinea(1));
    calls.command(protocol::SeleccionInterno(9));
    calls.command(protocol::Recupera);
    EXPECT_EQ(calls.ext(9), 0);
    EXPECT_EQ(calls.line(1), 2);
}

TEST(CallModel, DiallingAMemorySeizesTheFirstFreeLine)
{
    Calls calls;
    calls.command(protocol::SeleccionLinea(1));
    calls.command(protocol::Corta);
    ASSERT_TRUE(calls.model.ringLine(1, calls.now));
    calls.command(protocol::MarcaMemoria(1));
    EXPECT_EQ(calls.line(1), 6);
    EXPECT_EQ(calls.line(2), 2);
    calls.command(protocol::Corta);
    calls.command(protocol::MarcaMemoria(6)); // the built-in memory 6 holds no number
    EXPECT_EQ(calls.line(2), 0);
    EXPECT_FALSE(calls.model.engaged());
}

TEST(CallModel, OutsideCallsGiveUpWhenNobodyAnswers)
{
    Calls calls;
    ASSERT_TRUE(calls.model.ringLine(2, calls.now));
    ASSERT_TRUE(calls.model.callConsoleFrom(5, calls.now));
    EXPECT_FALSE(calls.model.callConsoleFrom(Console, calls.now));
    EXPECT_FALSE(calls.model.ringLine(2, calls.now)) << "the line is no longer free";
    EXPECT_EQ(calls.ext(5), 4);
    calls.wait(CallModel::ExtensionGivesUpMs * 1000);
    EXPECT_EQ(calls.ext(5), 0);
    EXPECT_EQ(calls.line(2), 6);
    calls.wait((CallModel::LineGivesUpMs - CallModel::ExtensionGivesUpMs) * 1000);
    EXPECT_EQ(calls.line(2), 0);
}

TEST(CallModel, CommandsOnPartiesInTheWrongStateChangeNothing)
{
    const unsigned char ignored[] = {protocol::Corta, protocol::Retiene, protocol::Recupera,
        protocol::SeleccionInterno(Console), protocol::SinComando, 0x00, 0x14, 0x20, 0x27, 0x83, 0x90, 0xDB, 0xFF};
    Calls calls;
    for (unsigned char byte : ignored) {
        calls.command(byte);
        EXPECT_EQ(calls.model.frame(), Calls().model.frame()) << "byte " << int(byte);
    }
}

QByteArray tenMinutes(std::uint64_t seed, int* ringing, int* calling)
{
    CallModel model(ExchangePlan::builtIn(), seed, true);
    QByteArray frames;
    for (std::int64_t t = 0; t < 600 * Second; t += Second / 5) {
        model.advanceTo(t);
        const QByteArray frame = model.frame();
        *ringing += frame.mid(19).count(char(6));
        *calling += frame.left(18).count(char(4));
        frames += frame;
    }
    return frames;
}

TEST(CallModel, RandomTrafficIsReproducibleFromTheSeed)
{
    int ringing = 0;
    int calling = 0;
    const QByteArray once = tenMinutes(11, &ringing, &calling);
    EXPECT_EQ(tenMinutes(11, &ringing, &calling), once);
    EXPECT_NE(tenMinutes(12, &ringing, &calling), once);
    EXPECT_GT(ringing, 0) << "no line ever rang";
    EXPECT_GT(calling, 0) << "no extension ever called the console";
}

} // namespace
