#include "process_sample.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>

namespace
{

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The time on a CPU of every thread, from the scheduler's nanosecond count
// (the first field of each task's schedstat), finer than the clock ticks of stat.
double cpuSeconds(qint64 pid)
{
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    qint64 ns = 0;
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        ns += readFile(tasks + QLatin1Char('/') + task + QStringLiteral("/schedstat")).split(' ').first().toLongLong();
    return double(ns) / 1e9;
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
    const QByteArray status = readFile(QStringLiteral("/proc/%1/status").arg(pid));
    return {cpuSeconds(pid), statusKb(status, "VmRSS:"), statusKb(status, "VmHWM:")};
}
