#pragma once

#include <QString>

class CommandQueue;
class ConsoleState;
class NameBoxes;
class OperatorView;
class Panel;

// Mouse buttons as the click handlers tell them apart (BotonPulsado).
enum class MouseButton { None = 0, Left = 1, Right = 2, Middle = 4 };

// The operator's clicks on the panel, turned into command bytes in the
// transmit queue. Nothing here writes to the port; a full queue drops the
// command without a word. Each action answers whether it queued a command.
class OperatorCommands
{
public:
    OperatorCommands(
        CommandQueue& queue, const ConsoleState& state, const Panel& panel, NameBoxes& nameBoxes, OperatorView& view);

    // Mouse press on any click target of a slot or line: remembered for the click.
    void press(MouseButton button) { pressedButton_ = button; }
    MouseButton pressedButton() const { return pressedButton_; }

    // Click on a slot's number label, overlay or name box; slot index 0-18.
    bool extensionClick(int index);
    // A call from the keyboard: as a left click, but the focus stays where it is.
    bool callExtension(int index) { return extensionAccepted(index) && queueExtension(index); }
    bool extensionAccepted(int index) const;
    // Click on a line's caption label or overlay; line index 0-5.
    bool lineClick(int index);
    bool cutPressed();
    // The code follows the caption the second button shows at the press.
    bool retrievePressed(const QString& caption);

private:
    bool queueExtension(int index);

    CommandQueue& queue_;
    const ConsoleState& state_;
    const Panel& panel_;
    NameBoxes& nameBoxes_;
    OperatorView& view_;
    MouseButton pressedButton_ = MouseButton::None;
};
