#pragma once

#include "platform/config_store.h"

#include <QString>

// "OPR903.DAT" in a folder (by default the working folder, looked up at each
// access). A save never destroys the previous file: the new contents are
// written beside it and then take its place, keeping its owner and
// permissions; where the folder cannot take a new file but the file itself is
// writable, the file is written in place. A file without write permission is
// reported as a failure, even to a user the system would let write it. A
// failure is described in Spanish where the error has a text of ours.
class FileConfigStore final : public ConfigStore
{
public:
    static constexpr char FileName[] = "OPR903.DAT";
    // Larger files are not configuration files: they read as unreadable.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    explicit FileConfigStore(const QString& folder = QString());

    std::optional<QByteArray> read() override;
    std::optional<QString> write(const QByteArray& contents) override;

    const QString& path() const { return path_; }

private:
    QString path_;
};
