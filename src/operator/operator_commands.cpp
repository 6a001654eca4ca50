#include "operator/operator_commands.h"

#include "configuration/configuration.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "link/command_queue.h"
#include "operator/name_boxes.h"
#include "operator/operator_view.h"
#include "wire/commands.h"
#include "wire/status_codes.h"

OperatorCommands::OperatorCommands(
    CommandQueue& queue, const ConsoleState& state, const Panel& panel, NameBoxes& nameBoxes, OperatorView& view)
    : queue_(queue)
    , state_(state)
    , panel_(panel)
    , nameBoxes_(nameBoxes)
    , view_(view)
{
}

bool OperatorCommands::extensionClick(int index)
{
    view_.focusExitButton();
    if (pressedButton_ == MouseButton::Left)
        return callExtension(index);
    if (pressedButton_ == MouseButton::Right && index < NameBoxCount)
        nameBoxes_.open(index);
    return false;
}

bool OperatorCommands::lineClick(int index)
{
    return pressedButton_ == MouseButton::Left && queue_.queue(wire::SelectLine(index + 1));
}

bool OperatorCommands::cutPressed()
{
    return queue_.queue(wire::Cut);
}

bool OperatorCommands::retrievePressed(const QString& caption)
{
    return queue_.queue(caption == QLatin1String("RECUPERA") ? wire::Retrieve : wire::Hold);
}

bool OperatorCommands::extensionAccepted(int index) const
{
    // The fill colour stays the same in the white blink phase, so the phase does not matter.
    return panel_.extension(index).colour == state_.palette().freeColour || state_.code(index) == wire::extension::Held;
}

bool OperatorCommands::queueExtension(int index)
{
    return queue_.queue(wire::SelectExtension(index + 1));
}
