#include "platform/qt/file_config_store.h"

#include "platform/qt/file_error_text.h"

#include "files_on_disk.h"
#include "ordinary_user.h"
#include "qt_printers.h"
#include "small_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QByteArray OldFile = "\"R93OPR\"\r\n\"3\"\r\n\"Caja\"\r\n";

const QString NoPermission = QStringLiteral("No hay permiso para escribir en la carpeta o en el archivo.");

// A save that must be refused with this text, leaving the old file as it was.
void expectRefused(FileConfigStore& store, const QString& error)
{
    EXPECT_EQ(store.write(QByteArray(8192, 'n')), error);
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
    ASSERT_TRUE(QFile::resize(store.path(), FileConfigStore::MaxFileSize));
    EXPECT_EQ(store.read().value_or("").size(), FileConfigStore::MaxFileSize) << "as large as it may be";
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
        ASSERT_EQ(::chown(QFile::encodeName(store.path()).constData(), OrdinaryUser::Nobody, OrdinaryUser::Nobody), 0);
    }
    EXPECT_EQ(store.write("new contents"), std::nullopt);
    EXPECT_EQ(contentsOf(store.path()), "new contents");
    struct stat after {
    };
    ASSERT_EQ(::stat(QFile::encodeName(store.path()).constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(after.st_uid, OrdinaryUser::Nobody);
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{FileConfigStore::FileName});
}

TEST_F(FileConfigStoreTest, AReadOnlyFileIsNeverReplacedButAWritableOneInAReadOnlyFolderIsWrittenInPlace)
{
    putFile(store.path(), OldFile);
    setMode(store.path(), 0444);
    expectRefused(store, NoPermission);
    {
        OrdinaryUser user;
        expectRefused(store, NoPermission);
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

TEST_F(FileConfigStoreTest, AMissingFolderIsToldInSpanishAndAnErrorWithoutATextOfOursInTheSystemsWords)
{
    FileConfigStore nowhere(folder.filePath(QStringLiteral("borrada")));
    EXPECT_EQ(nowhere.write(OldFile), QStringLiteral("La carpeta no existe."));
    EXPECT_EQ(fileErrorText(qt_error_string(EXDEV)), qt_error_string(EXDEV));
    EXPECT_EQ(fileErrorText(EXDEV), qt_error_string(EXDEV));
}

// A small disk of its own holding the old file.
class SmallDiskTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!disk.mounted())
            GTEST_SKIP() << "cannot mount a small tmpfs here: " << disk.why();
        putFile(store.path(), OldFile);
    }

    SmallDisk disk;
    FileConfigStore store{disk.path()};
};

TEST_F(SmallDiskTest, AFullDiskLeavesTheOldFileAndReportsTheError)
{
    disk.fill();
    expectRefused(store, QStringLiteral("El disco está lleno."));
}

TEST_F(SmallDiskTest, AReadOnlyFileSystemLeavesTheOldFileAndReportsTheError)
{
    ASSERT_TRUE(disk.makeReadOnly());
    expectRefused(store, QStringLiteral("El disco es de solo lectura."));
}

} // namespace
