#include "shell/pending_call_alert.h"

#include "shell/alert_tone.h"

PendingCallAlert::PendingCallAlert(Timer& alertTimer, SoundOutput& sound, TrayIcon& tray, ShellEvents& events)
    : timer_(alertTimer)
    , sound_(sound)
    , tray_(tray)
    , events_(events)
{
    timer_.onTick([this] { tick(); });
}

void PendingCallAlert::prepare()
{
    sound_.prepare(makeAlertTone());
}

void PendingCallAlert::start()
{
    if (!running())
        events_.alert(true);
    enter(Phase::Quiet);
}

void PendingCallAlert::stop()
{
    if (running())
        events_.alert(false);
    enter(Phase::Off);
    showIcon(NormalIcon);
}

void PendingCallAlert::tick()
{
    switch (phase_) {
    case Phase::Flash:
        enter(Phase::Quiet);
        showIcon(NormalIcon);
        return;
    case Phase::Quiet:
        sound_.play();
        events_.tone();
        enter(Phase::Flash);
        showIcon(AlertIcon);
        return;
    case Phase::Off: return;
    }
}

void PendingCallAlert::enter(Phase phase)
{
    phase_ = phase;
    timer_.setInterval(static_cast<int>(phase));
}

void PendingCallAlert::showIcon(int image)
{
    if (tray_.icon() != image)
        events_.icon(image);
    tray_.setIcon(image);
}
