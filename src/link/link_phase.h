#pragma once

class SerialPort;
class Timer;

// Everything that affects the state of the conversation with the exchange
// lives here. The console always waits for exactly one kind of message (the
// receive threshold is set to its length), and the watchdog always watches
// for one kind of silence (its interval is that silence's limit). Each step
// sends at most one byte, may switch the watchdog to the silence it now
// watches, and says which message comes next. A step that sends first turns
// notifications off, so none can come between a message and its answer.
class LinkPhase
{
public:
    // The message the next notification brings.
    enum class Awaiting { Nothing, Identity, NumberingTable, DirectoryBlock, SingleByte, StatusFrame };
    // The silence the watchdog watches for.
    enum class Watch { Nothing, Startup, Running, WrongModel, Closing };

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
        PortLost, // the line went away before the exchange identified itself
    };

    // The watchdog's interval for each silence.
    static constexpr int StartupMs = 3000;
    static constexpr int RunningMs = 10000;
    static constexpr int WrongModelMs = 200;
    static constexpr int ClosingMs = 500;

    LinkPhase(SerialPort& port, Timer& watchdog);

    void enter(Step step);
    // Sends the answer to a poll: PollAnswered, or ClosingSent when it ends the connection.
    void answerPoll(unsigned char answer);

    Awaiting awaiting() const { return awaiting_; }
    Watch watch() const { return watch_; }

private:
    void apply(Step step, unsigned char answer);
    void await(Awaiting message);

    SerialPort& port_;
    Timer& watchdog_;
    Awaiting awaiting_ = Awaiting::Nothing;
    Watch watch_ = Watch::Nothing;
};
