#pragma once

#include "link/call_alert.h"
#include "platform/sound_output.h"
#include "platform/timer.h"
#include "shell/shell_events.h"
#include "shell/tray_icon.h"

// The call alert on its own timer: off, the quiet phase (1800 ms) with the
// normal icon, or the flash phase (200 ms) with the tone and the alert icon.
// A running alert repeats every 2000 ms; the first tone sounds 1800 ms after
// the start.
class PendingCallAlert final : public CallAlert
{
public:
    // Each phase's value is its length in milliseconds.
    enum class Phase { Off = 0, Quiet = 1800, Flash = 200 };
    static constexpr int NormalIcon = 0;
    static constexpr int AlertIcon = 1;

    PendingCallAlert(Timer& alertTimer, SoundOutput& sound, TrayIcon& tray, ShellEvents& events);

    // Fills the tone buffer once; without a sound device the alert stays silent.
    void prepare();
    void start() override;
    void stop() override;
    bool running() const override { return phase_ != Phase::Off; }

private:
    void tick();
    void enter(Phase phase);
    void showIcon(int image);

    Timer& timer_;
    SoundOutput& sound_;
    TrayIcon& tray_;
    ShellEvents& events_;
    Phase phase_ = Phase::Off;
};
