#pragma once

#include "platform/directory_view.h"

#include <QString>
#include <QStringList>

// Records what the directory reported, in order: "visibility", "scroll",
// "row <r>", "focus".
class RecordingDirectoryView final : public DirectoryView
{
public:
    void visibilityChanged() override { events.append(QStringLiteral("visibility")); }
    void scrollPositionChanged() override { events.append(QStringLiteral("scroll")); }
    void rowChanged(int row) override { events.append(QStringLiteral("row %1").arg(row)); }
    void focusFirstText() override { events.append(QStringLiteral("focus")); }

    QStringList events;
};
