#include "process_sample.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <unistd.h>

namespace
{

QByteArray readProc(qint64 pid, const char* file)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// utime and stime are fields 14 and 15; the command name before them may hold spaces.
double cpuSeconds(const QByteArray& stat)
{
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    constexpr int UtimeAfterName = 11; // field 14 counted from field 3
    if (fields.size() <= UtimeAfterName + 1)
        return 0;
    const double ticks = fields[UtimeAfterName].toDouble() + fields[UtimeAfterName + 1].toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

qint64 statusKb(const QByteArray& status, const QByteArray& key)
{
    for (const QByteArray& line : status.split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLongLong();
    return 0;
}

} // namespace

ProcessSample sampleProcess(qint64 pid)
{
    const QByteArray status = readProc(pid, "status");
    return {cpuSeconds(readProc(pid, "stat")), statusKb(status, "VmRSS:"), statusKb(status, "VmHWM:")};
}
