#include "shell/window_rules.h"

#include "shell/foreground_check.h"

WindowRules::WindowRules(WindowServices& window, const ForegroundWindow& foreground, const DesktopTray& desktop,
    std::function<QString()> caption)
    : window_(window)
    , foreground_(foreground)
    , desktop_(desktop)
    , caption_(std::move(caption))
{
}

bool WindowRules::isConsoleForeground() const
{
    return ::isConsoleForeground(foreground_, caption_());
}

void WindowRules::stateChanged()
{
    // With nowhere to come back from, a minimised window stays on the taskbar.
    if (window_.minimised() && desktop_.areaAvailable())
        window_.hide();
}

void WindowRules::areaGone()
{
    if (window_.minimised())
        restore();
}

void WindowRules::restore()
{
    window_.showNormal();
}

void WindowRules::trayPressed(int button)
{
    if (button == 1) {
        popupMenu();
        return;
    }
    if (button != 0)
        return;
    if (window_.minimised())
        restore();
    else if (isConsoleForeground())
        minimise();
    else
        bringToFront();
}

void WindowRules::popupMenu()
{
    const WindowServices::MenuChoice choice = window_.popupMenu(showEntryVisible_);
    if (choice == WindowServices::MenuChoice::Exit) {
        if (onMenuExit)
            onMenuExit();
        return;
    }
    if (choice == WindowServices::MenuChoice::Show)
        restore();
    showEntryVisible_ = window_.minimised();
}
