#pragma once

#include <QString>

// Why a file could not be written, in the operator's words: the system's
// error number, or the system's own description of it, told in Spanish; a
// description that has no Spanish text is kept as the system gave it.
QString fileErrorText(int errorNumber);
QString fileErrorText(const QString& systemDescription);
