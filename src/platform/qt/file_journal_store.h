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
// together, at most one write and sync per BatchRest. A write that fails takes back
// whatever it had added, so the lines already in the file stay as they were,
// and is reported from the event loop. Files of days more than KeptDays
// before today are removed when the store is made.
class FileJournalStore final : public JournalStore
{
public:
    static constexpr int KeptDays = 90;
    // After each write the writer gathers what comes for this long.
    static constexpr std::chrono::milliseconds BatchRest{100};

    FileJournalStore(const QString& folder, const QDate& today);
    // Writes what is still queued, then stops the writer.
    ~FileJournalStore() override;
    FileJournalStore(const FileJournalStore&) = delete;
    FileJournalStore& operator=(const FileJournalStore&) = delete;

    void append(const CallEntry& entry) override;
    // Larger files are not the journal's: they read as unreadable.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    std::optional<QByteArray> readDay(const QDate& day) override;
    std::vector<QDate> days() override;
    // Returns once everything appended so far has been written or has failed.
    void waitUntilWritten();

    QString fileFor(const QDate& day) const;

private:
    void removeOldFiles(const QDate& today);
    void run();
    void writeBatch(const std::deque<CallEntry>& batch);
    void writeDay(const QDate& day, const QByteArray& rows);
    std::optional<QString> appendToFile(const QString& path, const QByteArray& rows) const;

    QString folder_;
    QObject context_; // failures are delivered in its thread, the event loop's
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<CallEntry> queue_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread writer_;
};
