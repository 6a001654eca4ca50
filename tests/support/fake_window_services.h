#pragma once

#include "platform/window_services.h"

#include <QStringList>

#include <deque>

// A main window that records what was done to it; the popup menu answers
// from a script (default: closed without a choice).
class FakeWindowServices final : public WindowServices
{
public:
    bool minimised() const override { return isMinimised; }
    void showNormal() override
    {
        calls << QStringLiteral("showNormal");
        isMinimised = false;
        hidden = false;
    }
    void hide() override
    {
        calls << QStringLiteral("hide");
        hidden = true;
    }
    void bringToFront() override { calls << QStringLiteral("bringToFront"); }
    void minimise() override
    {
        calls << QStringLiteral("minimise");
        isMinimised = true;
        stateChanged();
    }
    MenuChoice popupMenu(bool mostrarVisible) override
    {
        calls << (mostrarVisible ? QStringLiteral("menu Mostrar Salir") : QStringLiteral("menu Salir"));
        if (menuChoices.empty())
            return MenuChoice::None;
        const MenuChoice c = menuChoices.front();
        menuChoices.pop_front();
        return c;
    }
    void close() override
    {
        calls << QStringLiteral("close");
        closed = true;
    }

    bool isMinimised = false;
    bool hidden = false;
    bool closed = false;
    QStringList calls;
    std::deque<MenuChoice> menuChoices;

    void closeBox() { closeRequested(true); }
    void sessionEnds() { closeRequested(false); }
};
