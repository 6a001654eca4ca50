#pragma once

#include "operator/operator_commands.h"

#include <functional>

class QMouseEvent;
class QWidget;

// The press and click of a panel click target: the press reports its mouse
// button, a release inside the target reports the click. The second press of
// a double click is no press and its release no click, so a double click acts
// once, as on the platform the console was designed for.
struct ClickTarget {
    ClickTarget() = default;
    ClickTarget(std::function<void(MouseButton)> press, std::function<void()> click)
        : onPress(std::move(press))
        , onClick(std::move(click))
    {
    }

    std::function<void(MouseButton)> onPress;
    std::function<void()> onClick;

    void pressed(const QMouseEvent& event);
    void doubleClicked() { inDoubleClick_ = true; }
    void released(const QWidget& target, const QMouseEvent& event);

private:
    bool inDoubleClick_ = false;
};
