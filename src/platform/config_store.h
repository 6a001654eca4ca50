#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The bytes of the configuration file in the working folder.
class ConfigStore
{
public:
    virtual ~ConfigStore() = default;
    // The whole file, or nothing when it is missing or unreadable.
    virtual std::optional<QByteArray> read() = 0;
    // Replaces the file without ever destroying the previous one; on failure
    // returns the description of the error, in Spanish where it has a text.
    virtual std::optional<QString> write(const QByteArray& contents) = 0;
};
