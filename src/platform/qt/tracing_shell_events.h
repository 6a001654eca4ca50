#pragma once

#include "shell/shell_events.h"

class Trace;

// Writes the shell's events to the --trace log: "alert on|off", "icon 0|1",
// "balloon show|remove", "tone", "exit".
class TracingShellEvents final : public ShellEvents
{
public:
    explicit TracingShellEvents(Trace& trace)
        : trace_(trace)
    {
    }

    void alert(bool on) override;
    void icon(int image) override;
    void balloon(Balloon b) override;
    void tone() override;
    void exit() override;

private:
    Trace& trace_;
};
