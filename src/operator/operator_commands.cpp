#include "operator/operator_commands.h"

#include "console/console_state.h"
#include "console/panel.h"
#include "directory/configuration.h"
#include "link/cola_salida.h"
#include "link/protocol.h"
#include "operator/name_boxes.h"
#include "operator/operator_view.h"

namespace
{
constexpr int HeldByConsole = 5; // extension code "Interno retenido por consola"
}

OperatorCommands::OperatorCommands(
    ColaSalida& cola, const ConsoleState& state, const Panel& panel, NameBoxes& nameBoxes, OperatorView& view)
    : cola_(cola)
    , state_(state)
    , panel_(panel)
    , nameBoxes_(nameBoxes)
    , view_(view)
{
}

bool OperatorCommands::extensionClick(int index)
{
    view_.focusSalir();
    if (botonPulsado_ == MouseButton::Left)
        return extensionAccepted(index) && cola_.queue(protocol::SeleccionInterno(index + 1));
    if (botonPulsado_ == MouseButton::Right && index < NameBoxCount)
        nameBoxes_.open(index);
    return false;
}

bool OperatorCommands::lineClick(int index)
{
    return botonPulsado_ == MouseButton::Left && cola_.queue(protocol::SeleccionLinea(index + 1));
}

bool OperatorCommands::cortaPressed()
{
    return cola_.queue(protocol::Corta);
}

bool OperatorCommands::recuperaPressed(const QString& caption)
{
    return cola_.queue(caption == QLatin1String("RECUPERA") ? protocol::Recupera : protocol::Retiene);
}

bool OperatorCommands::extensionAccepted(int index) const
{
    // The fill colour stays the same in the white blink phase, so the phase does not matter.
    return panel_.extension(index).colour == state_.palette().libre || state_.estado(index) == HeldByConsole;
}
