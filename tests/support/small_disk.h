#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <string>

#include <sys/mount.h>

// A 64 KiB file system of its own in a fresh folder, to fill up or make
// read-only; only root may mount one, so a test without it is skipped.
class SmallDisk
{
public:
    SmallDisk()
    {
        mounted_ = folder_.isValid() && ::mount("tmpfs", path_.constData(), "tmpfs", 0, "size=64k,mode=0777") == 0;
        if (!mounted_)
            why_ = std::strerror(errno);
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(path_.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    // Why it could not be mounted.
    const std::string& why() const { return why_; }
    QString path() const { return folder_.path(); }

    // Takes every free byte with a file of its own.
    void fill() const
    {
        QFile filler(folder_.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(1024, 'f');
        while (filler.write(block) == block.size() && filler.flush()) { }
    }
    bool makeReadOnly() const
    {
        return ::mount(nullptr, path_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    bool makeWritable() const { return ::mount(nullptr, path_.constData(), nullptr, MS_REMOUNT, nullptr) == 0; }

private:
    QTemporaryDir folder_;
    QByteArray path_ = QFile::encodeName(folder_.path());
    bool mounted_ = false;
    std::string why_;
};
