#include "console/blink_timers.h"

#include "console/console_state.h"
#include "console/panel.h"
#include "platform/timer.h"

BlinkTimers::BlinkTimers(Timer& slowTimer, Timer& fastTimer, Panel& panel, const ConsoleState& state)
    : slow_(slowTimer)
    , fast_(fastTimer)
    , panel_(panel)
    , state_(state)
{
    slow_.onTick([this] { slowTick(); });
    fast_.onTick([this] { fastTick(); });
}

void BlinkTimers::start()
{
    slow_.setInterval(SlowMs);
    fast_.setInterval(FastMs);
}

void BlinkTimers::slowTick()
{
    slow_.setInterval(SlowMs);
    panel_.slowBlink(state_.codes());
}

void BlinkTimers::fastTick()
{
    fast_.setInterval(FastMs);
    panel_.fastBlink(state_.codes());
}
