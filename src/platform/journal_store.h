#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

struct CallEntry;

// Where ended calls are kept: one file a day. Appending never blocks the
// caller. Calls whose rows could not be written are held, in the order they
// ended, and written before any later call as soon as writing works again:
// tried with the next call appended and at each retry. A failure is reported
// later, from the event loop and never from inside append, with the day of
// the file and the description in Spanish; so is the moment when the held
// calls have all been written.
class JournalStore
{
public:
    using FailureHandler = std::function<void(const QDate& day, const QString& error)>;
    virtual ~JournalStore() = default;
    virtual void append(const CallEntry& entry) = 0;
    // Tries again to write the calls held by a failure (nothing when none is).
    virtual void retry() = 0;
    // The orderly end: writes what waits, the held calls once more, and
    // returns the calls it still could not write.
    virtual std::vector<CallEntry> finish() = 0;
    // How many calls were not even held, ended while the store held as many as it may.
    virtual int dropped() const = 0;
    // The day's file as it is, or nothing when there is none or it cannot be read.
    virtual std::optional<QByteArray> readDay(const QDate& day) = 0;
    // The days that have a file, the earliest first.
    virtual std::vector<QDate> days() = 0;

    void onFailure(FailureHandler handler) { failure_ = std::move(handler); }
    void onHeldWritten(std::function<void()> handler) { heldWritten_ = std::move(handler); }

protected:
    void fail(const QDate& day, const QString& error)
    {
        if (failure_)
            failure_(day, error);
    }
    void heldWritten()
    {
        if (heldWritten_)
            heldWritten_();
    }

private:
    FailureHandler failure_;
    std::function<void()> heldWritten_;
};
