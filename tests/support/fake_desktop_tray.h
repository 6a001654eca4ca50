#pragma once

#include "platform/desktop_tray.h"

#include <QString>
#include <QStringList>

// Records every request to the notification area as a line of text.
class FakeDesktopTray final : public DesktopTray
{
public:
    bool initialize() override
    {
        requests << QStringLiteral("initialize");
        return initializes;
    }
    bool areaAvailable() const override { return area; }
    bool add(int image, const QString& tooltip) override
    {
        requests << QStringLiteral("add %1 %2").arg(image).arg(tooltip);
        shown = adds;
        icon = image;
        return adds;
    }
    void modify(int image, const QString& tooltip) override
    {
        requests << QStringLiteral("modify %1 %2").arg(image).arg(tooltip);
        icon = image;
    }
    void remove() override
    {
        requests << QStringLiteral("remove");
        shown = false;
    }
    void showBalloon(const QString& title, const QString& text, int style, int timeout) override
    {
        requests << QStringLiteral("balloon %1|%2|%3|%4").arg(title, text).arg(style).arg(timeout);
    }
    void removeBalloon() override { requests << QStringLiteral("unballoon"); }

    void click(Activation a) { activated(a); }

    bool initializes = true;
    bool adds = true;
    bool area = true;
    bool shown = false;
    int icon = -1;
    QStringList requests;
};
