#include "app/name_box.h"

#include <QKeyEvent>

NameBox::NameBox(int typingLimit, QWidget* parent)
    : StorableLineEdit(typingLimit, parent)
{
    // A right click is the operator's "open for editing", not the edit menu.
    setContextMenuPolicy(Qt::NoContextMenu);
}

int NameBox::characterCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Delete: return 0; // X11 gives it the text DEL, yet it types nothing
    default: return event.text().isEmpty() ? 0 : event.text().front().unicode();
    }
}

void NameBox::keyPressEvent(QKeyEvent* event)
{
    const int code = characterCode(*event);
    if (code != 0 && onKey && !onKey(code)) {
        event->accept();
        return;
    }
    StorableLineEdit::keyPressEvent(event);
}

void NameBox::focusOutEvent(QFocusEvent* event)
{
    StorableLineEdit::focusOutEvent(event);
    // Another application or a popup taking over does not end the edit.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (onFocusLost)
        onFocusLost();
}

void NameBox::mousePressEvent(QMouseEvent* event)
{
    clicks.pressed(*event);
    StorableLineEdit::mousePressEvent(event);
}

void NameBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    clicks.doubleClicked();
    StorableLineEdit::mouseDoubleClickEvent(event);
}

void NameBox::mouseReleaseEvent(QMouseEvent* event)
{
    StorableLineEdit::mouseReleaseEvent(event);
    clicks.released(*this, *event);
}
