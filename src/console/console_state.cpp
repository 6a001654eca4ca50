#include "console/console_state.h"

#include "wire/status_codes.h"

#include <algorithm>

namespace
{

// Which palette colour a state code shows.
enum class Tone { Free, Busy, Console, Highlight, Disabled };

struct StateRow {
    Tone tone;
    const char* text; // UTF-8
};

// Extension codes 0-6 (free to disabled); the console's own slot is handled apart.
constexpr StateRow ExtensionRows[] = {
    {Tone::Free, "Interno libre"},
    {Tone::Busy, "Interno ocupado"},
    {Tone::Console, "Interno comunicado con consola"},
    {Tone::Console, "Interno llamado por consola"},
    {Tone::Console, "Interno llamando a consola"},
    {Tone::Console, "Interno retenido por consola"},
    {Tone::Disabled, "Interno deshabilitado"},
};

// Line codes 0-7 (free to returned).
constexpr StateRow LineRows[] = {
    {Tone::Free, "Línea libre"},
    {Tone::Busy, "Línea ocupada"},
    {Tone::Console, "Línea tomada por consola"},
    {Tone::Busy, "Línea ocupada"},
    {Tone::Console, "Línea retenida por consola"},
    {Tone::Highlight, "Línea estacionada por consola"},
    {Tone::Free, "Línea llamando a consola"},
    {Tone::Console, "Línea transferida/devuelta a consola"},
};

Colour colourOf(const Palette& p, Tone tone)
{
    switch (tone) {
    case Tone::Free: return p.freeColour;
    case Tone::Busy: return p.busyColour;
    case Tone::Console: return p.consoleColour;
    case Tone::Highlight: return p.highlightColour;
    case Tone::Disabled: return p.disabledColour;
    }
    return p.freeColour;
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

namespace ext = wire::extension;
namespace line = wire::line;

} // namespace

ConsoleState::ConsoleState(Palette palette)
    : palette_(palette)
{
}

FrameDisplay ConsoleState::applyFrame(const wire::StatusFrame& frame)
{
    codes_ = frame;
    extensionCode_ = 0;
    lineCode_ = 0;
    extensionHeld_ = false;
    callWaiting_ = false;

    FrameDisplay display;
    for (int slot = 1; slot <= wire::ExtensionSlots; ++slot)
        display.extensions[slot - 1] = applyExtension(slot, codes_[wire::slotPosition(slot)]);
    for (int l = 1; l <= wire::OutsideLines; ++l)
        display.lines[l - 1] = applyLine(codes_[wire::linePosition(l)]);
    return display;
}

std::optional<StateDisplay> ConsoleState::applyExtension(int slot, std::uint8_t code)
{
    if (code & ext::Own) {
        consoleSlot_ = slot;
        static const QString consola = QStringLiteral("Consola");
        return StateDisplay{palette_.highlightColour, consola};
    }
    if (code >= std::size(ExtensionRows))
        return std::nullopt;
    switch (code) {
    case ext::Talking:
    case ext::Called: extensionCode_ = code; break;
    case ext::Calling: callWaiting_ = true; break;
    case ext::Held: extensionHeld_ = true; break;
    default: break;
    }
    return StateDisplay{colourOf(palette_, ExtensionRows[code].tone), extensionText(code)};
}

std::optional<StateDisplay> ConsoleState::applyLine(std::uint8_t code)
{
    if (code >= std::size(LineRows))
        return std::nullopt;
    switch (code) {
    case line::Taken:
    case line::Held: lineCode_ = code; break;
    case line::Calling:
    case line::Returned: callWaiting_ = true; break;
    default: break;
    }
    return StateDisplay{colourOf(palette_, LineRows[code].tone), lineText(code)};
}

CommandAvailability ConsoleState::commandAvailability() const
{
    using Button = CommandAvailability::Button;
    const auto shown = [](const char* caption) { return Button{true, QString::fromLatin1(caption)}; };
    const Button hidden{};

    const int c = consoleSlot_;
    if (c == 0 || !(codes_[wire::slotPosition(c)] & ext::OwnEngaged))
        return {hidden, hidden};
    const bool lineHeld = lineCode_ == line::Held;
    if (lineHeld && extensionCode_ == ext::Talking)
        return {shown("TRANSFIERE"), hidden};
    if (lineCode_ == line::Taken || extensionCode_ == ext::Talking)
        return {shown("CORTA"), shown("RETIENE")};
    if (extensionCode_ == ext::Called && (lineHeld || extensionHeld_))
        return {shown("TRANSFIERE"), shown("RECUPERA")};
    if (extensionHeld_ || lineHeld)
        return {shown("CORTA"), shown("RECUPERA")};
    return {shown("CORTA"), hidden};
}
