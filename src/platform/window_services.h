#pragma once

#include <functional>

// What the console asks of its own main window and the window system.
class WindowServices
{
public:
    // The entry chosen in the icon's popup menu.
    enum class MenuChoice { None, Show, Exit };

    virtual ~WindowServices() = default;

    virtual bool minimised() const = 0;
    virtual void showNormal() = 0;
    virtual void hide() = 0;
    // Raises the window above every ordinary window, without keeping it on top,
    // and gives it the keyboard focus.
    virtual void bringToFront() = 0;
    virtual void minimise() = 0;
    // Opens the icon's popup menu at the pointer and waits until it closes.
    virtual MenuChoice popupMenu(bool showEntryVisible) = 0;
    // Closes the window for good; the program then ends.
    virtual void close() = 0;

    // The window's state changed (minimised, restored).
    void onStateChanged(std::function<void()> handler) { stateChanged_ = std::move(handler); }
    // Someone else closes the window: the operator by its close box
    // (byOperator), or the system at the end of the desktop session.
    void onCloseRequested(std::function<void(bool byOperator)> handler) { closeRequested_ = std::move(handler); }

protected:
    void stateChanged()
    {
        if (stateChanged_)
            stateChanged_();
    }
    void closeRequested(bool byOperator)
    {
        if (closeRequested_)
            closeRequested_(byOperator);
    }

private:
    std::function<void()> stateChanged_;
    std::function<void(bool)> closeRequested_;
};
