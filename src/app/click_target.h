#pragma once

#include "operator/operator_commands.h"

#include <functional>

class QMouseEvent;
class QWidget;

// The press and click of a panel click target: the press reports its mouse
// button, a release inside the target reports the click.
struct ClickTarget {
    std::function<void(MouseButton)> onPress;
    std::function<void()> onClick;

    void pressed(const QMouseEvent& event) const;
    void released(const QWidget& target, const QMouseEvent& event) const;
};
