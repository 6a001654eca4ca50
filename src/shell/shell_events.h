#pragma once

// What the shell reports of itself for support traces: alert on and off,
// the icon image shown, the balloon, each tone and the program's end.
class ShellEvents
{
public:
    enum class Balloon { Show, Remove };

    virtual ~ShellEvents() = default;
    virtual void alert(bool on) = 0;
    virtual void icon(int image) = 0;
    virtual void balloon(Balloon b) = 0;
    virtual void tone() = 0;
    virtual void exit() = 0;
};

// For runs without a trace.
class NoShellEvents final : public ShellEvents
{
public:
    void alert(bool) override { }
    void icon(int) override { }
    void balloon(Balloon) override { }
    void tone() override { }
    void exit() override { }
};
