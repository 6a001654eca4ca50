#include "app/click_target.h"

#include <QMouseEvent>
#include <QWidget>

#include <utility>

namespace
{

MouseButton fromQt(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::None;
    }
}

} // namespace

void ClickTarget::pressed(const QMouseEvent& event)
{
    inDoubleClick_ = false;
    if (onPress)
        onPress(fromQt(event.button()));
}

void ClickTarget::released(const QWidget& target, const QMouseEvent& event)
{
    if (std::exchange(inDoubleClick_, false))
        return;
    if (onClick && target.rect().contains(event.position().toPoint()))
        onClick();
}
