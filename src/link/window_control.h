#pragma once

// What the link needs of the console's main window.
class WindowControl
{
public:
    virtual ~WindowControl() = default;
    // True when the console is the foreground window and not minimised.
    virtual bool inFront() const = 0;
    // Unloads the main window: the console ends.
    virtual void unload() = 0;
};
