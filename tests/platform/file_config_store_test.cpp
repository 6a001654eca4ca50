#include "platform/qt/file_config_store.h"

#include "qt_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr uid_t Nobody = 65534;
const QByteArray OldFile = "\"R93OPR\"\r\n\"3\"\r\n\"Caja\"\r\n";

// Runs a block with the rights of an ordinary user when the tests run as
// root, who may write where permissions forbid it.
class OrdinaryUser
{
public:
    OrdinaryUser()
    {
        if (root_ && (::setegid(Nobody) != 0 || ::seteuid(Nobody) != 0))
            ADD_FAILURE() << "cannot take an ordinary user's rights";
    }
    ~OrdinaryUser()
    {
        if (root_ && (::seteuid(0) != 0 || ::setegid(0) != 0))
            ADD_FAILURE() << "cannot return to root";
    }

private:
    const bool root_ = ::geteuid() == 0;
};

void setMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
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

// A save that must be refused with this error, leaving the old file as it was.
void expectRefused(FileConfigStore& store, int error)
{
    EXPECT_EQ(store.write(QByteArray(8192, 'n')), qt_error_string(error));
    EXPECT_EQ(contentsOf(store.path()), OldFile);
}

// The store in a fresh folder that an ordinary user may also write in.
struct FileConfigStoreTest : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        setMode(folder.path(), 0777);
    }

    QTemporaryDir folder;
    FileConfigStore store{folder.path()};
};

TEST_F(FileConfigStoreTest, ReadsTheWholeFileOrNothing)
{
    EXPECT_EQ(store.read(), std::nullopt) << "missing";
    putFile(store.path(), OldFile);
    EXPECT_EQ(store.read(), OldFile);
    ASSERT_TRUE(QFile::resize(store.path(), FileConfigStore::MaxFileSize + 1));
    EXPECT_EQ(store.read(), std::nullopt) << "too large";
    ASSERT_TRUE(QFile::remove(store.path()));
    ASSERT_TRUE(QDir(folder.path()).mkdir(FileConfigStore::FileName));
    EXPECT_EQ(store.read(), std::nullopt) << "a folder of that name";
}

TEST_F(FileConfigStoreTest, ASaveReplacesTheFileKeepingItsOwnerAndPermissions)
{
    putFile(store.path(), OldFile);
    setMode(store.path(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(store.path()).constData(), Nobody, Nobody), 0);
    }
    EXPECT_EQ(store.write("new contents"), std::nullopt);
    EXPECT_EQ(contentsOf(store.path()), "new contents");
    struct stat after {
    };
    ASSERT_EQ(::stat(QFile::encodeName(store.path()).constData(), &after), 0);
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
    EXPECT_EQ(contentsOf(store.path()), OldFile);
}

TEST_F(FileConfigStoreTest, AReadOnlyFileIsNeverReplacedButAWritableOneInAReadOnlyFolderIsWrittenInPlace)
{
    putFile(store.path(), OldFile);
    setMode(store.path(), 0444);
    expectRefused(store, EACCES);
    {
        OrdinaryUser user;
        expectRefused(store, EACCES);
    }
    setMode(store.path(), 0666);
    setMode(folder.path(), 0555);
    {
        OrdinaryUser user;
        EXPECT_EQ(store.write("in place"), std::nullopt);
    }
    setMode(folder.path(), 0777);
    EXPECT_EQ(contentsOf(store.path()), "in place");
}

// A 64 KiB file system of its own holding the old file; only root may mount one.
class SmallDiskTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!folder.isValid() || ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k,mode=0777") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here: " << strerror(errno);
        mounted = true;
        putFile(store.path(), OldFile);
    }
    void TearDown() override
    {
        if (mounted)
            ::umount2(path.constData(), MNT_DETACH);
    }

    QTemporaryDir folder;
    QByteArray path = QFile::encodeName(folder.path());
    bool mounted = false;
    FileConfigStore store{folder.path()};
};

TEST_F(SmallDiskTest, AFullDiskLeavesTheOldFileAndReportsTheError)
{
    QFile filler(folder.filePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(1024, 'f');
    while (filler.write(block) == block.size() && filler.flush()) { }
    expectRefused(store, ENOSPC);
}

TEST_F(SmallDiskTest, AReadOnlyFileSystemLeavesTheOldFileAndReportsTheError)
{
    ASSERT_EQ(::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    expectRefused(store, EROFS);
}

} // namespace
