#pragma once

#include "wire/frame_layout.h"

class ConsoleState;
class Panel;
class Timer;

// The two blink timers of the panel: one ticks the slow phase every
// 500 ms, the other the fast phase every 250 ms, both reading the last status
// codes. Each tick re-arms its own timer, unless no indicator has a phase for
// it to change: then it rests until a frame gives it one, and starts again
// from that frame.
class BlinkTimers
{
public:
    static constexpr int SlowMs = 500;
    static constexpr int FastMs = 250;

    BlinkTimers(Timer& slowTimer, Timer& fastTimer, Panel& panel, const ConsoleState& state);

private:
    struct Beat {
        Timer& timer;
        int periodMs;
        void (Panel::*blink)(const wire::StatusFrame&);
        bool (Panel::*pending)(const wire::StatusFrame&) const;
        bool resting = false;
    };

    void tick(Beat& beat);
    void wake(Beat& beat);
    bool pending(const Beat& beat) const;

    Panel& panel_;
    const ConsoleState& state_;
    Beat slow_;
    Beat fast_;
};
