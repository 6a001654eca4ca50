#include "configuration/configuration.h"
#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/journal_csv.h"
#include "fake_clock.h"
#include "fake_journal_store.h"
#include "fake_messages.h"
#include "qt_printers.h"
#include "virtual_clock.h"
#include "wire/commands.h"

#include <gtest/gtest.h>

namespace
{

constexpr int L1 = wire::linePosition(1), L2 = wire::linePosition(2), L3 = wire::linePosition(3);
constexpr int Slot4 = 3;

// Seconds to let pass, then the frame that arrives: (frame position, code) pairs.
struct Step {
    int seconds;
    std::vector<std::pair<int, int>> codes;
};

// The journal over the console's state, on the virtual clock, with its wall clock from 9:30.
struct JournalRig {
    JournalRig()
    {
        journalClock.follows = &clock;
        state.setExtensionNumber(Slot4 + 1, QStringLiteral("14"));
        configuration.names[Slot4] = QStringLiteral("Caja, 2º");
    }

    void play(const std::vector<Step>& steps)
    {
        for (const Step& step : steps) {
            clock.advanceMs(step.seconds * 1000);
            wire::StatusFrame frame{};
            for (auto [index, code] : step.codes)
                frame[index] = std::uint8_t(code);
            state.applyFrame(frame);
            journal.frameApplied();
        }
    }
    // Each filed call as "origin name kind seconds outcome".
    QStringList filed() const
    {
        QStringList out;
        for (const CallEntry& e : journalStore.entries)
            out << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(e.origin, e.name, kindText(e.kind))
                       .arg(e.waitedSeconds)
                       .arg(outcomeText(e.outcome));
        return out;
    }

    VirtualClock clock;
    FakeMessages messages;
    ConsoleState state;
    Configuration configuration;
    FakeJournalStore journalStore;
    FakeClock journalClock;
    std::unique_ptr<VirtualTimer> retryTimer = clock.createTimer();
    CallJournal journal{{journalStore, journalClock, messages, state, configuration, *retryTimer}};
};

struct JournalTest : testing::Test, JournalRig {
};

// Each case ends with the link closed twice: calls still waiting end once, unfinished.
TEST_F(JournalTest, CallsEndAnsweredWhenTheyGoToTheConsoleMissedOtherwiseAndUnfinishedAtTheClose)
{
    const struct {
        const char* name;
        std::vector<Step> steps;
        QStringList expected;
    } cases[] = {
        {"missed line", {{0, {{L2, 6}}}, {5, {{L2, 1}}}}, {"L2  entrante 5 perdida"}},
        {"returned, then taken", {{0, {{L1, 7}}}, {3, {{L1, 2}}}}, {"L1  devuelta 3 atendida"}},
        {"6 to 7 and back is one call", {{0, {{L1, 6}}}, {4, {{L1, 7}}}, {4, {{L1, 6}}}, {2, {{L1, 2}}}},
            {"L1  entrante 10 atendida"}},
        {"extension becomes the console's own", {{0, {{Slot4, 4}}}, {1, {{Slot4, 0xC4}}}},
            {"14 Caja, 2º interno 1 perdida"}},
        {"two lines at once", {{0, {{L1, 6}}}, {2, {{L1, 6}, {L3, 6}}}, {3, {{L1, 6}, {L3, 2}}}, {4, {{L3, 2}}}},
            {"L3  entrante 3 atendida", "L1  entrante 9 perdida"}},
        {"a line taken never called", {{0, {{L1, 2}}}, {3, {}}}, {}},
        {"still waiting at the close", {{0, {{L2, 6}, {Slot4, 4}}}, {9, {{L2, 6}, {Slot4, 2}}}},
            {"14 Caja, 2º interno 9 atendida", "L2  entrante 9 sin final"}},
    };
    for (const auto& c : cases) {
        JournalRig t;
        t.play(c.steps);
        t.journal.linkClosed();
        t.journal.linkClosed();
        EXPECT_EQ(t.filed(), c.expected) << c.name;
        EXPECT_EQ(t.journal.missedToday(), c.expected.filter("perdida").size()) << c.name;
    }
}

// A line rings (6) or comes back (7), an extension calls (4): every code it can go to.
TEST_F(JournalTest, OnlyTheConsoleTakingAWaitingCallAnswersIt)
{
    const struct {
        int position;
        int from;
        std::vector<int> missedTo;
    } cases[] = {{L1, 6, {0, 1, 3, 4, 5}}, {L1, 7, {0, 1, 3, 4, 5}}, {Slot4, 4, {0, 1, 3, 5, 6, 0x80}}};
    for (const auto& c : cases) {
        std::vector<std::pair<int, const char*>> leaves{{2, "atendida"}};
        for (int to : c.missedTo)
            leaves.push_back({to, "perdida"});
        for (auto [to, outcome] : leaves) {
            JournalRig t;
            t.play({{0, {{c.position, c.from}}}, {2, {{c.position, to}}}});
            ASSERT_EQ(t.filed().size(), 1) << c.from << " to " << to;
            EXPECT_TRUE(t.filed()[0].endsWith(outcome)) << c.from << " to " << to << ": " << t.filed()[0].toStdString();
        }
    }
}

TEST_F(JournalTest, TheDaysFiguresCountEveryEndedCallInTheHourItEndedAndCallbacksMarkTheLatestMissedFirst)
{
    journalClock.morningMs = QDateTime(QDate(2026, 12, 7), QTime(9, 59)).toMSecsSinceEpoch();
    play({{0, {{L1, 6}}}, {10, {{L1, 2}, {Slot4, 4}}}, {20, {}}, {5, {{Slot4, 4}}}, {65, {{L2, 6}}}});
    journal.linkClosed();
    const DayFigures& figures = journal.today().figures();
    EXPECT_EQ(figures.summary(journal.today().date()),
        "07/12/2026: 4 llamadas, 1 atendida, 2 perdidas (50 %), 1 sin final, espera media 0:24, espera máxima 1:05");
    EXPECT_EQ(figures.hours()[9].total(), 2);
    EXPECT_EQ(figures.hours()[10].total(), 2);
    EXPECT_EQ(figures.busiestHourText(), "Hora con más llamadas: 9 a 10, 2 llamadas, 1 perdida") << "the earlier";
    ASSERT_EQ(journal.buttonCaption(), "LLAMADAS (2)");

    const std::size_t filedCalls = journalStore.entries.size();
    std::vector<std::int64_t> callbacks;
    for (int call = 0; call < 3; ++call) {
        play({{60, {}}});
        journal.commandSent(wire::SelectExtension(Slot4 + 1));
        journal.commandSent(wire::SelectLine(1));
        callbacks.push_back(journalClock.wallMs());
    }
    ASSERT_EQ(journalStore.entries.size(), filedCalls + 2) << "a third callback finds nothing to mark";
    EXPECT_EQ(journalStore.entries.back(),
        (CallEntry{callbacks[1], "14", "Caja, 2º", CallKind::Callback, 0, CallOutcome::Missed, callbacks[1]}));
    const auto& calls = journal.today().calls();
    EXPECT_EQ(calls[1].calledBackMs, callbacks[1]);
    EXPECT_EQ(calls[2].calledBackMs, callbacks[0]) << "the latest missed call first";
    EXPECT_EQ(journal.buttonCaption(), "LLAMADAS");
    EXPECT_EQ(figures.byOutcome().missed, 2);
}

TEST(CallDay, TheListKeepsTheLatestCallsAndTheFiguresCountThemAll)
{
    const QDateTime nine(QDate(2026, 12, 7), QTime(9, 0));
    CallDay day(nine.date());
    for (std::size_t call = 0; call <= CallDay::KeptCalls; ++call) {
        const std::int64_t ended = nine.toMSecsSinceEpoch() + std::int64_t(call);
        day.add({ended, "L1", "", CallKind::Incoming, 1, CallOutcome::Missed, ended});
    }
    EXPECT_EQ(day.calls().size(), CallDay::KeptCalls);
    EXPECT_EQ(day.dropped(), 1u);
    EXPECT_EQ(day.figures().calls(), int(CallDay::KeptCalls) + 1);
    EXPECT_EQ(day.notCalledBack(), int(CallDay::KeptCalls) + 1);
}

// Where the clocks go forward at midnight, the day starts at 01:00 and a row
// written at a skipped time (a file edited by hand) counts just after the skip.
TEST(CallDay, ADayWhoseMidnightTheClocksSkipHoldsItsOwnCallsOnly)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "America/Santiago");
    const auto at = [](int day, int hour, int minute) {
        return QDateTime(QDate(2026, 9, day), QTime(hour, minute)).toMSecsSinceEpoch();
    };
    const CallDay day = CallDay::read(QDate(2026, 9, 6),
        journal_csv::header() + "2026-09-05 22:00:00,L1,,entrante,0,perdida,2026-09-05 22:00:00\r\n"
            + "2026-09-06 00:30:00,L2,,entrante,0,perdida,2026-09-06 00:30:00\r\n"
            + "2026-09-06 01:10:00,L3,,entrante,0,perdida,2026-09-06 01:10:00\r\n"
            + "20!6-09-06 01:10:00,L4,,entrante,0,perdida,2026-09-06 01:10:00\r\n");
    const CallDay before(QDate(2026, 9, 5));
    const bool eveningBefore = before.contains(at(5, 23, 59)) && !day.contains(at(5, 22, 0));
    qputenv("TZ", zone);
    ASSERT_EQ(day.calls().size(), 2u);
    EXPECT_EQ(day.calls()[0].origin, "L2");
    EXPECT_EQ(day.calls()[0].endedMs - day.calls()[1].endedMs, 20 * 60'000) << "00:30 counts as 01:30";
    EXPECT_EQ(day.figures().hours()[1].total(), 2);
    EXPECT_EQ(day.unreadableRows(), 1) << "a damaged year";
    EXPECT_TRUE(eveningBefore);
}

TEST_F(JournalTest, AWallClockMovedBackChangesNoWaitAndTheListFollowsTheDay)
{
    play({{0, {{L1, 6}}}, {3, {{L1, 0}}}});
    journalClock.wallShiftMs = -10 * 3600 * 1000; // back to yesterday evening
    play({{1, {{L2, 6}}}});
    journalClock.wallShiftMs -= 60 * 1000;
    play({{5, {{L2, 0}}}});
    ASSERT_EQ(journalStore.entries.size(), 2u);
    const CallEntry& late = journalStore.entries[1];
    EXPECT_EQ(late.waitedSeconds, 5);
    EXPECT_EQ(localTime(late.endedMs).date(), QDate(2026, 12, 6));
    EXPECT_EQ(journal.today().calls().size(), 1u) << "yesterday's list holds only its own call";
    EXPECT_EQ(journal.missedToday(), 1);
}

TEST_F(JournalTest, TodaysListStartsAfreshAtMidnightWithoutACall)
{
    int changes = 0;
    journal.onChanged([&] { ++changes; });
    play({{0, {{L1, 6}}}, {1, {}}});
    ASSERT_EQ(journal.buttonCaption(), "LLAMADAS (1)");
    journalClock.wallShiftMs = 15 * 3600 * 1000; // past midnight
    const int before = changes;
    play({{58, {}}});
    EXPECT_EQ(journal.missedToday(), 1) << "looked at once a minute only";
    play({{1, {}}});
    EXPECT_EQ(journal.buttonCaption(), "LLAMADAS");
    EXPECT_TRUE(journal.today().calls().empty());
    EXPECT_EQ(changes, before + 1);
}

TEST_F(JournalTest, ACallEndingAtMidnightIsTheNewDaysFirstInItsFirstHourAndOnlyItsDaysCallsAreCalledBack)
{
    journalClock.morningMs = QDateTime(QDate(2026, 12, 7), QTime(23, 59, 45)).toMSecsSinceEpoch();
    play({{0, {{L1, 6}, {Slot4, 4}}}, {5, {{L1, 6}}}, {10, {}}});
    journal.commandSent(wire::SelectExtension(Slot4 + 1));
    EXPECT_EQ(filed(), QStringList({"14 Caja, 2º interno 5 perdida", "L1  entrante 15 perdida"}))
        << "yesterday's missed call is not called back after midnight";
    const CallDay& today = journal.today();
    EXPECT_EQ(today.date(), QDate(2026, 12, 8));
    EXPECT_EQ(today.figures().summary(today.date()),
        "08/12/2026: 1 llamada, 0 atendidas, 1 perdida (100 %), espera media 0:15, espera máxima 0:15");
    EXPECT_EQ(today.figures().hours()[0].missed, 1);

    play({{60, {{Slot4, 4}}}, {3, {}}});
    journal.commandSent(wire::SelectExtension(Slot4 + 1));
    EXPECT_EQ(journalStore.entries.back().kind, CallKind::Callback);
    EXPECT_EQ(today.calls().back().calledBackMs, journalClock.wallMs());
    EXPECT_EQ(journal.buttonCaption(), "LLAMADAS (1)");
}

TEST_F(JournalTest, TodaysCallsAndCallbacksFiledByAnEarlierRunComeBackAndAreNotFiledAgain)
{
    const auto call = [](QDateTime ended, CallKind kind, CallOutcome outcome) {
        return CallEntry{ended.addSecs(-5).toMSecsSinceEpoch(), "14", "", kind, 5, outcome, ended.toMSecsSinceEpoch()};
    };
    const QDate today(2026, 12, 7);
    const auto at = [&](int hour, int minute) { return QDateTime(today, QTime(hour, minute)); };
    const CallEntry yesterday = call({today.addDays(-1), QTime(23, 0)}, CallKind::Extension, CallOutcome::Missed);
    CallEntry missed = call(at(8, 0), CallKind::Extension, CallOutcome::Missed);
    const CallEntry answered = call(at(8, 10), CallKind::Incoming, CallOutcome::Answered);
    const CallEntry calledBack{at(8, 20).toMSecsSinceEpoch(), "14", "", CallKind::Callback, 0, CallOutcome::Missed,
        at(8, 20).toMSecsSinceEpoch()};
    journalStore.files[today] = journal_csv::header() + journal_csv::row(yesterday) + journal_csv::row(missed)
        + "2026-12-07 08:15:00,L1,,entr\r\n" + journal_csv::row(answered) + journal_csv::row(calledBack);
    journal.restoreToday();
    missed.calledBackMs = calledBack.endedMs;
    EXPECT_EQ(journal.today().calls(), (std::deque<CallEntry>{missed, answered}));
    EXPECT_EQ(journal.today().unreadableRows(), 1);
    EXPECT_EQ(journal.buttonCaption(), "LLAMADAS");
    play({{0, {{L2, 6}}}, {1, {}}});
    EXPECT_EQ(journal.missedToday(), 1);
    EXPECT_EQ(journalStore.entries.size(), 1u);
}

const QString Full = QStringLiteral("/datos/llamadas/2026-12-07.csv: El disco está lleno.");

QString failureBox(const QString& day, const QString& error)
{
    return QStringLiteral("16 Registro de llamadas | No se pueden guardar las llamadas del %1.\r\n%2\r\n"
                          "Las llamadas que esperan se guardarán en cuanto se pueda escribir.")
        .arg(day, error);
}

TEST_F(JournalTest, CallsNotWrittenAreTriedEveryThirtySecondsUntilWrittenInOrderAndEachReasonIsToldOnce)
{
    journalStore.failWith = Full;
    messages.whileShown = [this] { // calls go on ending while the box is shown
        play({{1, {{L3, 6}}}, {1, {}}});
        journalStore.deliverFailures();
    };
    play({{0, {{L1, 6}}}, {1, {}}, {1, {{L2, 6}}}, {1, {}}});
    journalStore.deliverFailures(); // the box comes at 3 s
    messages.whileShown = nullptr;
    EXPECT_EQ(messages.log, QStringList({"beep", failureBox("07/12/2026", Full)}));
    EXPECT_EQ(journal.today().calls().size(), 3u) << "the list keeps them";

    const int tried = journalStore.retries;
    clock.advanceMs(27'999); // 33 s less a millisecond
    EXPECT_EQ(journalStore.retries, tried);
    clock.advanceMs(1);
    EXPECT_EQ(journalStore.retries, tried + 1) << "30 s after the first failure";
    journalStore.deliverFailures();
    clock.advanceMs(30'000);
    EXPECT_EQ(journalStore.retries, tried + 2);
    journalStore.deliverFailures();
    EXPECT_EQ(messages.beeps, 1) << "the same reason again";

    journalStore.failWith = QStringLiteral("/datos/llamadas/2026-12-07.csv: El disco es de solo lectura.");
    clock.advanceMs(30'000);
    journalStore.deliverFailures();
    EXPECT_EQ(messages.log.last(), failureBox("07/12/2026", *journalStore.failWith)) << "a new reason";

    journalStore.failWith.reset();
    clock.advanceMs(30'000);
    journalStore.deliverFailures();
    EXPECT_EQ(filed(), QStringList({"L1  entrante 1 perdida", "L2  entrante 1 perdida", "L3  entrante 1 perdida"}));
    const int retriesWhenWritten = journalStore.retries;
    clock.advanceMs(120'000);
    EXPECT_EQ(journalStore.retries, retriesWhenWritten) << "nothing held, nothing tried";

    journalStore.failWith = Full;
    play({{0, {{L1, 6}}}, {1, {}}});
    journalStore.deliverFailures();
    EXPECT_EQ(messages.beeps, 3) << "after writing worked, the same reason is news again";
}

TEST_F(JournalTest, TheEndTriesTheHeldCallsOnceMoreAndNamesThoseNotKept)
{
    for (const bool writable : {true, false}) {
        JournalRig t;
        t.journalStore.failWith = Full;
        t.configuration.names[0] = QStringLiteral("Caja");
        for (int i = 0; i < CallJournal::MostNamed; ++i)
            t.play({{1, {{L2, 6}}}, {2, {}}});
        t.play({{1, {{0, 4}}}, {4, {{0, 2}}}, {1, {{L1, 6}}}});
        t.journalStore.deliverFailures();
        t.messages.log.clear();
        if (writable)
            t.journalStore.failWith.reset();
        t.journal.linkClosed();
        t.journal.finish();
        t.journalStore.deliverFailures();
        if (writable) {
            EXPECT_TRUE(t.messages.log.isEmpty()) << t.messages.log.join('\n').toStdString();
            EXPECT_EQ(t.journalStore.entries.size(), std::size_t(CallJournal::MostNamed + 2));
            continue;
        }
        const QStringList lines = t.messages.log.value(1).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), CallJournal::MostNamed + 2) << t.messages.log.join('\n').toStdString();
        EXPECT_EQ(lines.first(), "16 Registro de llamadas | No se pudieron guardar estas llamadas:");
        EXPECT_EQ(lines[1], "07/12/2026 09:30:03 L2 (entrante, perdida)");
        EXPECT_EQ(lines.last(), "y 2 más.") << "the extension's call and the line left waiting";
        EXPECT_EQ(t.messages.log.first(), "beep");
        EXPECT_TRUE(t.journalStore.entries.empty());
    }
}

} // namespace
