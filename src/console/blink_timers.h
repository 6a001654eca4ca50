#pragma once

class ConsoleState;
class Panel;
class Timer;

// The two blink timers of the panel: one ticks the slow phase every
// 500 ms, the other the fast phase every 250 ms, both reading the last status
// codes. Each tick re-arms its own timer.
class BlinkTimers
{
public:
    static constexpr int SlowMs = 500;
    static constexpr int FastMs = 250;

    BlinkTimers(Timer& slowTimer, Timer& fastTimer, Panel& panel, const ConsoleState& state);

    // Start-up: set both intervals, which starts the blinking for the whole run.
    void start();

private:
    void slowTick();
    void fastTick();

    Timer& slow_;
    Timer& fast_;
    Panel& panel_;
    const ConsoleState& state_;
};
