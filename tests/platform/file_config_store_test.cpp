#include "platform/qt/file_config_store.h"

#include "directory/configuration.h"
#include "directory/configuration_file.h"
#include "directory/speed_dial_directory.h"
#include "link/cola_salida.h"

#include "fake_messages.h"
#include "qt_printers.h"
#include "recording_directory_view.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

// Runs a block with the rights of an ordinary user when the tests run as
// root, who may write where permissions forbid it.
class OrdinaryUser {
public:
    OrdinaryUser()
        : switched_(::geteuid() == 0)
    {
        if (switched_ && (::setegid(Nobody) != 0 || ::seteuid(Nobody) != 0))
            ADD_FAILURE() << "cannot take an ordinary user's rights";
    }
    ~OrdinaryUser()
    {
        if (switched_ && (::seteuid(0) != 0 || ::setegid(0) != 0))
            ADD_FAILURE() << "cannot return to root";
    }

private:
    bool switched_;
};

void setMode(const QString& path, mode_t mode) { ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0); }

struct stat statOf(const QString& path)
{
    struct stat s {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &s), 0) << path.toStdString();
    return s;
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void putFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(contents), contents.size());
}

const QByteArray OldFile = "\"R93OPR\"\r\n\"3\"\r\n\"Caja\"\r\n";

struct FileConfigStoreTest : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        setMode(folder.path(), 0777); // reachable by the ordinary user
    }
    QString filePath() const { return folder.filePath(FileConfigStore::FileName); }

    QTemporaryDir folder;
    FileConfigStore store{folder.path()};
};

// A 64 KiB file system of its own; only root may mount one.
class SmallFileSystem {
public:
    SmallFileSystem()
    {
        mounted_ = folder_.isValid() && ::mount("tmpfs", path(), "tmpfs", 0, "size=64k,mode=0777") == 0;
        error_ = errno;
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            ::umount2(path(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    std::string whyNot() const { return "cannot mount a small tmpfs here: " + std::string(strerror(error_)); }
    const char* path() const { return pathBytes_.constData(); }
    QString folder() const { return folder_.path(); }
    bool makeReadOnly() { return ::mount(nullptr, path(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    QTemporaryDir folder_;
    QByteArray pathBytes_ = QFile::encodeName(folder_.path());
    bool mounted_ = false;
    int error_ = 0;
};

// Writes until the file system refuses another byte.
void fill(const QString& folder)
{
    QFile filler(QDir(folder).filePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(1024, 'f');
    while (filler.write(block) == block.size() && filler.flush()) { }
}

// The whole save as the console makes it: one beep, one message, and the
// old file as it was.
void expectFailedSaveLeavesOldFile(FileConfigStore& store, const QString& path, const QString& expectedError)
{
    FakeMessages messages;
    Configuration configuration;
    configuration.nombres.fill(QString(200, u'n'));
    BloqueMemorias memorias{};
    ColaSalida cola;
    RecordingDirectoryView view;
    SpeedDialDirectory directory(view, configuration, memorias, cola);
    ConfigurationFile file(store, messages, configuration, directory);
    file.Grabaendisco();
    EXPECT_EQ(messages.beeps, 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, expectedError);
    EXPECT_EQ(messages.shown[0].title, QString::fromUtf16(u"Selección incorrecta"));
    EXPECT_EQ(contentsOf(path), OldFile);
}

} // namespace

TEST_F(FileConfigStoreTest, ReadsTheWholeFileOrNothing)
{
    EXPECT_EQ(store.read(), std::nullopt) << "missing";
    putFile(filePath(), OldFile);
    EXPECT_EQ(store.read(), OldFile);
    ASSERT_TRUE(QFile::resize(filePath(), FileConfigStore::MaxFileSize + 1));
    EXPECT_EQ(store.read(), std::nullopt) << "too large";
    ASSERT_TRUE(QFile::remove(filePath()));
    ASSERT_TRUE(QDir(folder.path()).mkdir(FileConfigStore::FileName));
    EXPECT_EQ(store.read(), std::nullopt) << "a folder of that name";
}

TEST_F(FileConfigStoreTest, ASaveReplacesTheFileKeepingItsOwnerAndPermissions)
{
    putFile(filePath(), OldFile);
    setMode(filePath(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(filePath()).constData(), Nobody, Nobody), 0);
    }

    EXPECT_EQ(store.write("new contents"), std::nullopt);
    EXPECT_EQ(contentsOf(filePath()), "new contents");
    const struct stat after = statOf(filePath());
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(after.st_uid, Nobody);
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{FileConfigStore::FileName});
}

TEST_F(FileConfigStoreTest, TheDefaultFolderIsTheWorkingFolderAtTheTimeOfTheSave)
{
    const QString before = QDir::currentPath();
    FileConfigStore inWorkingFolder;
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const auto error = inWorkingFolder.write(OldFile);
    const auto back = inWorkingFolder.read();
    QDir::setCurrent(before);
    EXPECT_EQ(error, std::nullopt);
    EXPECT_EQ(back, OldFile);
    EXPECT_EQ(contentsOf(filePath()), OldFile);
}

TEST_F(FileConfigStoreTest, AReadOnlyFileIsNeverReplacedWhoeverSaves)
{
    putFile(filePath(), OldFile);
    setMode(filePath(), 0444);
    expectFailedSaveLeavesOldFile(store, filePath(), qt_error_string(EACCES));
    {
        OrdinaryUser user;
        expectFailedSaveLeavesOldFile(store, filePath(), qt_error_string(EACCES));
    }
    EXPECT_EQ(statOf(filePath()).st_mode & 07777, 0444u);
}

TEST_F(FileConfigStoreTest, AReadOnlyFolderTakesTheSaveInPlaceWhenTheFileIsWritable)
{
    putFile(filePath(), OldFile);
    setMode(filePath(), 0666);
    setMode(folder.path(), 0555);
    {
        OrdinaryUser user;
        EXPECT_EQ(store.write("in place"), std::nullopt);
    }
    EXPECT_EQ(contentsOf(filePath()), "in place");

    putFile(filePath(), OldFile);
    setMode(filePath(), 0444);
    {
        OrdinaryUser user;
        expectFailedSaveLeavesOldFile(store, filePath(), qt_error_string(EACCES));
    }
    setMode(folder.path(), 0777);
}

// A save onto a small file system holding the old file.
struct SmallDiskTest : testing::Test {
    void SetUp() override
    {
        if (!disk.mounted())
            GTEST_SKIP() << disk.whyNot();
        putFile(path, OldFile);
    }

    SmallFileSystem disk;
    FileConfigStore store{disk.folder()};
    QString path = QDir(disk.folder()).filePath(FileConfigStore::FileName);
};

TEST_F(SmallDiskTest, AFullDiskLeavesTheOldFileAndReportsTheErrorOnce)
{
    fill(disk.folder());
    expectFailedSaveLeavesOldFile(store, path, qt_error_string(ENOSPC));
}

TEST_F(SmallDiskTest, AReadOnlyFileSystemLeavesTheOldFileAndReportsTheErrorOnce)
{
    ASSERT_TRUE(disk.makeReadOnly());
    expectFailedSaveLeavesOldFile(store, path, qt_error_string(EROFS));
}
