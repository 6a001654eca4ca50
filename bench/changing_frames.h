#pragma once

#include <QByteArray>

#include <cstdint>
#include <random>

// An endless run of status frames, each changing a few extensions and lines
// of the one before to other valid codes; the console's own extension sits
// in the last slot.
class ChangingFrames
{
public:
    explicit ChangingFrames(std::uint64_t seed);
    QByteArray next();

private:
    std::mt19937_64 random_;
    QByteArray frame_;
};
