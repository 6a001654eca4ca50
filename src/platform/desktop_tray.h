#pragma once

#include <QString>

#include <functional>

// The desktop's notification area: one icon with an image, a tooltip and a
// withdrawable balloon. Images are numbered: 0 the normal icon, 1 the alert icon.
class DesktopTray
{
public:
    // How the desktop reports a click on the icon (after the button is released).
    enum class Activation { Trigger, Context, DoubleClick };

    virtual ~DesktopTray() = default;

    // False when the desktop's tray service cannot be set up at all.
    virtual bool initialize() = 0;
    // Whether the desktop shows a notification area now.
    virtual bool areaAvailable() const = 0;
    // Requests the icon; false only when the request cannot be made at all
    // (what the desktop does with it is not reported).
    virtual bool add(int image, const QString& tooltip) = 0;
    virtual void modify(int image, const QString& tooltip) = 0;
    virtual void remove() = 0;
    // Style 1 is the information icon; a time-out below the desktop's minimum
    // means its usual display time.
    virtual void showBalloon(const QString& title, const QString& text, int style, int timeout) = 0;
    virtual void removeBalloon() = 0;

    void onActivated(std::function<void(Activation)> handler) { activated_ = std::move(handler); }
    // The desktop's notification area went away (its panel quit or crashed).
    void onAreaGone(std::function<void()> handler) { areaGone_ = std::move(handler); }

protected:
    void activated(Activation a)
    {
        if (activated_)
            activated_(a);
    }
    void areaGone()
    {
        if (areaGone_)
            areaGone_();
    }

private:
    std::function<void(Activation)> activated_;
    std::function<void()> areaGone_;
};
