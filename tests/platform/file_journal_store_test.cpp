#include "platform/qt/file_journal_store.h"

#include "console/call_entry.h"
#include "console/journal_csv.h"
#include "files_on_disk.h"
#include "ordinary_user.h"
#include "qt_printers.h"
#include "small_disk.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace
{

const QDate Today(2026, 12, 7);

CallEntry callEnding(const QDateTime& ended, const QString& name = QString())
{
    return {ended.addSecs(-20).toMSecsSinceEpoch(), QStringLiteral("14"), name, CallKind::Extension, 20,
        CallOutcome::Missed, ended.toMSecsSinceEpoch()};
}

const CallEntry Morning = callEnding({Today, QTime(9, 0)});
const CallEntry Noon = callEnding({Today, QTime(12, 0)});
const CallEntry PastMidnight = callEnding({Today.addDays(1), QTime(0, 0, 5)});

// A store and the failures it reports through the event loop.
struct Journal {
    explicit Journal(const QString& folder)
        : store(folder, Today)
    {
        store.onFailure([this](const QDate&, const QString& error) { failures << error; });
        store.onHeldWritten([this] { ++heldWritten; });
    }
    void append(std::initializer_list<CallEntry> entries)
    {
        for (const CallEntry& e : entries)
            store.append(e);
        store.waitUntilWritten();
        QCoreApplication::processEvents();
    }

    // Waits for the writer, then lets the event loop deliver what it reported.
    void settle()
    {
        store.waitUntilWritten();
        QCoreApplication::processEvents();
    }

    FileJournalStore store;
    QStringList failures;
    int heldWritten = 0;
};

const QString NoPermission = QStringLiteral(": No hay permiso para escribir en la carpeta o en el archivo.");

struct FileJournalStoreTest : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        setMode(folder.path(), 0777);
    }
    QString day(const char* name) const { return folder.filePath(QStringLiteral("llamadas/%1.csv").arg(name)); }

    QTemporaryDir folder;
    QString journalFolder = folder.filePath(QStringLiteral("llamadas"));
};

TEST_F(FileJournalStoreTest, EachCallGoesToTheFileOfTheDayItEndedWhichStartsWithTheHeader)
{
    {
        Journal journal(journalFolder);
        journal.append({Morning, PastMidnight});
        journal.store.append(Noon); // still queued when the console closes
    }
    Journal again(journalFolder);
    again.append({Noon});
    using namespace journal_csv;
    EXPECT_EQ(contentsOf(day("2026-12-07")), header() + row(Morning) + row(Noon) + row(Noon));
    EXPECT_EQ(contentsOf(day("2026-12-08")), header() + row(PastMidnight));
    EXPECT_TRUE(again.failures.isEmpty());
    EXPECT_EQ(again.store.readDay(Today), contentsOf(day("2026-12-07")));
    EXPECT_EQ(again.store.readDay(Today.addDays(-1)), std::nullopt);
}

TEST_F(FileJournalStoreTest, ALastLineLeftUnfinishedKeepsItsBytesAndTheNextCallStartsALine)
{
    ASSERT_TRUE(QDir().mkpath(journalFolder));
    const QByteArray torn = journal_csv::header() + "2026-12-07 08:59:40,L1,,entr";
    putFile(day("2026-12-07"), torn);
    Journal journal(journalFolder);
    journal.append({Morning});
    EXPECT_EQ(contentsOf(day("2026-12-07")), torn + "\r\n" + journal_csv::row(Morning));
}

TEST_F(FileJournalStoreTest, FilesOfMoreThanNinetyDaysAgoAreRemovedAtStartAndTheOthersListedByDay)
{
    ASSERT_TRUE(QDir().mkpath(journalFolder));
    const QStringList kept{"2026-09-08.csv", "2026-12-07.csv", "2020-01-01.txt", "notas.csv", "2020-1-1.csv"};
    for (const QString& name : kept + QStringList{"2026-09-07.csv", "2025-12-31.csv"})
        putFile(QDir(journalFolder).filePath(name), "x");
    Journal journal(journalFolder);
    QStringList left = QDir(journalFolder).entryList(QDir::Files);
    QStringList expected = kept;
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
    EXPECT_EQ(journal.store.days(), (std::vector<QDate>{QDate(2026, 9, 8), Today})) << "the days that have a file";
}

// Each failed write is told once, the file keeps whole rows only, and the
// calls wait in order for the next call or retry that finds writing working.
TEST_F(FileJournalStoreTest, CallsThatCannotBeWrittenWaitInOrderForTheNextCallOrRetryThatCanWriteThem)
{
    using journal_csv::row;
    Journal journal(journalFolder);
    journal.append({Morning});
    setMode(day("2026-12-07"), 0444);
    setMode(journalFolder, 0555);
    {
        OrdinaryUser user;
        journal.append({Noon, PastMidnight});
        journal.store.retry();
        journal.settle();
    }
    EXPECT_EQ(journal.failures, QStringList({day("2026-12-07") + NoPermission, day("2026-12-07") + NoPermission}));
    EXPECT_EQ(contentsOf(day("2026-12-07")), journal_csv::header() + row(Morning));
    EXPECT_FALSE(QFile::exists(day("2026-12-08"))) << "the next day waits behind the day before";
    EXPECT_EQ(journal.heldWritten, 0);

    setMode(journalFolder, 0777);
    setMode(day("2026-12-07"), 0666);
    const CallEntry later = callEnding({Today.addDays(1), QTime(8, 0)});
    journal.append({later});
    EXPECT_EQ(contentsOf(day("2026-12-07")), journal_csv::header() + row(Morning) + row(Noon));
    EXPECT_EQ(contentsOf(day("2026-12-08")), journal_csv::header() + row(PastMidnight) + row(later));
    EXPECT_EQ(journal.heldWritten, 1);
    EXPECT_EQ(journal.failures.size(), 2);
}

TEST_F(FileJournalStoreTest, AFolderRemovedIsMadeAgainAndAFileInItsPlaceHoldsTheCallsUntilTheEnd)
{
    Journal journal(journalFolder);
    journal.append({Morning});
    ASSERT_TRUE(QDir(journalFolder).removeRecursively());
    journal.append({Noon});
    EXPECT_EQ(contentsOf(day("2026-12-07")), journal_csv::header() + journal_csv::row(Noon));

    ASSERT_TRUE(QDir(journalFolder).removeRecursively());
    putFile(journalFolder, "not a folder");
    journal.append({PastMidnight});
    EXPECT_EQ(journal.failures, QStringList{day("2026-12-08") + ": Una parte de la ruta no es una carpeta."});
    EXPECT_EQ(journal.store.finish(), std::vector<CallEntry>{PastMidnight}) << "tried once more, in vain";
    EXPECT_EQ(journal.store.dropped(), 0);

    ASSERT_TRUE(QFile::remove(journalFolder));
    EXPECT_EQ(journal.store.finish(), std::vector<CallEntry>{});
    EXPECT_EQ(contentsOf(day("2026-12-08")), journal_csv::header() + journal_csv::row(PastMidnight));
}

TEST_F(FileJournalStoreTest, PastTheBoundCallsAreCountedNotKeptAndTheFirstIsTold)
{
    putFile(journalFolder, "not a folder");
    Journal journal(journalFolder);
    for (std::size_t i = 0; i < FileJournalStore::MostWaiting + 3; ++i)
        journal.store.append(Noon);
    journal.settle();
    EXPECT_EQ(journal.store.dropped(), 3);
    EXPECT_EQ(journal.failures.filter(QStringLiteral("desde ahora no se conservarán")).size(), 1)
        << journal.failures.join('\n').toStdString();
    ASSERT_TRUE(QFile::remove(journalFolder));
    EXPECT_EQ(journal.store.finish().size(), 0u);
    EXPECT_EQ(QFile(day("2026-12-07")).size(),
        journal_csv::header().size() + qint64(FileJournalStore::MostWaiting) * journal_csv::row(Noon).size());
}

// A file system of its own, filled and freed, made read-only and writable again.
TEST(FileJournalStoreOnASmallDisk, AFullOrReadOnlyDiskTakesBackWhatItWroteAndTheHeldCallsFollowWhenItCanWrite)
{
    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << disk.why();
    using journal_csv::row;
    Journal journal(disk.path());
    const QString file = journal.store.fileFor(Today);
    journal.append({Morning});
    disk.fill();
    const CallEntry large = callEnding(localTime(Noon.endedMs), QString(6000, QLatin1Char('n'))); // more than a page
    journal.append({large});
    ASSERT_EQ(journal.failures, QStringList{file + ": El disco está lleno."});
    EXPECT_EQ(contentsOf(file), journal_csv::header() + row(Morning));

    ASSERT_TRUE(QFile::remove(QDir(disk.path()).filePath(QStringLiteral("filler"))));
    ASSERT_TRUE(disk.makeReadOnly());
    journal.append({Noon});
    EXPECT_EQ(journal.failures.value(1), file + ": El disco es de solo lectura.");

    ASSERT_TRUE(disk.makeWritable());
    journal.store.retry();
    journal.settle();
    EXPECT_EQ(contentsOf(file), journal_csv::header() + row(Morning) + row(large) + row(Noon));
    EXPECT_EQ(journal.failures.size(), 2);
    EXPECT_EQ(journal.heldWritten, 1);
}

} // namespace
