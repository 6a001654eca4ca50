#include "console/journal_csv.h"

#include "console/call_entry.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

TEST(JournalCsv, RowsAreCrlfQuotedOnlyWhereNeededAndReadBackCountingTheDamagedOnes)
{
    EXPECT_EQ(journal_csv::header(), "inicio,origen,nombre,tipo,espera_s,resultado,fin\r\n");
    const QDateTime start(QDate(2026, 12, 7), QTime(9, 5, 7));
    const struct {
        QString origin;
        QString name;
        CallKind kind;
        CallOutcome outcome;
        QByteArray expected;
    } cases[] = {
        {"L3", "", CallKind::Returned, CallOutcome::Unfinished,
            "2026-12-07 09:05:07,L3,,devuelta,75,sin final,2026-12-07 09:06:22\r\n"},
        {"14", "Caja, 2º", CallKind::Extension, CallOutcome::Missed,
            "2026-12-07 09:05:07,14,\"Caja, 2º\",interno,75,perdida,2026-12-07 09:06:22\r\n"},
        {"1\"4", "a\r\nb", CallKind::Incoming, CallOutcome::Answered,
            "2026-12-07 09:05:07,\"1\"\"4\",\"a\r\nb\",entrante,75,atendida,2026-12-07 09:06:22\r\n"},
        {"14", "Caja", CallKind::Callback, CallOutcome::Missed,
            "2026-12-07 09:05:07,14,Caja,rellamada,,,2026-12-07 09:06:22\r\n"},
    };
    std::vector<CallEntry> calls;
    QByteArray file = journal_csv::header();
    for (const auto& c : cases) {
        const bool callback = c.kind == CallKind::Callback;
        calls.push_back({start.toMSecsSinceEpoch(), c.origin, c.name, c.kind, callback ? 0 : 75, c.outcome,
            start.addSecs(75).toMSecsSinceEpoch()});
        EXPECT_EQ(journal_csv::row(calls.back()), c.expected);
        file += c.expected;
    }
    const char* damaged[] = {"2026-12-07 09:00:00,L1,,entrante,x,perdida,2026-12-07 09:00:10\r\n",
        "2026-12-07 09:00:00,L1,,saliente,3,perdida,2026-12-07 09:00:10\r\n",
        "2026-12-07 09:00:00,L1,,entrante,3,perdida\r\n", "ayer,L1,,entrante,3,perdida,2026-12-07 09:00:10\r\n",
        "2026-12-07 24:00:00,L1,,entrante,3,perdida,2026-12-07 09:00:10\r\n",
        "2026-12-07 09:00:00,L1,,entrante,-3,perdida,2026-12-07 09:00:10\r\n"};
    for (const char* row : damaged)
        file.insert(journal_csv::header().size(), row);
    file.insert(journal_csv::header().size(), "\r\n");
    const auto read = [](const QByteArray& bytes) {
        std::vector<CallEntry> entries;
        const int unreadable = journal_csv::read(bytes, [&](CallEntry&& entry) { entries.push_back(entry); });
        return std::pair(entries, unreadable);
    };
    EXPECT_EQ(read(file), std::pair(calls, int(std::size(damaged)))) << "a blank line is not a damaged row";
    EXPECT_EQ(read(file + cases[0].expected.chopped(1)), std::pair(calls, int(std::size(damaged)) + 1))
        << "an unfinished last line";
}

} // namespace
