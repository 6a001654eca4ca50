#include "platform/qt/file_journal_store.h"

#include "console/journal_csv.h"
#include "platform/qt/file_error_text.h"
#include "platform/qt/whole_file.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace
{

const QString DayFormat = QStringLiteral("yyyy-MM-dd");
const QString Suffix = QStringLiteral(".csv");

// The day a file of the journal is for; invalid for any other file.
QDate dayOfFile(const QString& name)
{
    if (!name.endsWith(Suffix))
        return {};
    const QDate day = QDate::fromString(name.chopped(Suffix.size()), DayFormat);
    return day.isValid() && day.toString(DayFormat) + Suffix == name ? day : QDate();
}

// What goes before new rows: the header in a new file, a line end after a
// last line that a power cut left unfinished.
QByteArray lead(QFile& file, qint64 size)
{
    if (size == 0)
        return journal_csv::header();
    char last = 0;
    if (file.seek(size - 1) && file.getChar(&last) && last == '\n')
        return {};
    return QByteArrayLiteral("\r\n");
}

// A write that stops short is carried on, so that the system names the reason.
std::optional<QString> writeAll(QFile& file, const QByteArray& bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return file.errorString();
        done += written;
    }
    return std::nullopt;
}

// Puts the written bytes on the disk itself, so that a power cut keeps them.
std::optional<QString> syncToDisk(QFile& file)
{
#ifdef Q_OS_UNIX
    if (::fdatasync(file.handle()) != 0)
        return qt_error_string(errno);
#else
    if (!file.flush())
        return file.errorString();
#endif
    return std::nullopt;
}

} // namespace

FileJournalStore::FileJournalStore(const QString& folder, const QDate& today)
    : folder_(folder)
{
    removeOldFiles(today);
    writer_ = std::thread([this] { run(); });
}

FileJournalStore::~FileJournalStore()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        blocked_ = false; // the held calls are tried once more
    }
    wake_.notify_all();
    writer_.join();
}

void FileJournalStore::append(const CallEntry& entry)
{
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        // A queue that was not empty nor blocked has woken the writer already, which takes all.
        wake = queue_.empty() || blocked_;
        blocked_ = false;
        asked_ = true;
        if (queue_.size() + inFlight_ < MostWaiting)
            queue_.push_back(entry);
        else
            drop(entry);
    }
    if (wake)
        wake_.notify_one();
}

// A call past the bound is counted; the first of a run of them is reported.
void FileJournalStore::drop(const CallEntry& entry)
{
    ++dropped_;
    if (!std::exchange(toldDropping_, true))
        report(localTime(entry.endedMs).date(),
            QStringLiteral("Ya esperan demasiadas llamadas: las que terminen desde ahora no se conservarán."));
}

void FileJournalStore::retry()
{
    {
        const std::lock_guard lock(mutex_);
        if (!blocked_)
            return;
        blocked_ = false;
        asked_ = true;
    }
    wake_.notify_one();
}

std::vector<CallEntry> FileJournalStore::finish()
{
    retry();
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return idle(); });
    return {queue_.begin(), queue_.end()};
}

int FileJournalStore::dropped() const
{
    const std::lock_guard lock(mutex_);
    return dropped_;
}

void FileJournalStore::waitUntilWritten()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return idle(); });
}

std::optional<QByteArray> FileJournalStore::readDay(const QDate& day)
{
    waitUntilWritten();
    return readWholeFile(fileFor(day), MaxFileSize);
}

std::vector<QDate> FileJournalStore::days()
{
    std::vector<QDate> days;
    for (const QString& name : QDir(folder_).entryList({QStringLiteral("*") + Suffix}, QDir::Files)) {
        if (const QDate day = dayOfFile(name); day.isValid())
            days.push_back(day);
    }
    std::sort(days.begin(), days.end());
    return days;
}

QString FileJournalStore::fileFor(const QDate& day) const
{
    return QDir(folder_).filePath(day.toString(DayFormat) + Suffix);
}

void FileJournalStore::removeOldFiles(const QDate& today)
{
    for (const QDate& day : days()) {
        if (day < today.addDays(-KeptDays))
            QFile::remove(fileFor(day));
    }
}

// The writer thread: takes all that is queued and writes each day's rows at
// once; then it rests a moment, so that a burst of calls costs the disk one
// sync per rest rather than one per call. After a failure it waits to be asked again.
void FileJournalStore::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || (!queue_.empty() && !blocked_); });
        if (queue_.empty() || blocked_)
            return;
        std::deque<CallEntry> batch = std::exchange(queue_, {});
        writing_ = true;
        asked_ = false;
        inFlight_ = batch.size();
        lock.unlock();
        const std::optional<Stop> stop = writeBatch(batch);
        lock.lock();
        settle(batch, stop);
        idle_.notify_all();
        wake_.wait_for(lock, BatchRest, [this] { return stopping_; });
    }
}

// After a batch: the calls not written go back to the head of the queue, to
// wait for the next call or retry unless one came meanwhile.
void FileJournalStore::settle(std::deque<CallEntry>& batch, const std::optional<Stop>& stop)
{
    writing_ = false;
    inFlight_ = 0;
    if (!stop) {
        if (std::exchange(holding_, false)) {
            toldDropping_ = false;
            QMetaObject::invokeMethod(
                &context_, [this] { heldWritten(); }, Qt::QueuedConnection);
        }
        return;
    }
    queue_.insert(queue_.begin(), std::make_move_iterator(batch.begin() + std::ptrdiff_t(stop->at)),
        std::make_move_iterator(batch.end()));
    blocked_ = !asked_;
    holding_ = true;
    report(stop->day, stop->error);
}

std::optional<FileJournalStore::Stop> FileJournalStore::writeBatch(const std::deque<CallEntry>& batch)
{
    for (std::size_t i = 0; i < batch.size();) {
        const std::size_t first = i;
        const QDate day = localTime(batch[i].endedMs).date();
        QByteArray rows;
        for (; i < batch.size() && localTime(batch[i].endedMs).date() == day; ++i)
            rows += journal_csv::row(batch[i]);
        const QString path = fileFor(day);
        if (const std::optional<QString> error = appendToFile(path, rows))
            return Stop{first, day, path + QStringLiteral(": ") + fileErrorText(*error)};
    }
    return std::nullopt;
}

void FileJournalStore::report(const QDate& day, const QString& error)
{
    QMetaObject::invokeMethod(
        &context_, [this, day, error] { fail(day, error); }, Qt::QueuedConnection);
}

std::optional<QString> FileJournalStore::appendToFile(const QString& path, const QByteArray& rows) const
{
    QDir().mkpath(folder_); // if it cannot be made, opening the file says why
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 before = file.size();
    const QByteArray bytes = lead(file, before) + rows;
    std::optional<QString> error = writeAll(file, bytes);
    if (!error)
        error = syncToDisk(file);
    if (error)
        file.resize(before);
    return error;
}
