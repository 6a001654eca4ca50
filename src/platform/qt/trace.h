#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <memory>

// The --trace log: one line per event, "<ms since start> <event>".
class Trace
{
public:
    // "-" is standard error; any other target is a file appended to. Nothing
    // when the file cannot be opened (the reason goes to `error`).
    static std::unique_ptr<Trace> open(const QString& target, QString* error = nullptr);

    void line(const QString& event);

private:
    Trace() = default;

    QFile file_;
    QElapsedTimer sinceStart_;
};
