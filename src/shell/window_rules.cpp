#include "shell/window_rules.h"

#include "shell/ventana_activa.h"

WindowRules::WindowRules(WindowServices& window, const ForegroundWindow& foreground, const DesktopTray& desktop,
    std::function<QString()> caption)
    : window_(window)
    , foreground_(foreground)
    , desktop_(desktop)
    , caption_(std::move(caption))
{
}

bool WindowRules::Ventana_Activa() const
{
    return ::Ventana_Activa(foreground_, caption_());
}

void WindowRules::stateChanged()
{
    // With nowhere to come back from, a minimised window stays on the taskbar.
    if (window_.minimised() && desktop_.areaAvailable())
        window_.hide();
}

void WindowRules::Show()
{
    window_.showNormal();
}

void WindowRules::Tray_Mousedown(int button)
{
    if (button == 1) {
        popupMenu();
        return;
    }
    if (button != 0)
        return;
    if (window_.minimised())
        Show();
    else if (Ventana_Activa())
        minimise();
    else
        bringToFront();
}

void WindowRules::popupMenu()
{
    const WindowServices::MenuChoice choice = window_.popupMenu(mnuMostrarVisible_);
    if (choice == WindowServices::MenuChoice::Salir) {
        if (onMenuSalir)
            onMenuSalir();
        return;
    }
    if (choice == WindowServices::MenuChoice::Mostrar)
        Show();
    mnuMostrarVisible_ = window_.minimised();
}
