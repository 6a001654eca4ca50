#include "busy_days.h"

#include "console/call_entry.h"
#include "console/journal_csv.h"

#include <QDir>
#include <QFile>

namespace
{

const QString Format = QStringLiteral("yyyy-MM-dd");

// One day's file; the other days take its text with their own date.
QByteArray busyDay(const QDate& day, int calls)
{
    const QDateTime eight(day, QTime(8, 0));
    QByteArray file = journal_csv::header();
    for (int call = 0; call < calls; ++call) {
        const std::int64_t ended = eight.toMSecsSinceEpoch() + std::int64_t(call) * 12 * 3600 * 1000 / calls;
        const bool line = call % 3 != 0;
        const QString origin = line ? QStringLiteral("L%1").arg(call % 6 + 1) : QString::number(10 + call % 18);
        const CallOutcome outcome = call % 97 == 0 ? CallOutcome::Unfinished
            : call % 5 == 0                        ? CallOutcome::Missed
                                                   : CallOutcome::Answered;
        const std::int64_t waited = call % 40;
        file += journal_csv::row(
            {ended - waited * 1000, origin, line ? QString() : QStringLiteral("Oficina %1").arg(call % 18),
                line ? CallKind::Incoming : CallKind::Extension, waited, outcome, ended});
        if (!line && outcome == CallOutcome::Missed)
            file += journal_csv::row({ended + 60'000, origin, {}, CallKind::Callback, 0, {}, ended + 60'000});
    }
    return file;
}

} // namespace

void writeBusyDays(const QString& folder, const QDate& today, int days, int calls)
{
    QDir().mkpath(folder);
    const QByteArray model = busyDay(today, calls);
    const QByteArray date = today.toString(Format).toLatin1();
    for (int back = 0; back < days; ++back) {
        const QDate day = today.addDays(-back);
        QFile file(QDir(folder).filePath(day.toString(Format) + QStringLiteral(".csv")));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(model).replace(date, day.toString(Format).toLatin1()));
    }
}
