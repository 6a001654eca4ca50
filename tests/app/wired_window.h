#pragma once

#include "app/console_keys.h"
#include "app/console_window.h"
#include "app/speed_dial_page.h"
#include "configuration/configuration.h"
#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "directory/speed_dial_directory.h"
#include "fake_clock.h"
#include "fake_journal_store.h"
#include "fake_messages.h"
#include "link/command_queue.h"
#include "operator/keyboard_commands.h"
#include "operator/name_boxes.h"
#include "operator/operator_commands.h"
#include "virtual_clock.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

// The console window wired to its logic as start-up wires it (but for the
// blinking, which the desktop tier watches), its keys and directory frame
// included, with the digit timer on a virtual clock; frames go the way the
// dispatcher sends them.
struct WiredWindow {
    CommandQueue queue;
    ConsoleState state;
    Configuration configuration;
    ConsoleWindow form;
    Panel panel{form};
    NameBoxes names{form, configuration};
    OperatorCommands commands{queue, state, panel, names, form};
    VirtualClock clock;
    FakeMessages messages;
    FakeClock wall;
    FakeJournalStore store;
    CallJournal journal{{store, wall, messages, state, configuration}};
    wire::SpeedDialBlock speedDials{};
    SpeedDialPage* directoryFrame = new SpeedDialPage; // the window owns it once hosted
    SpeedDialDirectory directory{*directoryFrame, configuration, speedDials, queue};
    std::unique_ptr<VirtualTimer> digitTimer = clock.createTimer();
    KeyboardCommands keyboard{{commands, state, journal, panel, directory}, messages, form, *digitTimer};
    ConsoleKeys keys{form, keyboard};

    WiredWindow()
    {
        wall.follows = &clock;
        form.hostFrame(directoryFrame, QPoint(0, 0));
        directoryFrame->bind(directory);
        form.bind(panel, commands, names);
        journal.onChanged([this] { form.showWaitingCalls(journal.waiting()); });
        panel.layOut(state.palette());
    }

    // A status frame with the given (frame position, code) pairs, all else 0.
    void frame(const std::vector<std::pair<int, int>>& codes)
    {
        wire::StatusFrame f{};
        for (auto [index, code] : codes)
            f[index] = std::uint8_t(code);
        panel.showFrame(state.applyFrame(f));
        journal.frameApplied();
        panel.setCommandButtons(state.commandAvailability());
    }

    std::vector<int> queued() const
    {
        std::vector<int> out;
        for (int i = 0; i < CommandQueue::Places && queue.at(i); ++i)
            out.push_back(queue.at(i));
        return out;
    }
};

// The window shown and active, so that focus and keys move as for the operator.
struct ShownWindowTest : testing::Test {
    WiredWindow w;

    void SetUp() override
    {
        w.form.show();
        w.form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
    }

    static QWidget* focus() { return QApplication::focusWidget(); }
};
