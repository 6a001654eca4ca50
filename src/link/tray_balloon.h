#pragma once

#include <QString>

// The notification balloon of the tray icon.
class TrayBalloon
{
public:
    virtual ~TrayBalloon() = default;
    // iconStyle 1 is information; a time-out of 1 means the desktop's usual time.
    virtual void show(const QString& text, const QString& title, int iconStyle, int timeout) = 0;
    virtual void remove() = 0;
};
