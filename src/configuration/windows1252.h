#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The 8-bit character set of the configuration file. Every byte maps to one
// character and back: the five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same value,
// so any file round-trips byte for byte.
namespace windows1252
{

QString decode(const QByteArray& bytes);
// Characters the code page cannot store become '?'.
QByteArray encode(const QString& text);

// Whether the character has a byte of its own in the code page.
bool isRepresentable(QChar c);

} // namespace windows1252

// Whether a name or note may hold the character: representable in the file's
// character set and not a double quote (the file has no escape for it).
bool isStorableCharacter(QChar c);
