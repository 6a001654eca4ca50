#include "console/blink_timers.h"

#include "console/console_state.h"
#include "console/panel.h"
#include "platform/timer.h"

BlinkTimers::BlinkTimers(Timer& slowTimer, Timer& fastTimer, Panel& panel, const ConsoleState& state)
    : panel_(panel)
    , state_(state)
    , slow_{slowTimer, SlowMs, &Panel::slowBlink, &Panel::slowBlinkPending}
    , fast_{fastTimer, FastMs, &Panel::fastBlink, &Panel::fastBlinkPending}
{
    slow_.timer.onTick([this] { tick(slow_); });
    fast_.timer.onTick([this] { tick(fast_); });
    panel_.onFrameShown([this] {
        wake(slow_);
        wake(fast_);
    });
}

void BlinkTimers::tick(Beat& beat)
{
    (panel_.*beat.blink)(state_.codes());
    beat.resting = !pending(beat);
    beat.timer.setInterval(beat.resting ? 0 : beat.periodMs);
}

// A resting timer starts again when the frame just shown gives it a phase to change.
void BlinkTimers::wake(Beat& beat)
{
    if (!beat.resting || !pending(beat))
        return;
    beat.resting = false;
    beat.timer.setInterval(beat.periodMs);
}

bool BlinkTimers::pending(const Beat& beat) const
{
    return (panel_.*beat.pending)(state_.codes());
}
