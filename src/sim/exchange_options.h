#pragma once

#include "sim/exchange_plan.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

// One step of a scripted conversation. Frames are played one per poll, in
// order; the last one played is repeated once the script has run out.
// Garbage and pauses act right after the frame before them (or at the start
// of polling when they come first).
struct ScriptStep {
    enum class Kind {
        Frame, // the 25 status bytes sent for the next poll
        Garbage, // one byte sent between that frame and the next poll
        Pause, // polling stops until the console sends 0xC0 again
    };
    Kind kind;
    QByteArray bytes;

    static ScriptStep frame(const QByteArray& status) { return {Kind::Frame, status}; }
    static ScriptStep garbage(unsigned char byte) { return {Kind::Garbage, QByteArray(1, char(byte))}; }
    static ScriptStep pause() { return {Kind::Pause, {}}; }
};

// Misbehaviour on demand, for testing the console.
struct Faults {
    enum class Stage { None, BeforeIdentity, InTable, InBlock, InPolling };
    // Fall silent for good (answer nothing more): from the start, after
    // `silentAfter` bytes of the numbering table or directory block, or
    // after `silentAfter` status frames.
    Stage silentFrom = Stage::None;
    int silentAfter = 0;

    // How a block is sent: a late start, a slower pace, fewer bytes.
    struct Block {
        int delayMs = 0;
        int byteUs = 0; // time per byte; 0: the line's pace
        int length = -1; // bytes sent; -1: the whole block
    };
    Block table;
    Block block;

    // One garbage byte between a frame and the next poll, every
    // `garbageEvery` frames (0: never).
    int garbageEvery = 0;
    unsigned char garbageByte = 0x55;

    // The identity reply in two parts: `identitySplitAt` bytes, then the
    // rest `identitySplitGapMs` later (0: in one piece).
    int identitySplitAt = 0;
    int identitySplitGapMs = 0;
    // The numbering table sent right behind the identity reply, without
    // waiting for its request (the request that follows is then ignored).
    bool identityWithTable = false;
};

struct ExchangeOptions {
    QByteArray model = "R903"; // characters 3-6 of the identity reply
    QByteArray serial = "0412"; // characters 7-10
    ExchangePlan plan = ExchangePlan::builtIn();
    int pollPeriodMs = 200; // poll to poll; 0: poll again as soon as a frame is out
    bool paced = true; // bytes leave at 9600 bit/s 8N1; false: all at once
    std::uint64_t seed = 1;
    bool traffic = true; // random busy/free, lines ringing, extensions calling
    std::vector<ScriptStep> script;
    Faults faults;
};
