#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

struct CallEntry;

// Where ended calls are kept: one file a day. Appending never blocks the
// caller; a failure is reported later, from the event loop and never from
// inside append, with the day of the file and the system's description.
class JournalStore
{
public:
    using FailureHandler = std::function<void(const QDate& day, const QString& error)>;

    virtual ~JournalStore() = default;
    virtual void append(const CallEntry& entry) = 0;
    // The day's file as it is, or nothing when there is none or it cannot be read.
    virtual std::optional<QByteArray> readDay(const QDate& day) = 0;
    // The days that have a file, the earliest first.
    virtual std::vector<QDate> days() = 0;

    void onFailure(FailureHandler handler) { failure_ = std::move(handler); }

protected:
    void fail(const QDate& day, const QString& error)
    {
        if (failure_)
            failure_(day, error);
    }

private:
    FailureHandler failure_;
};
