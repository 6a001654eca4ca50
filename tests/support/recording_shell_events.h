#pragma once

#include "shell/shell_events.h"

#include <QStringList>

// Records the shell's trace events as the trace file words them.
class RecordingShellEvents final : public ShellEvents
{
public:
    void alert(bool on) override { lines << (on ? QStringLiteral("alert on") : QStringLiteral("alert off")); }
    void icon(int image) override { lines << QStringLiteral("icon %1").arg(image); }
    void balloon(Balloon b) override
    {
        lines << (b == Balloon::Show ? QStringLiteral("balloon show") : QStringLiteral("balloon remove"));
    }
    void tone() override { lines << QStringLiteral("tone"); }
    void exit() override { lines << QStringLiteral("exit"); }

    QStringList lines;
};
