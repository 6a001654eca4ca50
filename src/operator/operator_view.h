#pragma once

#include <QString>

// What the operator's name boxes and commands need from the window.
class OperatorView
{
public:
    virtual ~OperatorView() = default;

    // Keyboard focus to the exit button "&Salir"; a name box losing it reports it.
    virtual void focusExitButton() = 0;

    // Name box index 0-17.
    virtual void setNameBoxVisible(int index, bool visible) = 0;
    virtual void setNameBoxReadOnly(int index, bool readOnly) = 0;
    virtual bool nameBoxReadOnly(int index) const = 0;
    virtual QString nameBoxText(int index) const = 0;
    // Program-set text is kept whole, however long.
    virtual void setNameBoxText(int index, const QString& text) = 0;
    virtual void selectAllNameBoxText(int index) = 0;
    virtual void setNameBoxFontSize(int index, int points) = 0;
    virtual void focusNameBox(int index) = 0;

    // The digits typed for an extension number; empty: none shown.
    virtual void showTypedDigits(const QString& digits) = 0;
    // Tells a screen reader, without moving the focus, what a key could not do.
    virtual void say(const QString& text) = 0;
};
