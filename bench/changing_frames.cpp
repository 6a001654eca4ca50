#include "changing_frames.h"

#include "wire/frame_layout.h"

namespace
{

constexpr int OwnSlot = wire::ExtensionSlots - 1;
constexpr unsigned char OwnExtension = 0x80;
constexpr int ExtensionCodes = 7; // free .. disabled
constexpr int LineCodes = 8; // free .. returned
constexpr int ChangesPerFrame = 3;

} // namespace

ChangingFrames::ChangingFrames(std::uint64_t seed)
    : random_(seed)
    , frame_(wire::StatusFrameLength, '\0')
{
    frame_[OwnSlot] = char(OwnExtension);
}

QByteArray ChangingFrames::next()
{
    std::uniform_int_distribution<int> position(0, wire::StatusFrameLength - 2);
    for (int n = 0; n < ChangesPerFrame; ++n) {
        int at = position(random_);
        if (at >= OwnSlot)
            ++at; // skip the console's own extension
        const bool isLine = at >= wire::ExtensionSlots;
        const int codes = isLine ? LineCodes : ExtensionCodes;
        const int current = static_cast<unsigned char>(frame_[at]);
        // Any other code, so that the indicator changes.
        const int offset = std::uniform_int_distribution<int>(1, codes - 1)(random_);
        frame_[at] = char((current + offset) % codes);
    }
    return frame_;
}
