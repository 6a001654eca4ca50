#pragma once

#include "console/console_state.h"
#include "console/palette.h"
#include "wire/frame_layout.h"

#include <QString>

#include <array>
#include <functional>

class PanelView;

// Blink phase of an indicator: 13 draws it in its fill colour, 16 all white.
enum class DrawMode { Copy = 13, White = 16 };

// What a blink tick does to one indicator.
enum class Blink { Steady, Toggle, Leave };
using BlinkRule = Blink (*)(std::uint8_t code);

struct Indicator {
    Colour colour = design::ExtensionColour;
    DrawMode drawMode = DrawMode::Copy;
};

struct PanelLabel {
    QString caption;
    QString tooltip;
};

struct CommandButton {
    bool visible = false;
    QString caption;
};

// Everything the console window shows of the exchange: indicators, their
// labels, the two command buttons, the caption and whether AGENDA is usable.
// Each change is passed on to the view for the one element it touches.
class Panel
{
public:
    explicit Panel(PanelView& view);

    const Indicator& extension(int index) const { return extensions_[index]; }
    const Indicator& line(int index) const { return lines_[index]; }
    const PanelLabel& numberLabel(int index) const { return numberLabels_[index]; }
    const PanelLabel& lineLabel(int index) const { return lineLabels_[index]; }
    const CommandButton& cutButton() const { return cut_; }
    const CommandButton& retrieveButton() const { return retrieve_; }
    const QString& caption() const { return caption_; }
    bool directoryEnabled() const { return directoryEnabled_; }

    // Start-up: every line indicator in the free colour.
    void layOut(const Palette& palette);
    void showFrame(const FrameDisplay& display);
    void setNumberCaption(int index, const QString& caption);
    void setCommandButtons(const CommandAvailability& availability);
    void setCaption(const QString& caption);
    void setDirectoryEnabled(bool enabled);

    // Slow (500 ms) and fast (250 ms) blink ticks over the status codes.
    void slowBlink(const wire::StatusFrame& codes);
    void fastBlink(const wire::StatusFrame& codes);
    // Whether such a tick would change any indicator's phase.
    bool slowBlinkPending(const wire::StatusFrame& codes) const;
    bool fastBlinkPending(const wire::StatusFrame& codes) const;
    // Called after each frame is shown, when the codes may have changed.
    void onFrameShown(std::function<void()> handler) { frameShown_ = std::move(handler); }

private:
    void blinkAll(const wire::StatusFrame& codes, BlinkRule extensionRule, BlinkRule lineRule);
    bool blinkPending(const wire::StatusFrame& codes, BlinkRule extensionRule, BlinkRule lineRule) const;

    PanelView& view_;
    std::array<Indicator, wire::ExtensionSlots> extensions_;
    std::array<Indicator, wire::OutsideLines> lines_;
    std::array<PanelLabel, wire::ExtensionSlots> numberLabels_;
    std::array<PanelLabel, wire::OutsideLines> lineLabels_;
    CommandButton cut_;
    CommandButton retrieve_;
    QString caption_;
    bool directoryEnabled_ = false;
    std::function<void()> frameShown_;
};
