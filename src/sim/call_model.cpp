#include "sim/call_model.h"

#include "wire/commands.h"
#include "wire/frame_layout.h"
#include "wire/status_codes.h"

#include <algorithm>

namespace ext = wire::extension;
namespace line = wire::line;

namespace
{
constexpr std::int64_t UsPerMs = 1000;
constexpr int FirstMemoryByte = wire::DialMemory(1);
constexpr int LastMemoryByte = wire::DialMemory(wire::MemoryCount);

// Random traffic: chances per step (one in n) and busy times in seconds.
constexpr int ExtensionGoesBusy = 60;
constexpr int LineGoesBusy = 90;
constexpr int LineRings = 40;
constexpr int ExtensionCallsConsole = 75;
constexpr int TransferredLineReturns = 3;
} // namespace

CallModel::CallModel(const ExchangePlan& plan, std::uint64_t seed, bool traffic)
    : plan_(plan)
    , random_(seed)
    , traffic_(traffic)
    , nextStepUs_(traffic ? TrafficStepMs * UsPerMs : Never)
{
    due_.fill(Never);
}

unsigned char CallModel::talkingCode(int element)
{
    return isLine(element) ? line::Taken : ext::Talking;
}

unsigned char CallModel::heldCode(int element)
{
    return isLine(element) ? line::Held : ext::Held;
}

// Sets a code and the timed change that follows it, if any.
void CallModel::set(int element, unsigned char code)
{
    code_[element] = code;
    int afterMs = 0;
    if (!isLine(element)) {
        switch (code) {
        case ext::Called: afterMs = AnswerMs; break;
        case ext::Calling: afterMs = ExtensionGivesUpMs; break;
        case ext::Busy: afterMs = random_.between(5, 40) * 1000; break;
        }
    } else {
        switch (code) {
        case line::Busy: afterMs = random_.between(10, 60) * 1000; break;
        case line::BusyBlinking: afterMs = DiallingMs; break;
        case line::Calling:
        case line::Returned: afterMs = LineGivesUpMs; break;
        }
    }
    due_[element] = afterMs ? now_ + afterMs * UsPerMs : Never;
    if (code != line::Busy)
        transferred_[element] = false;
}

// The timed change of an element whose time has come.
void CallModel::expire(int element)
{
    const unsigned char code = code_[element];
    if (!isLine(element)) {
        set(element, code == ext::Called ? ext::Talking : ext::Free);
        return;
    }
    if (code == line::BusyBlinking) {
        set(element, line::Busy);
        return;
    }
    const bool returns = transferred_[element] && random_.oneIn(TransferredLineReturns);
    set(element, returns ? line::Returned : line::Free);
}

void CallModel::trafficStep()
{
    for (int slot = 1; slot <= ExchangePlan::Slots; ++slot) {
        if (slot != plan_.consoleSlot && code_[slot - 1] == ext::Free && random_.oneIn(ExtensionGoesBusy))
            set(slot - 1, ext::Busy);
    }
    for (int k = 1; k <= wire::OutsideLines; ++k) {
        if (code_[LineBase + k] == line::Free && random_.oneIn(LineGoesBusy))
            set(LineBase + k, line::BusyBlinking);
    }
    if (random_.oneIn(LineRings))
        ringLine(random_.between(1, wire::OutsideLines), now_);
    if (random_.oneIn(ExtensionCallsConsole))
        callConsoleFrom(random_.between(1, ExchangePlan::Slots), now_);
}

std::int64_t CallModel::nextEventUs() const
{
    std::int64_t next = nextStepUs_;
    for (std::int64_t due : due_) {
        if (due != Never && (next == Never || due < next))
            next = due;
    }
    return next;
}

void CallModel::advanceTo(std::int64_t nowUs)
{
    for (std::int64_t next = nextEventUs(); next != Never && next <= nowUs; next = nextEventUs()) {
        now_ = std::max(now_, next);
        if (next == nextStepUs_) {
            nextStepUs_ += TrafficStepMs * UsPerMs;
            trafficStep();
            continue;
        }
        const int element = int(std::find(due_.begin(), due_.end(), next) - due_.begin());
        expire(element);
    }
    now_ = std::max(now_, nowUs);
}

QByteArray CallModel::frame() const
{
    QByteArray frame(reinterpret_cast<const char*>(code_.data()), Elements);
    frame[plan_.consoleSlot - 1] = char(ext::Own | (engaged() ? ext::OwnEngaged : 0));
    return frame;
}

bool CallModel::ringLine(int k, std::int64_t nowUs)
{
    advanceTo(nowUs);
    if (k < 1 || k > wire::OutsideLines || code_[LineBase + k] != line::Free)
        return false;
    set(LineBase + k, line::Calling);
    return true;
}

bool CallModel::callConsoleFrom(int slot, std::int64_t nowUs)
{
    advanceTo(nowUs);
    if (slot < 1 || slot > ExchangePlan::Slots || slot == plan_.consoleSlot || code_[slot - 1] != ext::Free)
        return false;
    set(slot - 1, ext::Calling);
    return true;
}

void CallModel::command(unsigned char byte, std::int64_t nowUs)
{
    advanceTo(nowUs);
    if (byte >= wire::SelectExtension(1) && byte <= wire::SelectExtension(wire::ExtensionSlots))
        clickExtension(byte);
    else if (byte >= wire::SelectLine(1) && byte <= wire::SelectLine(wire::OutsideLines))
        clickLine(byte - wire::SelectLine(0));
    else if (byte == wire::Cut)
        cut();
    else if (byte == wire::Hold)
        hold();
    else if (byte == wire::Retrieve)
        retrieve();
    else if (byte >= FirstMemoryByte && byte <= LastMemoryByte)
        dial(byte - wire::DialMemory(0));
}

void CallModel::clickExtension(int slot)
{
    const int element = slot - 1;
    if (slot == plan_.consoleSlot)
        return;
    switch (code_[element]) {
    case ext::Held: takeBackHeld(element); break;
    case ext::Free: connect(element, ext::Called); break;
    case ext::Calling: connect(element, ext::Talking); break;
    }
}

void CallModel::clickLine(int k)
{
    const int element = LineBase + k;
    switch (code_[element]) {
    case line::Held: takeBackHeld(element); break;
    case line::Free:
    case line::Parked:
    case line::Calling:
    case line::Returned: connect(element, line::Taken); break;
    }
}

void CallModel::dial(int memory)
{
    if (!plan_.memoryHasNumber(memory))
        return;
    for (int k = 1; k <= wire::OutsideLines; ++k) {
        if (code_[LineBase + k] == line::Free) {
            connect(LineBase + k, line::Taken);
            return;
        }
    }
}

// Makes `element` the active party with `code`, after making room for it.
void CallModel::connect(int element, unsigned char code)
{
    if (!makeRoom())
        return;
    active_ = element;
    set(element, code);
}

// Frees the active party's place: a ringing extension is let go, a party in
// conversation is held. False when the hold is already taken.
bool CallModel::makeRoom()
{
    if (active_ == None)
        return true;
    if (code_[active_] == ext::Called && !isLine(active_)) {
        release(active_);
        return true;
    }
    if (held_ != None)
        return false;
    holdActive();
    return true;
}

void CallModel::holdActive()
{
    held_ = active_;
    active_ = None;
    set(held_, heldCode(held_));
}

// The held party comes back; a party in conversation takes its place on hold.
void CallModel::takeBackHeld(int element)
{
    if (element != held_)
        return;
    if (active_ != None && code_[active_] == ext::Called && !isLine(active_))
        release(active_);
    const int previous = active_;
    active_ = held_;
    held_ = previous;
    set(active_, talkingCode(active_));
    if (held_ != None)
        set(held_, heldCode(held_));
}

void CallModel::release(int& party)
{
    set(party, isLine(party) ? line::Free : ext::Free);
    party = None;
}

void CallModel::cut()
{
    const bool activeExtension = active_ != None && !isLine(active_);
    const bool calling = activeExtension && code_[active_] == ext::Called;
    const bool talkingWithLineHeld
        = activeExtension && code_[active_] == ext::Talking && held_ != None && isLine(held_);
    if (held_ != None && (calling || talkingWithLineHeld)) {
        set(active_, ext::Busy);
        set(held_, isLine(held_) ? line::Busy : ext::Busy);
        transferred_[held_] = isLine(held_);
        active_ = held_ = None;
        return;
    }
    if (active_ != None)
        release(active_);
    else if (held_ != None)
        release(held_);
}

void CallModel::hold()
{
    if (active_ == None || code_[active_] != talkingCode(active_))
        return;
    if (held_ == None) {
        holdActive();
        return;
    }
    if (isLine(active_)) {
        set(active_, line::Parked);
        active_ = None;
    }
}

void CallModel::retrieve()
{
    if (active_ != None && !isLine(active_) && code_[active_] == ext::Called)
        release(active_);
    if (active_ == None && held_ != None)
        takeBackHeld(held_);
}
