#pragma once

#include "link/call_alert.h"
#include "link/configuration_save.h"
#include "link/console_window.h"
#include "link/port_choice_view.h"
#include "link/tray_balloon.h"

#include <QString>

#include <vector>

// Fakes of what the link asks of the rest of the console.
class FakeCallAlert final : public CallAlert
{
public:
    bool running() const override { return on; }
    void start() override
    {
        on = true;
        ++starts;
    }
    void stop() override { on = false; }
    bool on = false;
    int starts = 0;
};

class FakeTrayBalloon final : public TrayBalloon
{
public:
    void show(const QString& text, const QString&, int, int) override { shown.push_back(text); }
    void remove() override { ++removes; }
    std::vector<QString> shown;
    int removes = 0;
};

class FakeConsoleWindow final : public ConsoleWindow
{
public:
    bool inFront() const override { return front; }
    void unload() override { ++unloads; }
    bool front = true;
    int unloads = 0;
};

class FakeConfigurationSave final : public ConfigurationSave
{
public:
    void Grabaendisco() override { ++saves; }
    int saves = 0;
};

class FakePortChoiceView final : public PortChoiceView
{
public:
    void show() override { visible = true; }
    void hide() override { visible = false; }
    void focusList() override { ++focused; }
    bool visible = false;
    int focused = 0;
};
