#include "link/link_phase.h"

#include "link/protocol.h"
#include "platform/serial_port.h"
#include "platform/timer.h"

#include <iterator>

namespace
{

using Step = LinkPhase::Step;
namespace threshold = protocol::threshold;

// What a step sends: a fixed byte, the poll answer handed in, or nothing.
constexpr int SendsAnswer = -1;
constexpr int SendsNothing = -2;
// A watchdog column of 0 leaves the phase in force.
constexpr int KeepsPhase = 0;

struct Transition {
    Step step;
    int sends;
    int watchdogMs;
    int next;
};

// clang-format off
constexpr Transition Transitions[] = {
    // step                sends                         watchdog                   next threshold
    {Step::PortOpened,     protocol::PideIdentidad,      LinkPhase::StartupMs,      threshold::Identity},
    {Step::ModelAccepted,  protocol::PideTablaInternos,  KeepsPhase,                threshold::NumberingTable},
    {Step::ModelRefused,   protocol::FinConexion,        LinkPhase::WrongModelMs,   threshold::Off},
    {Step::TableRead,      protocol::PideMemorias,       KeepsPhase,                threshold::DirectoryBlock},
    {Step::BlockRead,      protocol::IniciaSondeo,       LinkPhase::RunningMs,      threshold::SingleByte},
    {Step::PollAnswered,   SendsAnswer,                  KeepsPhase,                threshold::StatusFrame},
    {Step::ClosingSent,    SendsAnswer,                  LinkPhase::ClosingMs,      threshold::Off},
    {Step::FrameApplied,   SendsNothing,                 KeepsPhase,                threshold::SingleByte},
    {Step::PollingRetried, protocol::IniciaSondeo,       KeepsPhase,                threshold::SingleByte},
    // A single byte other than the poll is no step: nothing is sent, the threshold stays 1.
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

const Transition& transitionFor(Step step)
{
    return Transitions[static_cast<int>(step)];
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
    apply(answer == protocol::FinConexion ? Step::ClosingSent : Step::PollAnswered, answer);
}

void LinkPhase::apply(Step step, unsigned char answer)
{
    const Transition& t = transitionFor(step);
    if (t.sends != SendsNothing) {
        port_.setReceiveThreshold(threshold::Off);
        port_.write(t.sends == SendsAnswer ? answer : static_cast<unsigned char>(t.sends));
    }
    if (t.watchdogMs != KeepsPhase)
        watchdog_.setInterval(t.watchdogMs);
    port_.setReceiveThreshold(t.next);
}
