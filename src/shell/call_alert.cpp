#include "shell/call_alert.h"

#include "shell/buffer_tono.h"

CallAlert::CallAlert(Timer& timer4, SoundOutput& sound, clsTray& tray, ShellEvents& events)
    : timer_(timer4)
    , sound_(sound)
    , tray_(tray)
    , events_(events)
{
    timer_.onTick([this] { tick(); });
}

void CallAlert::prepare()
{
    sound_.prepare(makeBufferTono());
}

void CallAlert::start()
{
    if (!running())
        events_.alert(true);
    timer_.setInterval(Quiet);
}

void CallAlert::stop()
{
    if (running())
        events_.alert(false);
    timer_.setInterval(0);
    showIcon(NormalIcon);
}

void CallAlert::tick()
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

void CallAlert::showIcon(int image)
{
    if (tray_.Icon() != image)
        events_.icon(image);
    tray_.setIcon(image);
}
