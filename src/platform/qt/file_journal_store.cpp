#include "platform/qt/file_journal_store.h"

#include "console/journal_csv.h"
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
    }
    wake_.notify_all();
    writer_.join();
}

void FileJournalStore::append(const CallEntry& entry)
{
    bool wasEmpty = false;
    {
        const std::lock_guard lock(mutex_);
        wasEmpty = queue_.empty();
        queue_.push_back(entry);
    }
    // A queue that was not empty has woken the writer already, which takes all.
    if (wasEmpty)
        wake_.notify_one();
}

void FileJournalStore::waitUntilWritten()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !writing_; });
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
// sync per rest rather than one per call.
void FileJournalStore::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;
        const std::deque<CallEntry> batch = std::exchange(queue_, {});
        writing_ = true;
        lock.unlock();
        writeBatch(batch);
        lock.lock();
        writing_ = false;
        idle_.notify_all();
        wake_.wait_for(lock, BatchRest, [this] { return stopping_; });
    }
}

void FileJournalStore::writeBatch(const std::deque<CallEntry>& batch)
{
    for (std::size_t i = 0; i < batch.size();) {
        const QDate day = localTime(batch[i].endedMs).date();
        QByteArray rows;
        for (; i < batch.size() && localTime(batch[i].endedMs).date() == day; ++i)
            rows += journal_csv::row(batch[i]);
        writeDay(day, rows);
    }
}

void FileJournalStore::writeDay(const QDate& day, const QByteArray& rows)
{
    const QString path = fileFor(day);
    const std::optional<QString> error = appendToFile(path, rows);
    if (!error)
        return;
    QMetaObject::invokeMethod(
        &context_, [this, day, text = path + QStringLiteral(": ") + *error] { fail(day, text); }, Qt::QueuedConnection);
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
