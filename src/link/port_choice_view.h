#pragma once

// The port-choice panel on the main window, as the probe drives it.
class PortChoiceView
{
public:
    virtual ~PortChoiceView() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    // Gives the keyboard focus back to the list of port numbers.
    virtual void focusList() = 0;
};
