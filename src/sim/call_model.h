#pragma once

#include "sim/exchange_plan.h"
#include "sim/seeded_random.h"

#include <QByteArray>

#include <array>
#include <cstdint>

// A small model of the exchange's calls, so that the console's commands have
// visible effects in the status frames.
//
// The console has one call it is working on (the active party: an extension
// it calls or talks to, or a line it has taken) and one place to hold a
// second party. Its own extension reports bit 6 while either is in use.
//
//   command              effect
//   extension s, free    call it (3); it answers (2) after AnswerMs
//   extension s, held    take it back (2); a party in conversation is held instead
//   extension s, calling answer it (2)
//   line k, free/6/7/5   take it (2)
//   line k, held         take it back, as for an extension
//   memory m             take the first free line (2) if memory m has a number
//   CORTA                transfer when the console talks to an extension and holds
//                        a line, or calls an extension and holds anything (both
//                        parties go busy); otherwise cut the active party, or
//                        the held one when there is no active party
//   RETIENE              hold the party in conversation (extension 5, line 4);
//                        a line when the hold is taken is parked (5)
//   RECUPERA             stop calling an extension, take the held party back
//
// Before a new call the active party is held (a ringing extension is let go);
// when the hold is taken, the new call is refused. Parties that need to be
// somewhere else first are left as they are: anything else is ignored.
//
// Outside the console: lines ring (6) and extensions call the console (4)
// until they give up; with traffic on, extensions and lines go busy and free
// at random, lines ring and extensions call now and then. Everything random
// comes from the seed. Time is given by the caller, in microseconds.
class CallModel
{
public:
    static constexpr int AnswerMs = 3000;
    static constexpr int ExtensionGivesUpMs = 20000;
    static constexpr int LineGivesUpMs = 30000;
    static constexpr int DiallingMs = 4000;
    static constexpr int TrafficStepMs = 1000;

    CallModel(const ExchangePlan& plan, std::uint64_t seed, bool traffic);

    // A command byte from a poll answer; unknown bytes change nothing.
    void command(unsigned char byte, std::int64_t nowUs);
    // Runs the timed changes up to `nowUs`.
    void advanceTo(std::int64_t nowUs);
    // The 25-byte status frame as of the last advance.
    QByteArray frame() const;

    // A free line starts calling the console; false if the line is not free.
    bool ringLine(int line, std::int64_t nowUs);
    // A free extension starts calling the console; false if it cannot.
    bool callConsoleFrom(int slot, std::int64_t nowUs);

    unsigned char extensionStatus(int slot) const { return code_[slot - 1]; }
    unsigned char lineStatus(int line) const { return code_[LineBase + line]; }
    bool engaged() const { return active_ != None || held_ != None; }

private:
    // Slots 1-19 are elements 0-18, lines 1-6 elements 19-24.
    static constexpr int Elements = 25;
    static constexpr int LineBase = 18;
    static constexpr int None = -1;
    static constexpr std::int64_t Never = -1;

    static bool isLine(int element) { return element > LineBase; }
    static unsigned char talkingCode(int element);
    static unsigned char heldCode(int element);

    void set(int element, unsigned char code);
    void expire(int element);
    void trafficStep();
    std::int64_t nextEventUs() const;

    void clickExtension(int slot);
    void clickLine(int line);
    void cut();
    void hold();
    void retrieve();
    void dial(int memory);
    void takeBackHeld(int element);
    void connect(int element, unsigned char code);
    bool makeRoom();
    void holdActive();
    void release(int& party);

    ExchangePlan plan_;
    SeededRandom random_;
    bool traffic_;
    std::int64_t now_ = 0;
    std::int64_t nextStepUs_;
    std::array<unsigned char, Elements> code_{};
    std::array<std::int64_t, Elements> due_{};
    std::array<bool, Elements> transferred_{};
    int active_ = None;
    int held_ = None;
};
