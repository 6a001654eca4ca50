#include "console/panel.h"

#include "platform/panel_view.h"

namespace
{

constexpr const char* DesignNumberCaptions[protocol::ExtensionSlots] = {"11", "12", "13", "14", "15", "16", "17", "18",
    "19", "21", "22", "23", "24", "25", "26", "27", "10", "20", "Virtual"};

DrawMode toggled(DrawMode mode)
{
    return mode == DrawMode::Copy ? DrawMode::White : DrawMode::Copy;
}

// Applies a blink rule to an indicator; true when its draw mode changed.
bool blink(Indicator& indicator, Blink rule)
{
    const DrawMode before = indicator.drawMode;
    if (rule == Blink::Steady)
        indicator.drawMode = DrawMode::Copy;
    else if (rule == Blink::Toggle)
        indicator.drawMode = toggled(before);
    return indicator.drawMode != before;
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

Blink slowExtension(std::uint8_t code)
{
    switch (code) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 6: return Blink::Steady;
    case 3: return Blink::Toggle;
    default: return Blink::Leave;
    }
}

Blink slowLine(std::uint8_t code)
{
    switch (code) {
    case 0:
    case 1:
    case 2: return Blink::Steady;
    case 3:
    case 6:
    case 7: return Blink::Toggle;
    default: return Blink::Leave;
    }
}

Blink fastExtension(std::uint8_t code)
{
    return code == 5 ? Blink::Toggle : Blink::Leave;
}
Blink fastLine(std::uint8_t code)
{
    return code == 4 || code == 5 ? Blink::Toggle : Blink::Leave;
}

} // namespace

Panel::Panel(PanelView& view)
    : view_(view)
{
    for (int i = 0; i < protocol::ExtensionSlots; ++i)
        numberLabels_[i].caption = QString::fromLatin1(DesignNumberCaptions[i]);
    for (int k = 0; k < protocol::OutsideLines; ++k) {
        lines_[k].colour = design::LineColours[k];
        lineLabels_[k].caption = QStringLiteral("L%1").arg(k + 1);
    }
    corta_.caption = QStringLiteral("CORTA");
    caption_ = QStringLiteral("Quindora R903");
}

void Panel::layOut(const Palette& palette)
{
    for (int k = 0; k < protocol::OutsideLines; ++k) {
        lines_[k].colour = palette.libre;
        view_.lineChanged(k);
    }
}

void Panel::showFrame(const FrameDisplay& display)
{
    for (int i = 0; i < protocol::ExtensionSlots; ++i) {
        if (show(extensions_[i], numberLabels_[i], display.extensions[i]))
            view_.extensionChanged(i);
    }
    for (int k = 0; k < protocol::OutsideLines; ++k) {
        if (show(lines_[k], lineLabels_[k], display.lines[k]))
            view_.lineChanged(k);
    }
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
    const bool cortaChanged = apply(corta_, availability.corta);
    const bool recuperaChanged = apply(recupera_, availability.recupera);
    if (cortaChanged || recuperaChanged)
        view_.commandButtonsChanged();
}

void Panel::setCaption(const QString& caption)
{
    caption_ = caption;
    view_.windowChanged();
}

void Panel::setAgendaEnabled(bool enabled)
{
    agendaEnabled_ = enabled;
    view_.windowChanged();
}

void Panel::slowBlink(const std::array<std::uint8_t, ConsoleState::EstadosSize>& estados)
{
    blinkAll(estados, slowExtension, slowLine);
}

void Panel::fastBlink(const std::array<std::uint8_t, ConsoleState::EstadosSize>& estados)
{
    blinkAll(estados, fastExtension, fastLine);
}

void Panel::blinkAll(
    const std::array<std::uint8_t, ConsoleState::EstadosSize>& estados, BlinkRule extensionRule, BlinkRule lineRule)
{
    for (int i = 0; i < protocol::ExtensionSlots; ++i) {
        if (blink(extensions_[i], extensionRule(estados[i])))
            view_.extensionChanged(i);
    }
    for (int k = 0; k < protocol::OutsideLines; ++k) {
        if (blink(lines_[k], lineRule(estados[protocol::ExtensionSlots + k])))
            view_.lineChanged(k);
    }
}
