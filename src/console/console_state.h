#pragma once

#include "console/palette.h"
#include "link/protocol.h"

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
    std::array<std::optional<StateDisplay>, protocol::ExtensionSlots> extensions;
    std::array<std::optional<StateDisplay>, protocol::OutsideLines> lines;
};

// Which command buttons are offered; a caption of nothing keeps the old one.
struct CommandAvailability {
    struct Button {
        bool visible = false;
        std::optional<QString> caption;
        bool operator==(const Button&) const = default;
    };
    Button corta;
    Button recupera;
    bool operator==(const CommandAvailability&) const = default;
};

// The exchange as last reported: the status frame, the console's own
// extension, the flags derived from the frame and the extension numbers.
class ConsoleState
{
public:
    static constexpr int EstadosSize = 26;

    explicit ConsoleState(Palette palette = paletteFromLineColours(design::LineColours));

    // Stores a 25-byte frame in Estados, recomputes the derived values and
    // returns what each slot and line should show.
    FrameDisplay applyFrame(const std::array<std::uint8_t, protocol::StatusFrameLength>& frame);
    CommandAvailability commandAvailability() const;

    // Status code of slot 1-19 or of Estados index 0-25.
    std::uint8_t estado(int index) const { return estados_[index]; }
    const std::array<std::uint8_t, EstadosSize>& estados() const { return estados_; }

    int internoConsola() const { return internoConsola_; }
    int estadoInterno() const { return estadoInterno_; }
    int estadoLinea() const { return estadoLinea_; }
    int internoRetenido() const { return internoRetenido_; }
    int llamadaPendiente() const { return llamadaPendiente_; }

    const Palette& palette() const { return palette_; }
    void setPalette(const Palette& palette) { palette_ = palette; }

    // Extension number text of slot 1-19 ("---" when unnumbered).
    const QString& numeroInterno(int slot) const { return numeroInterno_[slot]; }
    void setNumeroInterno(int slot, const QString& number) { numeroInterno_[slot] = number; }

    int byteRecibido() const { return byteRecibido_; }
    void setByteRecibido(int byte) { byteRecibido_ = byte; }

private:
    std::optional<StateDisplay> applyExtension(int slot, std::uint8_t code);
    std::optional<StateDisplay> applyLine(std::uint8_t code);

    std::array<std::uint8_t, EstadosSize> estados_{};
    int internoConsola_ = 0;
    int estadoInterno_ = 0;
    int estadoLinea_ = 0;
    int internoRetenido_ = 0;
    int llamadaPendiente_ = 0;
    int byteRecibido_ = 0;
    std::array<QString, protocol::ExtensionSlots + 1> numeroInterno_;
    Palette palette_;
};
