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

} // namespace
