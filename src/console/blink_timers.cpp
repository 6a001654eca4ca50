#include "console/blink_timers.h"

#include "console/console_state.h"
#include "console/panel.h"
#include "platform/timer.h"

BlinkTimers::BlinkTimers(Timer& timer1, Timer& timer2, Panel& panel, const ConsoleState& state)
    : timer1_(timer1)
    , timer2_(timer2)
    , panel_(panel)
    , state_(state)
{
    timer1_.onTick([this] { slowTick(); });
    timer2_.onTick([this] { fastTick(); });
}

void BlinkTimers::start()
{
    timer1_.setInterval(SlowMs);
    timer2_.setInterval(FastMs);
}

void BlinkTimers::slowTick()
{
    timer1_.setInterval(SlowMs);
    panel_.slowBlink(state_.estados());
}

void BlinkTimers::fastTick()
{
    timer2_.setInterval(FastMs);
    panel_.fastBlink(state_.estados());
}
