#pragma once

#include "app/form1.h"
#include "console/blink_timers.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "directory/configuration.h"
#include "link/cola_salida.h"
#include "operator/name_boxes.h"
#include "operator/operator_commands.h"
#include "virtual_clock.h"

#include <vector>

// The console window wired to its logic as start-up wires it, with the blink
// timers on a virtual clock; frames go the way the dispatcher sends them.
struct WiredWindow {
    ColaSalida cola;
    ConsoleState state;
    Configuration configuration;
    Form1 form;
    Panel panel{form};
    NameBoxes names{form, configuration};
    OperatorCommands commands{cola, state, panel, names, form};
    VirtualClock clock;
    std::unique_ptr<VirtualTimer> timer1 = clock.createTimer();
    std::unique_ptr<VirtualTimer> timer2 = clock.createTimer();
    BlinkTimers blink{*timer1, *timer2, panel, state};

    WiredWindow()
    {
        form.bind(panel, commands, names);
        panel.layOut(state.palette());
        blink.start();
    }

    // A status frame with the given (Estados index, code) pairs, all else 0.
    void frame(std::initializer_list<std::pair<int, int>> codes)
    {
        std::array<std::uint8_t, protocol::StatusFrameLength> f{};
        for (auto [index, code] : codes)
            f[index] = std::uint8_t(code);
        panel.showFrame(state.applyFrame(f));
        panel.setCommandButtons(state.commandAvailability());
    }

    std::vector<int> queued() const
    {
        std::vector<int> out;
        for (int i = 0; i < ColaSalida::Places && cola.at(i); ++i)
            out.push_back(cola.at(i));
        return out;
    }
};
