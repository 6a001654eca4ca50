#pragma once

#include "app/click_target.h"
#include "app/storable_line_edit.h"

#include <functional>

// An extension's name box: a storable text box whose character keys, loss of
// focus and clicks go to the name-box rules before the box acts on them.
class NameBox final : public StorableLineEdit
{
public:
    NameBox(int typingLimit, QWidget* parent);

    // A key's character code; false cancels the key.
    std::function<bool(int code)> onKey;
    std::function<void()> onFocusLost;
    ClickTarget clicks;

    // The character code a key raises: 13 Enter, 27 Esc, 8 Backspace, else
    // its text's first character; 0 for keys that raise none.
    static int characterCode(const QKeyEvent& event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
