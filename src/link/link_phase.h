#pragma once

class SerialPort;
class Timer;

// Everything that changes the receive threshold, and with it the phase of the
// link, lives here. The threshold is the length of the next expected message
// (see protocol.h) and therefore the protocol's whole state; the watchdog's
// interval names the phase the silence limit belongs to. Each step sends at
// most one byte, may arm the watchdog for the phase it enters, and sets the
// threshold that follows. A step that sends first sets the threshold to 0, so
// no notification can come between a message and its answer.
class LinkPhase
{
public:
    enum class Step {
        PortOpened, // the probe sends "D"
        ModelAccepted, // identity "R903": ask for the numbering table
        ModelRefused, // another model: end the connection
        TableRead, // ask for the directory block
        BlockRead, // start polling
        PollAnswered, // a command or "no command" went out
        ClosingSent, // the end-of-connection byte went out as the answer
        FrameApplied, // wait for the next poll
        PollingRetried, // the watchdog's one retry after 10 s of silence
    };

    // Watchdog intervals; the interval tells the phase.
    static constexpr int StartupMs = 3000;
    static constexpr int RunningMs = 10000;
    static constexpr int WrongModelMs = 200;
    static constexpr int ClosingMs = 500;

    LinkPhase(SerialPort& port, Timer& watchdog);

    void enter(Step step);
    // Sends the answer to a poll: PollAnswered, or ClosingSent when it is 0x8F.
    void answerPoll(unsigned char answer);

private:
    void apply(Step step, unsigned char answer);

    SerialPort& port_;
    Timer& watchdog_;
};
