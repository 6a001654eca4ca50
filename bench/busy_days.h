#pragma once

#include <QDate>
#include <QString>

// The call journal's files of busy days: `days` files up to and including
// `today`, each of `calls` calls ending between 8:00 and 20:00, from the lines
// and from named extensions, answered, missed and called back, a few unfinished.
void writeBusyDays(const QString& folder, const QDate& today, int days, int calls);
