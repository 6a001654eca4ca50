#pragma once

#include "configuration/configuration.h"
#include "configuration/configuration_file.h"
#include "console/blink_timers.h"
#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "directory/directory_view.h"
#include "directory/speed_dial_directory.h"
#include "link/command_queue.h"
#include "link/configuration_save.h"
#include "link/exchange_link.h"
#include "link/port_choice_view.h"
#include "link/tray_balloon.h"
#include "link/window_control.h"
#include "operator/call_list.h"
#include "operator/keyboard_commands.h"
#include "operator/name_boxes.h"
#include "operator/operator_commands.h"
#include "platform/config_store.h"
#include "platform/serial_port.h"
#include "shell/console_parts.h"
#include "shell/shell.h"
#include "wire/speed_dial_block.h"

#include <array>
#include <functional>
#include <memory>

class OperatorView;
class PanelView;

// The operating-system services one run of the console stands on.
struct SessionServices {
    SerialPort& port;
    Messages& messages;
    ConfigStore& store;
    JournalStore& journal;
    const Clock& clock;
    DesktopTray& desktop;
    SoundOutput& sound;
    const ForegroundWindow& foreground;
    WindowServices& window;
    ShellEvents& events;
    std::function<std::unique_ptr<Timer>()> makeTimer;
};

// The window's parts that show what the logic decides.
struct SessionViews {
    PanelView& panel;
    OperatorView& operatorView;
    DirectoryView& directory;
    PortChoiceView& portChoice;
};

// The console window's logic for the whole run: it owns every piece of state
// (exchange state, panel, transmit queue, configuration, call journal,
// speed-dial block),
// its timers, and the parts that work on them (link, name boxes,
// commands and keys, call list, directory, configuration file, shell), and wires them together.
// Events come in through the parts it hands out; effects go out through the
// platform it was built on.
class ConsoleSession final : private ConsoleParts,
                             private WindowControl,
                             private TrayBalloon,
                             private ConfigurationSave,
                             private PortChoiceView
{
public:
    ConsoleSession(SessionServices services, SessionViews views);
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    // The window's load; Ended: the program ends at once.
    Shell::Loaded load() { return shell_.load(); }

    Shell& shell() { return shell_; }
    ExchangeLink& link() { return link_; }
    Panel& panel() { return panel_; }
    OperatorCommands& commands() { return commands_; }
    KeyboardCommands& keyboard() { return keyboard_; }
    CallList& callList() { return callList_; }
    NameBoxes& nameBoxes() { return nameBoxes_; }
    SpeedDialDirectory& directory() { return directory_; }
    const ConsoleState& state() const { return state_; }
    CallJournal& journal() { return journal_; }
    CommandQueue& queue() { return queue_; }
    Configuration& configuration() { return configuration_; }
    Timer& watchdogTimer() { return *watchdogTimer_; }
    Timer& probeTimer() { return *probeTimer_; }
    Timer& digitTimer() { return *digitTimer_; }

private:
    // ConsoleParts
    void setPalette(const Palette& palette) override { state_.setPalette(palette); }
    void layOutPanel() override { panel_.layOut(state_.palette()); }
    void loadConfiguration() override;
    bool portChoiceVisible() const override { return portChoiceShown_; }
    void endConnection() override { queue_.endConnection(); }
    void askToSaveChanges() override;
    void closeLink() override;
    // WindowControl
    bool inFront() const override;
    void unload() override { shell_.unload(); }
    // TrayBalloon
    void show(const QString& text, const QString& title, int iconStyle, int timeout) override
    {
        shell_.showBalloon(text, title, iconStyle, timeout);
    }
    void remove() override { shell_.removeBalloon(); }
    // ConfigurationSave
    void save() override { configurationFile_.save(); }
    // PortChoiceView: passed on, remembering whether the panel is shown.
    void show() override;
    void hide() override;
    void focusList() override { views_.portChoice.focusList(); }

    SessionServices services_;
    SessionViews views_;
    std::unique_ptr<Timer> slowBlinkTimer_;
    std::unique_ptr<Timer> fastBlinkTimer_;
    std::unique_ptr<Timer> watchdogTimer_;
    std::unique_ptr<Timer> alertTimer_;
    std::unique_ptr<Timer> probeTimer_;
    std::unique_ptr<Timer> digitTimer_; // the typed digits' timeout
    std::unique_ptr<Timer> journalRetryTimer_; // calls the journal could not write are tried again
    ConsoleState state_;
    Panel panel_;
    CommandQueue queue_;
    Configuration configuration_;
    CallJournal journal_;
    wire::SpeedDialBlock speedDials_{};
    NameBoxes nameBoxes_;
    OperatorCommands commands_;
    SpeedDialDirectory directory_;
    KeyboardCommands keyboard_;
    CallList callList_{journal_, keyboard_};
    ConfigurationFile configurationFile_;
    BlinkTimers blink_;
    Shell shell_;
    ExchangeLink link_;
    bool portChoiceShown_ = false;
};
