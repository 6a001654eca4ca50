#include "link/link_phase.h"

#include "platform/serial_port.h"
#include "platform/timer.h"
#include "wire/commands.h"
#include "wire/frame_layout.h"

#include <iterator>
#include <optional>

// The conversation, step by step, as a table that reads like the exchange's:
//
//   waiting for        on arrival                     sends   next          watchdog
//   identity reply     model "R903"                   0x42    numbering     -
//   identity reply     another model                  0x8F    nothing       200 ms
//   numbering table    -                              0x43    speed dials   -
//   speed-dial block   -                              0xC0    single byte   10 s
//   single byte        the poll: answer (not 0x8F)    answer  status frame  -
//   single byte        the poll: answer 0x8F          0x8F    nothing       500 ms
//   single byte        any other byte: nothing        -       single byte   -
//   status frame       apply it                       -       single byte   -
//   identity reply     the line lost: a port failure  -       nothing       off
//
// The probe's step sends "D" and waits 3 s for the identity reply.
namespace
{

using Step = LinkPhase::Step;
using Awaiting = LinkPhase::Awaiting;
using Watch = LinkPhase::Watch;

// What a step sends: a fixed byte, the poll answer handed in, or nothing.
constexpr int SendsAnswer = -1;
constexpr int SendsNothing = -2;

// The watchdog column's "-": the silence in force is kept.
constexpr std::optional<Watch> Keeps;

struct Transition {
    Step step;
    int sends;
    std::optional<Watch> watch;
    Awaiting next;
};

// clang-format off
constexpr Transition Transitions[] = {
    // step                sends                          watch              next
    {Step::PortOpened,     wire::RequestIdentity,         Watch::Startup,    Awaiting::Identity},
    {Step::ModelAccepted,  wire::RequestNumberingTable,   Keeps,             Awaiting::NumberingTable},
    {Step::ModelRefused,   wire::EndConnection,           Watch::WrongModel, Awaiting::Nothing},
    {Step::TableRead,      wire::RequestSpeedDials,       Keeps,             Awaiting::DirectoryBlock},
    {Step::BlockRead,      wire::StartPolling,            Watch::Running,    Awaiting::SingleByte},
    {Step::PollAnswered,   SendsAnswer,                   Keeps,             Awaiting::StatusFrame},
    {Step::ClosingSent,    SendsAnswer,                   Watch::Closing,    Awaiting::Nothing},
    {Step::FrameApplied,   SendsNothing,                  Keeps,             Awaiting::SingleByte},
    {Step::PollingRetried, wire::StartPolling,            Keeps,             Awaiting::SingleByte},
    {Step::PortLost,       SendsNothing,                  Watch::Nothing,    Awaiting::Nothing},
};
// clang-format on

constexpr bool inStepOrder()
{
    for (int i = 0; i < int(std::size(Transitions)); ++i) {
        if (static_cast<int>(Transitions[i].step) != i)
            return false;
    }
    return true;
}
static_assert(inStepOrder(), "one row per step, in the order of the steps");

// The receive threshold of each awaited message: its length.
constexpr int thresholdFor(Awaiting message)
{
    switch (message) {
    case Awaiting::Nothing: return 0;
    case Awaiting::Identity: return wire::IdentityLength;
    case Awaiting::NumberingTable: return wire::NumberingTableLength;
    case Awaiting::DirectoryBlock: return wire::DirectoryBlockLength;
    case Awaiting::SingleByte: return 1;
    case Awaiting::StatusFrame: return wire::StatusFrameLength;
    }
    return 0;
}

constexpr int intervalFor(Watch watch)
{
    switch (watch) {
    case Watch::Nothing: return 0;
    case Watch::Startup: return LinkPhase::StartupMs;
    case Watch::Running: return LinkPhase::RunningMs;
    case Watch::WrongModel: return LinkPhase::WrongModelMs;
    case Watch::Closing: return LinkPhase::ClosingMs;
    }
    return 0;
}

} // namespace

LinkPhase::LinkPhase(SerialPort& port, Timer& watchdog)
    : port_(port)
    , watchdog_(watchdog)
{
}

void LinkPhase::enter(Step step)
{
    apply(step, 0);
}

void LinkPhase::answerPoll(unsigned char answer)
{
    apply(answer == wire::EndConnection ? Step::ClosingSent : Step::PollAnswered, answer);
}

void LinkPhase::apply(Step step, unsigned char answer)
{
    const Transition& t = Transitions[static_cast<int>(step)];
    if (t.sends != SendsNothing) {
        await(Awaiting::Nothing);
        port_.write(t.sends == SendsAnswer ? answer : static_cast<unsigned char>(t.sends));
    }
    if (t.watch) {
        watch_ = *t.watch;
        watchdog_.setInterval(intervalFor(*t.watch));
    }
    await(t.next);
}

void LinkPhase::await(Awaiting message)
{
    awaiting_ = message;
    port_.setReceiveThreshold(thresholdFor(message));
}
