#include "shell/pending_call_alert.h"

#include "shell/buffer_tono.h"

PendingCallAlert::PendingCallAlert(Timer& timer4, SoundOutput& sound, clsTray& tray, ShellEvents& events)
    : timer_(timer4)
    , sound_(sound)
    , tray_(tray)
    , events_(events)
{
    timer_.onTick([this] { tick(); });
}

void PendingCallAlert::prepare()
{
    sound_.prepare(makeBufferTono());
}

void PendingCallAlert::start()
{
    if (!running())
        events_.alert(true);
    timer_.setInterval(Quiet);
}

void PendingCallAlert::stop()
{
    if (running())
        events_.alert(false);
    timer_.setInterval(0);
    showIcon(NormalIcon);
}

void PendingCallAlert::tick()
{
    if (timer_.interval() == Flash) {
        timer_.setInterval(Quiet);
        showIcon(NormalIcon);
        return;
    }
    if (timer_.interval() == Quiet) {
        sound_.play();
        events_.tone();
        timer_.setInterval(Flash);
        showIcon(AlertIcon);
    }
}

void PendingCallAlert::showIcon(int image)
{
    if (tray_.Icon() != image)
        events_.icon(image);
    tray_.setIcon(image);
}
