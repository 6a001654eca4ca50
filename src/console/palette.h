#pragma once

#include <cstdint>

// A colour as 0x00BBGGRR: blue in the high byte, red in the low byte.
using Colour = std::uint32_t;

constexpr int redOf(Colour c)
{
    return int(c & 0xFF);
}
constexpr int greenOf(Colour c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(Colour c)
{
    return int((c >> 16) & 0xFF);
}

// The five state colours. Start-up takes them from the design colours of the
// first five line indicators.
struct Palette {
    Colour freeColour = 0;
    Colour busyColour = 0;
    Colour consoleColour = 0;
    Colour highlightColour = 0;
    Colour disabledColour = 0;
};

// Design colours of the six line indicators; the first five are the palette.
namespace design
{
inline constexpr Colour LineColours[6] = {0x0080FF80, 0x000000FF, 0x00FF8080, 0x00FF80FF, 0x00C0C0C0, 0x0000FF00};
inline constexpr Colour ExtensionColour = 0x0080FF80;
inline constexpr Colour LabelBackground = 0x00C0FFFF;
inline constexpr Colour NameBoxBackground = 0x00FFC0FF;
} // namespace design

constexpr Palette paletteFromLineColours(const Colour (&lines)[6])
{
    return Palette{lines[0], lines[1], lines[2], lines[3], lines[4]};
}
