#include "operator/name_boxes.h"

#include "configuration/configuration.h"
#include "operator/operator_view.h"

NameBoxes::NameBoxes(OperatorView& view, Configuration& configuration)
    : view_(view)
    , configuration_(configuration)
{
}

void NameBoxes::showNames()
{
    for (int i = 0; i < NameBoxCount; ++i) {
        view_.setNameBoxText(i, configuration_.names[i]);
        view_.setNameBoxVisible(i, !configuration_.names[i].isEmpty());
    }
}

void NameBoxes::open(int index)
{
    view_.setNameBoxVisible(index, true);
    view_.setNameBoxReadOnly(index, false);
    previousText_ = view_.nameBoxText(index);
    view_.selectAllNameBoxText(index);
    view_.focusNameBox(index);
}

bool NameBoxes::keyPress(int index, int code)
{
    if (code == Enter) {
        view_.focusExitButton();
        return false;
    }
    if (view_.nameBoxReadOnly(index))
        return true;
    if (code == Escape) {
        view_.setNameBoxText(index, previousText_);
        view_.focusExitButton();
        return false;
    }
    const int lengthBefore = int(view_.nameBoxText(index).size());
    view_.setNameBoxFontSize(
        index, code == Backspace ? pointsForBackspace(lengthBefore) : pointsForTyping(lengthBefore));
    return true;
}

void NameBoxes::textChanged(int index, const QString& text)
{
    if (configuration_.names[index] == text)
        return;
    configuration_.names[index] = text;
    configuration_.changed = true;
}

void NameBoxes::focusLost(int index)
{
    view_.setNameBoxReadOnly(index, true);
    if (view_.nameBoxText(index).isEmpty())
        view_.setNameBoxVisible(index, false);
}

int NameBoxes::pointsForTyping(int lengthBefore)
{
    if (lengthBefore == 8)
        return 8;
    if (lengthBefore == 9 || lengthBefore == 10)
        return 7;
    return NormalPoints;
}

int NameBoxes::pointsForBackspace(int lengthBefore)
{
    return lengthBefore == MaxLength ? 8 : NormalPoints;
}
