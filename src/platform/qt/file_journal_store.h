#pragma once

#include "console/call_entry.h"
#include "platform/journal_store.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// The call journal's day files in a folder: "AAAA-MM-DD.csv", named for the
// (local) day the calls ended, each begun with the header row. A call is only
// queued here; a writer thread turns it into its row, appends it and syncs it
// to the disk, so that no poll waits for the disk or the formatting. A call
// that ends alone is written at once; calls that end in a burst are written
// together, at most one write and sync per BatchRest. A write that fails takes
// back whatever it had added, so the file holds whole rows only, and the
// calls it could not write wait at the head of the queue until the next
// append or retry: the writer never spins on a failing disk. Failures are
// reported from the event loop, described in Spanish. Files of days more than
// KeptDays before today are removed when the store is made.
class FileJournalStore final : public JournalStore
{
public:
    static constexpr int KeptDays = 90;
    // After each write the writer gathers what comes for this long.
    static constexpr std::chrono::milliseconds BatchRest{100};
    // At most this many calls wait to be written (some weeks of a busy
    // console, under a megabyte); a call that ends while as many wait is
    // counted and not kept.
    static constexpr std::size_t MostWaiting = 5000;

    FileJournalStore(const QString& folder, const QDate& today);
    // Writes what is still queued, then stops the writer.
    ~FileJournalStore() override;
    FileJournalStore(const FileJournalStore&) = delete;
    FileJournalStore& operator=(const FileJournalStore&) = delete;

    void append(const CallEntry& entry) override;
    void retry() override;
    std::vector<CallEntry> finish() override;
    int dropped() const override;
    // Larger files are not the journal's: they read as unreadable.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    std::optional<QByteArray> readDay(const QDate& day) override;
    std::vector<QDate> days() override;
    // Returns once everything appended so far has been written or is held after a failure.
    void waitUntilWritten();

    QString fileFor(const QDate& day) const;

private:
    // Where a batch stopped: the first call not written, its day and why.
    struct Stop {
        std::size_t at;
        QDate day;
        QString error;
    };

    void removeOldFiles(const QDate& today);
    void drop(const CallEntry& entry);
    void run();
    void settle(std::deque<CallEntry>& batch, const std::optional<Stop>& stop);
    std::optional<Stop> writeBatch(const std::deque<CallEntry>& batch);
    std::optional<QString> appendToFile(const QString& path, const QByteArray& rows) const;
    bool idle() const { return !writing_ && (queue_.empty() || blocked_); }
    void report(const QDate& day, const QString& error);

    QString folder_;
    QObject context_; // failures are delivered in its thread, the event loop's
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<CallEntry> queue_; // the calls held by a failure first, then the calls appended since
    std::size_t inFlight_ = 0; // calls being written
    bool writing_ = false;
    bool blocked_ = false; // the last write failed and nothing has asked to try again since
    bool asked_ = false; // a call or a retry came while writing
    bool holding_ = false; // calls have been held since a failure
    bool toldDropping_ = false;
    int dropped_ = 0;
    bool stopping_ = false;
    std::thread writer_;
};
