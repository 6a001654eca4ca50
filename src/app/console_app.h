#pragma once

#include "app/console_screen.h"
#include "app/console_window.h"
#include "platform/qt/file_config_store.h"
#include "platform/qt/file_journal_store.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_desktop_tray.h"
#include "platform/qt/qt_foreground_window.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_sound_output.h"
#include "platform/qt/qt_window_services.h"
#include "platform/qt/tracing_config_store.h"
#include "platform/qt/tracing_messages.h"
#include "platform/qt/tracing_serial_port.h"
#include "platform/qt/tracing_shell_events.h"
#include "shell/console_session.h"

#include <QIcon>
#include <QString>

#include <array>
#include <memory>
#include <optional>

class Trace;

// How one run is set up: the configuration folder (empty: the working
// folder), the folder of the call journal's day files (empty: "llamadas" in the
// configuration folder), a serial device that replaces the stored port's for
// this run, and the support trace.
struct ConsoleOptions {
    QString configFolder;
    QString journalFolder;
    std::optional<QString> device;
    Trace* trace = nullptr;
};

// The whole console on the desktop: the main window and the Qt services
// under it, put together as a console screen.
class ConsoleApp
{
public:
    explicit ConsoleApp(const ConsoleOptions& options);
    ~ConsoleApp();
    ConsoleApp(const ConsoleApp&) = delete;
    ConsoleApp& operator=(const ConsoleApp&) = delete;

    // The window's load, then the window is shown (unless the program is to end at once).
    Shell::Loaded start() { return screen_->start(); }

    ConsoleWindow& window() { return window_; }
    ConsoleScreen& screen() { return *screen_; }
    FileJournalStore& journalStore() { return journalStore_; }
    QtWindowServices& windowServices() { return windowServices_; }
    QtDesktopTray& tray() { return desktop_; }
    QtSoundOutput& sound() { return sound_; }
    ConsoleSession& session() { return screen_->session(); }

private:
    const std::array<QIcon, 2> icons_;
    ConsoleWindow window_;
    QtSerialPort serial_;
    QtMessages messages_;
    FileConfigStore store_;
    QtClock clock_;
    FileJournalStore journalStore_;
    QtDesktopTray desktop_;
    QtSoundOutput sound_;
    QtForegroundWindow foreground_;
    QtWindowServices windowServices_;
    // Present only with a trace.
    std::unique_ptr<TracingSerialPort> tracedSerial_;
    std::unique_ptr<TracingMessages> tracedMessages_;
    std::unique_ptr<TracingConfigStore> tracedStore_;
    std::unique_ptr<ShellEvents> events_;
    std::unique_ptr<ConsoleScreen> screen_;
};
