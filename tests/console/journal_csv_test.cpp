#include "console/journal_csv.h"

#include "console/call_entry.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

TEST(JournalCsv, OneHeaderAndOneCrlfRowPerCallQuotingOnlyWhereNeeded)
{
    EXPECT_EQ(journal_csv::header(), "inicio,origen,nombre,tipo,espera_s,resultado,fin\r\n");
    const QDateTime start(QDate(2026, 12, 7), QTime(9, 5, 7));
    const struct {
        QString origin;
        QString name;
        CallOutcome outcome;
        QByteArray expected;
    } cases[] = {
        {"L3", "", CallOutcome::SinFinal, "2026-12-07 09:05:07,L3,,devuelta,75,sin final,2026-12-07 09:06:22\r\n"},
        {"14", "Caja, 2º", CallOutcome::Perdida,
            "2026-12-07 09:05:07,14,\"Caja, 2º\",devuelta,75,perdida,2026-12-07 09:06:22\r\n"},
        {"1\"4", "a\r\nb", CallOutcome::Atendida,
            "2026-12-07 09:05:07,\"1\"\"4\",\"a\r\nb\",devuelta,75,atendida,2026-12-07 09:06:22\r\n"},
    };
    for (const auto& c : cases) {
        const CallEntry entry{start.toMSecsSinceEpoch(), c.origin, c.name, CallKind::Devuelta, 75, c.outcome,
            start.addSecs(75).toMSecsSinceEpoch()};
        EXPECT_EQ(journal_csv::row(entry), c.expected);
    }
}

TEST(JournalCsv, ADayFileReadsBackAsTheCallsWrittenPassingOverAnythingElse)
{
    const QDateTime start(QDate(2026, 12, 7), QTime(9, 5, 7));
    const auto call = [&](const QString& origin, const QString& name, CallOutcome outcome) {
        return CallEntry{start.toMSecsSinceEpoch(), origin, name, CallKind::Interno, 12, outcome,
            start.addSecs(12).toMSecsSinceEpoch()};
    };
    const std::vector<CallEntry> calls{call("14", "Caja, 2º", CallOutcome::Perdida),
        call("L2", "", CallOutcome::SinFinal), call("1\"4", "a\r\nb", CallOutcome::Atendida)};
    QByteArray file = journal_csv::header() + journal_csv::row(calls[0]);
    for (const char* other : {"\r\n", "2026-12-07 09:00:00,L1,,entrante,x,perdida,2026-12-07 09:00:10\r\n",
             "2026-12-07 09:00:00,L1,,saliente,3,perdida,2026-12-07 09:00:10\r\n",
             "2026-12-07 09:00:00,L1,,entrante,3,perdida\r\n", "ayer,L1,,entrante,3,perdida,2026-12-07 09:00:10\r\n"})
        file += other;
    file += journal_csv::row(calls[1]) + journal_csv::row(calls[2]);
    EXPECT_EQ(journal_csv::read(file), calls);
    EXPECT_EQ(journal_csv::read(file + journal_csv::row(calls[0]).chopped(1)), calls) << "an unfinished last line";
}

} // namespace
