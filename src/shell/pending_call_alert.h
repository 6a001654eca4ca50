#pragma once

#include "link/call_alert.h"
#include "platform/sound_output.h"
#include "platform/timer.h"
#include "shell/cls_tray.h"
#include "shell/shell_events.h"

// The call alert on Timer4. Its interval is the state: 0 off, 1800 the quiet
// phase with the normal icon, 200 the flash phase with the tone and the
// alert icon. A running alert repeats every 2000 ms; the first tone sounds
// 1800 ms after the start.
class PendingCallAlert final : public CallAlert
{
public:
    static constexpr int Quiet = 1800;
    static constexpr int Flash = 200;
    static constexpr int NormalIcon = 0;
    static constexpr int AlertIcon = 1;

    PendingCallAlert(Timer& timer4, SoundOutput& sound, clsTray& tray, ShellEvents& events);

    // Fills the tone buffer once; without a sound device the alert stays silent.
    void prepare();
    void start() override;
    void stop() override;
    bool running() const override { return timer_.interval() != 0; }

private:
    void tick();
    void showIcon(int image);

    Timer& timer_;
    SoundOutput& sound_;
    clsTray& tray_;
    ShellEvents& events_;
};
