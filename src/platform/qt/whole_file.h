#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The whole of a file, or nothing when it is missing, unreadable or larger
// than a file of its kind can be.
std::optional<QByteArray> readWholeFile(const QString& path, qint64 maxSize);
