#include "console/panel.h"

#include "console/panel_view.h"
#include "wire/status_codes.h"

namespace
{

constexpr const char* DesignNumberCaptions[wire::ExtensionSlots] = {"11", "12", "13", "14", "15", "16", "17", "18",
    "19", "21", "22", "23", "24", "25", "26", "27", "10", "20", "Virtual"};

DrawMode toggled(DrawMode mode)
{
    return mode == DrawMode::Copy ? DrawMode::White : DrawMode::Copy;
}

bool wouldBlink(const Indicator& indicator, Blink rule)
{
    return rule == Blink::Toggle || (rule == Blink::Steady && indicator.drawMode == DrawMode::White);
}

// Applies a blink rule to an indicator; true when its draw mode changed.
bool blink(Indicator& indicator, Blink rule)
{
    if (!wouldBlink(indicator, rule))
        return false;
    indicator.drawMode = rule == Blink::Toggle ? toggled(indicator.drawMode) : DrawMode::Copy;
    return true;
}

// Puts a state's colour and text on an indicator and its label; true when
// anything changed. Nothing to show leaves both as they are.
bool show(Indicator& indicator, PanelLabel& label, const std::optional<StateDisplay>& shown)
{
    if (!shown || (indicator.colour == shown->colour && label.tooltip == shown->text))
        return false;
    indicator.colour = shown->colour;
    label.tooltip = shown->text;
    return true;
}

namespace ext = wire::extension;
namespace line = wire::line;

Blink slowExtension(std::uint8_t code)
{
    switch (code) {
    case ext::Free:
    case ext::Busy:
    case ext::Talking:
    case ext::Calling:
    case ext::Disabled: return Blink::Steady;
    case ext::Called: return Blink::Toggle;
    default: return Blink::Leave;
    }
}

Blink slowLine(std::uint8_t code)
{
    switch (code) {
    case line::Free:
    case line::Busy:
    case line::Taken: return Blink::Steady;
    case line::BusyBlinking:
    case line::Calling:
    case line::Returned: return Blink::Toggle;
    default: return Blink::Leave;
    }
}

Blink fastExtension(std::uint8_t code)
{
    return code == ext::Held ? Blink::Toggle : Blink::Leave;
}
Blink fastLine(std::uint8_t code)
{
    return code == line::Held || code == line::Parked ? Blink::Toggle : Blink::Leave;
}

} // namespace

Panel::Panel(PanelView& view)
    : view_(view)
{
    for (int i = 0; i < wire::ExtensionSlots; ++i)
        numberLabels_[i].caption = QString::fromLatin1(DesignNumberCaptions[i]);
    for (int k = 0; k < wire::OutsideLines; ++k) {
        lines_[k].colour = design::LineColours[k];
        lineLabels_[k].caption = QStringLiteral("L%1").arg(k + 1);
    }
    cut_.caption = QStringLiteral("CORTA");
    caption_ = QStringLiteral("Quindora R903");
}

void Panel::layOut(const Palette& palette)
{
    for (int k = 0; k < wire::OutsideLines; ++k) {
        lines_[k].colour = palette.freeColour;
        view_.lineChanged(k);
    }
}

void Panel::showFrame(const FrameDisplay& display)
{
    for (int i = 0; i < wire::ExtensionSlots; ++i) {
        if (show(extensions_[i], numberLabels_[i], display.extensions[i]))
            view_.extensionChanged(i);
    }
    for (int k = 0; k < wire::OutsideLines; ++k) {
        if (show(lines_[k], lineLabels_[k], display.lines[k]))
            view_.lineChanged(k);
    }
    if (frameShown_)
        frameShown_();
}

void Panel::setNumberCaption(int index, const QString& caption)
{
    if (numberLabels_[index].caption == caption)
        return;
    numberLabels_[index].caption = caption;
    view_.extensionChanged(index);
}

void Panel::setCommandButtons(const CommandAvailability& availability)
{
    const auto apply = [](CommandButton& button, const CommandAvailability::Button& offered) {
        const CommandButton before = button;
        button.visible = offered.visible;
        if (offered.caption)
            button.caption = *offered.caption;
        return before.visible != button.visible || before.caption != button.caption;
    };
    const bool cutChanged = apply(cut_, availability.cut);
    const bool retrieveChanged = apply(retrieve_, availability.retrieve);
    if (cutChanged || retrieveChanged)
        view_.commandButtonsChanged();
}

void Panel::setCaption(const QString& caption)
{
    caption_ = caption;
    view_.windowChanged();
}

void Panel::setDirectoryEnabled(bool enabled)
{
    directoryEnabled_ = enabled;
    view_.windowChanged();
}

void Panel::slowBlink(const wire::StatusFrame& codes)
{
    blinkAll(codes, slowExtension, slowLine);
}

void Panel::fastBlink(const wire::StatusFrame& codes)
{
    blinkAll(codes, fastExtension, fastLine);
}

bool Panel::slowBlinkPending(const wire::StatusFrame& codes) const
{
    return blinkPending(codes, slowExtension, slowLine);
}

bool Panel::fastBlinkPending(const wire::StatusFrame& codes) const
{
    return blinkPending(codes, fastExtension, fastLine);
}

bool Panel::blinkPending(const wire::StatusFrame& codes, BlinkRule extensionRule, BlinkRule lineRule) const
{
    for (int i = 0; i < wire::ExtensionSlots; ++i) {
        if (wouldBlink(extensions_[i], extensionRule(codes[i])))
            return true;
    }
    for (int k = 0; k < wire::OutsideLines; ++k) {
        if (wouldBlink(lines_[k], lineRule(codes[wire::linePosition(k + 1)])))
            return true;
    }
    return false;
}

void Panel::blinkAll(const wire::StatusFrame& codes, BlinkRule extensionRule, BlinkRule lineRule)
{
    for (int i = 0; i < wire::ExtensionSlots; ++i) {
        if (blink(extensions_[i], extensionRule(codes[i])))
            view_.extensionChanged(i);
    }
    for (int k = 0; k < wire::OutsideLines; ++k) {
        if (blink(lines_[k], lineRule(codes[wire::linePosition(k + 1)])))
            view_.lineChanged(k);
    }
}
