#include "console/console_state.h"

#include <algorithm>

namespace
{

// Which palette colour a state code shows.
enum class Tone { Libre, Ocupado, Consola, Resaltado, Deshabilitado };

struct StateRow {
    Tone tone;
    const char* text; // UTF-8
};

// Extension codes 0-6; "Consola" (bit 7) is handled apart.
constexpr StateRow ExtensionRows[] = {
    {Tone::Libre, "Interno libre"},
    {Tone::Ocupado, "Interno ocupado"},
    {Tone::Consola, "Interno comunicado con consola"},
    {Tone::Consola, "Interno llamado por consola"},
    {Tone::Consola, "Interno llamando a consola"},
    {Tone::Consola, "Interno retenido por consola"},
    {Tone::Deshabilitado, "Interno deshabilitado"},
};

// Line codes 0-7.
constexpr StateRow LineRows[] = {
    {Tone::Libre, "Línea libre"},
    {Tone::Ocupado, "Línea ocupada"},
    {Tone::Consola, "Línea tomada por consola"},
    {Tone::Ocupado, "Línea ocupada"},
    {Tone::Consola, "Línea retenida por consola"},
    {Tone::Resaltado, "Línea estacionada por consola"},
    {Tone::Libre, "Línea llamando a consola"},
    {Tone::Consola, "Línea transferida/devuelta a consola"},
};

Colour colourOf(const Palette& p, Tone tone)
{
    switch (tone) {
    case Tone::Libre: return p.libre;
    case Tone::Ocupado: return p.ocupado;
    case Tone::Consola: return p.consola;
    case Tone::Resaltado: return p.resaltado;
    case Tone::Deshabilitado: return p.deshabilitado;
    }
    return p.libre;
}

// The state texts as QStrings, converted once.
template <std::size_t N> std::array<QString, N> textsOf(const StateRow (&rows)[N])
{
    std::array<QString, N> texts;
    for (std::size_t i = 0; i < N; ++i)
        texts[i] = QString::fromUtf8(rows[i].text);
    return texts;
}

const QString& extensionText(int code)
{
    static const auto texts = textsOf(ExtensionRows);
    return texts[code];
}

const QString& lineText(int code)
{
    static const auto texts = textsOf(LineRows);
    return texts[code];
}

constexpr std::uint8_t OwnExtensionBit = 0x80;
constexpr std::uint8_t EngagedBit = 0x40;

} // namespace

ConsoleState::ConsoleState(Palette palette)
    : palette_(palette)
{
}

FrameDisplay ConsoleState::applyFrame(const std::array<std::uint8_t, protocol::StatusFrameLength>& frame)
{
    std::copy(frame.begin(), frame.end(), estados_.begin());
    estadoInterno_ = 0;
    estadoLinea_ = 0;
    internoRetenido_ = 0;
    llamadaPendiente_ = 0;

    FrameDisplay display;
    for (int slot = 1; slot <= protocol::ExtensionSlots; ++slot)
        display.extensions[slot - 1] = applyExtension(slot, estados_[slot - 1]);
    for (int line = 1; line <= protocol::OutsideLines; ++line)
        display.lines[line - 1] = applyLine(estados_[protocol::ExtensionSlots - 1 + line]);
    return display;
}

std::optional<StateDisplay> ConsoleState::applyExtension(int slot, std::uint8_t code)
{
    if (code & OwnExtensionBit) {
        internoConsola_ = slot;
        static const QString consola = QStringLiteral("Consola");
        return StateDisplay{palette_.resaltado, consola};
    }
    if (code >= std::size(ExtensionRows))
        return std::nullopt;
    switch (code) {
    case 2:
    case 3: estadoInterno_ = code; break;
    case 4: llamadaPendiente_ = 1; break;
    case 5: internoRetenido_ = 5; break;
    default: break;
    }
    return StateDisplay{colourOf(palette_, ExtensionRows[code].tone), extensionText(code)};
}

std::optional<StateDisplay> ConsoleState::applyLine(std::uint8_t code)
{
    if (code >= std::size(LineRows))
        return std::nullopt;
    switch (code) {
    case 2:
    case 4: estadoLinea_ = code; break;
    case 6:
    case 7: llamadaPendiente_ = 1; break;
    default: break;
    }
    return StateDisplay{colourOf(palette_, LineRows[code].tone), lineText(code)};
}

CommandAvailability ConsoleState::commandAvailability() const
{
    using Button = CommandAvailability::Button;
    const auto shown = [](const char* caption) { return Button{true, QString::fromLatin1(caption)}; };
    const Button hidden{};

    const int c = internoConsola_;
    if (c == 0 || !(estados_[c - 1] & EngagedBit))
        return {hidden, hidden};
    if (estadoLinea_ == 4 && estadoInterno_ == 2)
        return {shown("TRANSFIERE"), hidden};
    if (estadoLinea_ == 2 || estadoInterno_ == 2)
        return {shown("CORTA"), shown("RETIENE")};
    if (estadoInterno_ == 3 && (estadoLinea_ == 4 || internoRetenido_ == 5))
        return {shown("TRANSFIERE"), shown("RECUPERA")};
    if (internoRetenido_ == 5 || estadoLinea_ == 4)
        return {shown("CORTA"), shown("RECUPERA")};
    return {shown("CORTA"), hidden};
}
