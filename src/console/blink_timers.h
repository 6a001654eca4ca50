#pragma once

class ConsoleState;
class Panel;
class Timer;

// The two blink timers of the panel: Timer1 ticks the slow phase every
// 500 ms, Timer2 the fast phase every 250 ms, both reading the last status
// codes. Each tick re-arms its own timer.
class BlinkTimers
{
public:
    static constexpr int SlowMs = 500;
    static constexpr int FastMs = 250;

    BlinkTimers(Timer& timer1, Timer& timer2, Panel& panel, const ConsoleState& state);

    // Start-up: set both intervals, which starts the blinking for the whole run.
    void start();

private:
    void slowTick();
    void fastTick();

    Timer& timer1_;
    Timer& timer2_;
    Panel& panel_;
    const ConsoleState& state_;
};
