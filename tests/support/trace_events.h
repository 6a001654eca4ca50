#pragma once

#include <QFile>
#include <QStringList>

// The events of a --trace file, without their times.
inline QStringList traceEvents(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QStringList events;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (const int space = line.indexOf(' '); space > 0)
            events << QString::fromUtf8(line.mid(space + 1));
    return events;
}
