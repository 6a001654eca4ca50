#pragma once

#include "directory/directory_view.h"
#include "link/port_choice_view.h"
#include "operator/operator_view.h"

// Views that show nothing: what the logic reports to them is tested on the
// real widgets. The port list remembers whether it is shown.
class QuietDirectoryView final : public DirectoryView
{
public:
    void visibilityChanged() override { }
    void scrollPositionChanged() override { }
    void rowChanged(int) override { }
    void focusFirstText() override { }
};

class QuietOperatorView final : public OperatorView
{
public:
    void focusExitButton() override { }
    void setNameBoxVisible(int, bool) override { }
    void setNameBoxReadOnly(int, bool) override { }
    bool nameBoxReadOnly(int) const override { return true; }
    QString nameBoxText(int) const override { return {}; }
    void setNameBoxText(int, const QString&) override { }
    void selectAllNameBoxText(int) override { }
    void setNameBoxFontSize(int, int) override { }
    void focusNameBox(int) override { }
    void showTypedDigits(const QString&) override { }
    void say(const QString&) override { }
};

class PortListView final : public PortChoiceView
{
public:
    void show() override { shown = true; }
    void hide() override { shown = false; }
    void focusList() override { ++focused; }

    bool shown = false;
    int focused = 0;
};
