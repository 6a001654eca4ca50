#include "sim/call_model.h"

#include "link/protocol.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace
{

constexpr std::int64_t Second = 1'000'000;
constexpr int Console = 19;

using Command = unsigned char (*)(int);
const std::map<QString, Command> Commands = {{"x", protocol::SeleccionInterno}, {"l", protocol::SeleccionLinea},
    {"m", protocol::MarcaMemoria}, {"CORTA", [](int) { return protocol::Corta; }},
    {"RETIENE", [](int) { return protocol::Retiene; }}, {"RECUPERA", [](int) { return protocol::Recupera; }}};

// A call model and its clock, played from a scenario, word by word:
//   x4 l3 m1 CORTA RETIENE RECUPERA   the console's command on slot 4, line 3, memory 1, or its button
//   ring3 call5 !ring3                line 3 rings, extension 5 calls the console; "!": refused
//   +3s +0.000001s                    time passes
//   x4=3 l3=6 own=c0                  the frame shows this code (hexadecimal)
struct Calls {
    CallModel model{ExchangePlan::builtIn(), 7, false};
    std::int64_t now = 0;

    void play(const QString& scenario)
    {
        static const QRegularExpression parts(QStringLiteral("^(!?)([a-zA-Z]+)(\\d*)(=[0-9a-f]+)?$"));
        for (const QString& word : scenario.split(u' ', Qt::SkipEmptyParts)) {
            SCOPED_TRACE(word.toStdString());
            const QRegularExpressionMatch m = parts.match(word);
            const QString name = m.captured(2);
            const int n = m.captured(3).toInt();
            if (word.startsWith(u'+'))
                model.advanceTo(now += std::llround(word.mid(1).chopped(1).toDouble() * Second));
            else if (!m.captured(4).isEmpty())
                EXPECT_EQ(code(name, n), m.captured(4).mid(1).toInt(nullptr, 16));
            else if (name == u"ring")
                EXPECT_EQ(model.ringLine(n, now), m.captured(1).isEmpty());
            else if (name == u"call")
                EXPECT_EQ(model.callConsoleFrom(n, now), m.captured(1).isEmpty());
            else if (Commands.contains(name))
                model.command(Commands.at(name)(n), now);
            else
                ADD_FAILURE() << "unknown word";
        }
    }
    int code(const QString& element, int n) const
    {
        const int index = element == u"own" ? Console - 1 : element == u"x" ? n - 1 : Console - 1 + n;
        return static_cast<unsigned char>(model.frame()[index]);
    }
};

TEST(CallModel, TheConsolesCommandsAndTheirEffects)
{
    const std::pair<const char*, const char*> scenarios[] = {
        {"an idle exchange shows only the console and ignores commands that find no party",
            "own=80 x1=0 l1=0 CORTA RETIENE RECUPERA x19 m6 own=80 x19=80 l1=0"},
        {"calling a free extension rings it until it answers; CORTA cuts it",
            "x4 x4=3 own=c0 +2.999999s x4=3 +0.000001s x4=2 CORTA x4=0 own=80"},
        {"an extension is held and taken back, by RECUPERA or by a click on it",
            "x2 +3s RETIENE x2=5 own=c0 RECUPERA x2=2 RETIENE x2 x2=2"},
        {"a ringing line is taken, held and transferred to an extension",
            "ring3 l3=6 l3 l3=2 RETIENE l3=4 x6 x6=3 +3s x6=2 CORTA l3=1 x6=1 own=80"},
        {"CORTA while the extension rings hands over a held line", "l4 +3s x8 x8=3 CORTA x8=1 l4=1 own=80"},
        {"CORTA while the extension rings hands over a held extension", "x1 +3s x8 x8=3 CORTA x8=1 x1=1 own=80"},
        {"CORTA with an extension held and another talking cuts the one talking",
            "x1 +3s x2 +3s CORTA x2=0 x1=5 CORTA x1=0 own=80"},
        {"a new call holds the current one, is refused when the hold is taken, and a second line is parked",
            "l1 l1=2 l2 l1=4 l2=2 l5 l5=0 RETIENE l2=5 RECUPERA l1=2 l2 l2=2 l1=4"},
        {"RECUPERA while calling an extension lets it go", "l1 x9 RECUPERA x9=0 l1=2"},
        {"dialling a memory with a number seizes the first free line",
            "l1 CORTA ring1 m1 l1=6 l2=2 CORTA m6 l2=0 own=80"},
        {"only a free line rings, only another free extension calls; both give up when nobody answers",
            "ring2 call5 x5=4 !ring2 !call5 !call19 !ring7 +20s x5=0 l2=6 +10s l2=0"},
    };
    for (const auto& [name, scenario] : scenarios) {
        SCOPED_TRACE(name);
        Calls().play(QString::fromLatin1(scenario));
    }
}

TEST(CallModel, ATransferredLineIsFreedOrReturnedToTheConsoleWhenItsCallEnds)
{
    std::set<int> outcomes;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        Calls calls{CallModel(ExchangePlan::builtIn(), seed, false)};
        calls.play("l1 x3 +3s CORTA l1=1 +61s");
        outcomes.insert(calls.model.lineStatus(1));
        calls.play("l1 l1=2");
    }
    EXPECT_EQ(outcomes, (std::set<int>{0, 7}));
}

TEST(CallModel, RandomTrafficRingsLinesAndCallsTheConsoleReproduciblyFromTheSeed)
{
    auto tenMinutes = [](std::uint64_t seed) {
        CallModel model(ExchangePlan::builtIn(), seed, true);
        QByteArray frames;
        for (std::int64_t t = 0; t < 600 * Second; t += Second / 5) {
            model.advanceTo(t);
            frames += model.frame();
        }
        return frames;
    };
    const QByteArray once = tenMinutes(11);
    EXPECT_EQ(tenMinutes(11), once);
    EXPECT_NE(tenMinutes(12), once);
    int ringing = 0;
    int calling = 0;
    for (qsizetype i = 0; i < once.size(); ++i) {
        ringing += i % 25 > 18 && once[i] == char(6);
        calling += i % 25 < 18 && once[i] == char(4);
    }
    EXPECT_GT(ringing, 0) << "no line ever rang";
    EXPECT_GT(calling, 0) << "no extension ever called the console";
}

} // namespace
