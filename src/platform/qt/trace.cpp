#include "platform/qt/trace.h"

#include <cstdio>

std::unique_ptr<Trace> Trace::open(const QString& target, QString* error)
{
    std::unique_ptr<Trace> trace(new Trace);
    const bool opened = target == QLatin1String("-")
        ? trace->file_.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered)
        : (trace->file_.setFileName(target), trace->file_.open(QIODevice::WriteOnly | QIODevice::Append));
    if (!opened) {
        if (error)
            *error = trace->file_.errorString();
        return nullptr;
    }
    trace->sinceStart_.start();
    return trace;
}

void Trace::line(const QString& event)
{
    file_.write(QByteArray::number(sinceStart_.elapsed()) + ' ' + event.toUtf8() + '\n');
    file_.flush();
}
