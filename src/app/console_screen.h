#pragma once

#include "shell/console_session.h"

#include <QIcon>

#include <memory>

class CallListWindow;
class ConsoleKeys;
class ConsoleWindow;
class PortChoicePanel;
class SpeedDialPage;

// The one place where the console is put together: its widgets hosted on the
// main window and tied to the session that owns the run's logic, on whatever
// services it is given (Qt's for a run, fakes for the tests).
class ConsoleScreen
{
public:
    ConsoleScreen(ConsoleWindow& window, SessionServices services, const QIcon& windowIcon);
    ~ConsoleScreen();
    ConsoleScreen(const ConsoleScreen&) = delete;
    ConsoleScreen& operator=(const ConsoleScreen&) = delete;

    // The window's load, then the window is shown (unless the program is to end at once).
    Shell::Loaded start();

    ConsoleWindow& window() { return window_; }
    PortChoicePanel& portPanel() { return *portPanel_; }
    SpeedDialPage& directoryFrame() { return *directoryFrame_; }
    CallListWindow& callList() { return *callList_; }
    ConsoleSession& session() { return *session_; }

private:
    void wireWidgets(const QIcon& windowIcon);
    void journalChanged();

    ConsoleWindow& window_;
    PortChoicePanel* portPanel_;
    SpeedDialPage* directoryFrame_;
    CallListWindow* callList_ = nullptr;
    std::unique_ptr<ConsoleSession> session_;
    std::unique_ptr<ConsoleKeys> keys_;
};
