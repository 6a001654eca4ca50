#pragma once

#include "console/palette.h"
#include "wire/frame_layout.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// What one slot or line should show: its colour and its state text.
struct StateDisplay {
    Colour colour;
    QString text;
    bool operator==(const StateDisplay&) const = default;
};

// The display of every slot and line after a frame; nothing = leave it as it is.
struct FrameDisplay {
    std::array<std::optional<StateDisplay>, wire::ExtensionSlots> extensions;
    std::array<std::optional<StateDisplay>, wire::OutsideLines> lines;
};

// Which command buttons are offered; a caption of nothing keeps the old one.
struct CommandAvailability {
    struct Button {
        bool visible = false;
        std::optional<QString> caption;
        bool operator==(const Button&) const = default;
    };
    Button cut;
    Button retrieve;
    bool operator==(const CommandAvailability&) const = default;
};

// The exchange as last reported: the status frame, the console's own
// extension, the flags derived from the frame and the extension numbers.
class ConsoleState
{
public:
    explicit ConsoleState(Palette palette = paletteFromLineColours(design::LineColours));

    // Stores a status frame, recomputes the derived values and returns what
    // each slot and line should show.
    FrameDisplay applyFrame(const wire::StatusFrame& frame);
    CommandAvailability commandAvailability() const;

    // Status code at frame position 0-24 (slots 0-18, lines 19-24).
    std::uint8_t code(int position) const { return codes_[position]; }
    const wire::StatusFrame& codes() const { return codes_; }

    // The console's own slot 1-19; 0 before a frame has named it.
    int consoleSlot() const { return consoleSlot_; }
    // The code of the last extension talking with (2) or called by (3) the console; 0 for none.
    int extensionCode() const { return extensionCode_; }
    // The code of the last line taken (2) or held (4) by the console; 0 for none.
    int lineCode() const { return lineCode_; }
    // Some extension is held by the console.
    bool extensionHeld() const { return extensionHeld_; }
    // Some line or extension is calling the console.
    bool callWaiting() const { return callWaiting_; }

    const Palette& palette() const { return palette_; }
    void setPalette(const Palette& palette) { palette_ = palette; }

    // Extension number text of slot 1-19 ("---" when unnumbered).
    const QString& extensionNumber(int slot) const { return extensionNumbers_[slot]; }
    void setExtensionNumber(int slot, const QString& number) { extensionNumbers_[slot] = number; }

    int lastByte() const { return lastByte_; }
    void setLastByte(int byte) { lastByte_ = byte; }

private:
    std::optional<StateDisplay> applyExtension(int slot, std::uint8_t code);
    std::optional<StateDisplay> applyLine(std::uint8_t code);

    wire::StatusFrame codes_{};
    int consoleSlot_ = 0;
    int extensionCode_ = 0;
    int lineCode_ = 0;
    bool extensionHeld_ = false;
    bool callWaiting_ = false;
    int lastByte_ = 0;
    std::array<QString, wire::ExtensionSlots + 1> extensionNumbers_;
    Palette palette_;
};
