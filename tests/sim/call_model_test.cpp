#include "sim/call_model.h"

#include "wire/commands.h"
#include "wire/status_codes.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

constexpr std::int64_t Second = 1'000'000;
namespace line = wire::line;

// The console takes line 1, calls extension 3 (the line goes on hold) and cuts
// once it answers: the line is handed over, and when that call ends it is
// freed or, now and then, comes back to the console.
TEST(CallModel, ALineHandedOverIsFreedOrReturnedToTheConsoleWhenItsCallEnds)
{
    std::set<int> outcomes;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        CallModel model(ExchangePlan::builtIn(), seed, false);
        model.command(wire::SelectLine(1), 0);
        model.command(wire::SelectExtension(3), 0);
        model.command(wire::Cut, CallModel::AnswerMs * 1000);
        model.advanceTo(64 * Second);
        outcomes.insert(model.lineStatus(1));
    }
    EXPECT_EQ(outcomes, (std::set<int>{line::Free, line::Returned}));
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
        ringing += i % 25 > 18 && once[i] == char(line::Calling);
        calling += i % 25 < 18 && once[i] == char(wire::extension::Calling);
    }
    EXPECT_GT(ringing, 0) << "no line ever rang";
    EXPECT_GT(calling, 0) << "no extension ever called the console";
}

} // namespace
