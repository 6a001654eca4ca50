#include "platform/qt/file_config_store.h"

#include "platform/qt/file_error_text.h"
#include "platform/qt/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{

// Why an existing file may not be written, as an error number: no write
// permission bit at all (which even root must respect here), or the system's
// own refusal (permissions, read-only file system).
std::optional<int> writeRefusal(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return std::nullopt;
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!(file.permissions() & anyWrite))
        return EACCES;
#ifdef Q_OS_UNIX
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return errno;
#else
    if (!file.isWritable())
        return EACCES;
#endif
    return std::nullopt;
}

#ifdef Q_OS_UNIX
// Owner and mode of the file being replaced, given back to its successor.
class FileIdentity
{
public:
    explicit FileIdentity(const QString& path)
        : path_(QFile::encodeName(path))
    {
        known_ = ::stat(path_.constData(), &before_) == 0;
    }
    void restore() const
    {
        struct stat after;
        if (!known_ || ::stat(path_.constData(), &after) != 0)
            return;
        if ((after.st_mode & 07777) != (before_.st_mode & 07777))
            ::chmod(path_.constData(), before_.st_mode & 07777);
        const bool sameOwner = after.st_uid == before_.st_uid && after.st_gid == before_.st_gid;
        // Only a privileged user can hand the file back; otherwise it stays ours.
        if (!sameOwner && ::chown(path_.constData(), before_.st_uid, before_.st_gid) != 0)
            return;
    }

private:
    QByteArray path_;
    struct stat before_ {
    };
    bool known_ = false;
};
#else
class FileIdentity
{
public:
    explicit FileIdentity(const QString&) { }
    void restore() const { }
};
#endif

} // namespace

FileConfigStore::FileConfigStore(const QString& folder)
    : path_(folder.isEmpty() ? QString::fromLatin1(FileName) : QDir(folder).filePath(QString::fromLatin1(FileName)))
{
}

std::optional<QByteArray> FileConfigStore::read()
{
    return readWholeFile(path_, MaxFileSize);
}

std::optional<QString> FileConfigStore::write(const QByteArray& contents)
{
    if (const auto refusal = writeRefusal(path_))
        return fileErrorText(*refusal);
    const FileIdentity identity(path_);
    QSaveFile file(path_);
    file.setDirectWriteFallback(true);
    // Unbuffered: a buffered QSaveFile can lose a full disk's error at commit
    // and put an empty file in the old one's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fileErrorText(file.errorString());
    if (file.write(contents) != contents.size()) {
        const QString error = fileErrorText(file.errorString());
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return fileErrorText(file.errorString());
    identity.restore();
    return std::nullopt;
}
