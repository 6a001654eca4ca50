#include "configuration/configuration.h"
#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/journal_csv.h"
#include "fake_clock.h"
#include "fake_journal_store.h"
#include "fake_messages.h"
#include "qt_printers.h"
#include "virtual_clock.h"

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
    CallJournal journal{{journalStore, journalClock, messages, state, configuration}};
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

TEST_F(JournalTest, TodaysListKeepsTheLatestCallsAndCountsEveryMissedOne)
{
    for (std::size_t call = 0; call <= CallJournal::KeptEntries; ++call)
        play({{1, {{L1, 6}}}, {1, {}}});
    EXPECT_EQ(journal.missedToday(), int(CallJournal::KeptEntries) + 1);
    EXPECT_EQ(journal.today().size(), CallJournal::KeptEntries);
    EXPECT_EQ(journal.today().back(), journalStore.entries.back());
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
    EXPECT_EQ(journal.today().size(), 1u) << "yesterday's list holds only its own call";
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
    EXPECT_TRUE(journal.today().empty());
    EXPECT_EQ(changes, before + 1);
}

TEST_F(JournalTest, ACallEndingAtMidnightIsTheNewDaysFirst)
{
    journalClock.morningMs = QDateTime(QDate(2026, 12, 7), QTime(23, 59, 55)).toMSecsSinceEpoch();
    play({{0, {{L1, 6}}}, {1, {{L2, 6}}}, {4, {}}});
    EXPECT_EQ(filed(), QStringList({"L1  entrante 1 perdida", "L2  entrante 4 perdida"}));
    EXPECT_EQ(journal.today().size(), 1u);
}

TEST_F(JournalTest, TodaysCallsFiledByAnEarlierRunComeBackAndAreNotFiledAgain)
{
    const auto call = [](QDateTime ended, CallOutcome outcome) {
        return CallEntry{
            ended.addSecs(-5).toMSecsSinceEpoch(), "L1", "", CallKind::Incoming, 5, outcome, ended.toMSecsSinceEpoch()};
    };
    const QDate today(2026, 12, 7);
    const CallEntry yesterday = call({today.addDays(-1), QTime(23, 0)}, CallOutcome::Missed); // clock set back
    const CallEntry missed = call({today, QTime(8, 0)}, CallOutcome::Missed);
    const CallEntry answered = call({today, QTime(8, 10)}, CallOutcome::Answered);
    journalStore.files[today]
        = journal_csv::header() + journal_csv::row(yesterday) + journal_csv::row(missed) + journal_csv::row(answered);
    journal.restoreToday();
    EXPECT_EQ(journal.today(), (std::deque<CallEntry>{missed, answered}));
    play({{0, {{L2, 6}}}, {1, {}}});
    EXPECT_EQ(journal.missedToday(), 2);
    EXPECT_EQ(journalStore.entries.size(), 1u);
}

TEST_F(JournalTest, AFileThatCannotBeWrittenIsReportedOnceADay)
{
    journalStore.failWith = QStringLiteral("/datos/llamadas/2026-12-07.csv: No space left on device");
    messages.whileShown = [this] { // calls go on ending while the box is shown
        play({{1, {{L3, 6}}}, {1, {}}});
        journalStore.deliverFailures();
    };
    play({{0, {{L1, 6}}}, {1, {}}, {1, {{L2, 6}}}, {1, {}}});
    journalStore.deliverFailures();
    EXPECT_EQ(messages.log,
        QStringList({"beep",
            "16 Registro de llamadas | No se pueden guardar las llamadas del 07/12/2026.\r\n"
            "/datos/llamadas/2026-12-07.csv: No space left on device"}));
    EXPECT_EQ(journal.today().size(), 3u) << "the list keeps them";

    journalClock.wallShiftMs = 15 * 3600 * 1000;
    play({{60, {{L1, 6}}}, {1, {}}});
    journalStore.deliverFailures();
    EXPECT_EQ(messages.beeps, 2) << "a new day, a new report";
}

} // namespace
