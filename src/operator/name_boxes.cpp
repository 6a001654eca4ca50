#include "operator/name_boxes.h"

#include "directory/configuration.h"
#include "operator/operator_view.h"

NameBoxes::NameBoxes(OperatorView& view, Configuration& configuration)
    : view_(view)
    , configuration_(configuration)
{
}

void NameBoxes::showNames()
{
    for (int i = 0; i < NameBoxCount; ++i) {
        view_.setNameBoxText(i, configuration_.nombres[i]);
        view_.setNameBoxVisible(i, !configuration_.nombres[i].isEmpty());
    }
}

void NameBoxes::open(int index)
{
    view_.setNameBoxVisible(index, true);
    view_.setNameBoxReadOnly(index, false);
    textoPrevio_ = view_.nameBoxText(index);
    view_.selectAllNameBoxText(index);
    view_.focusNameBox(index);
}

bool NameBoxes::keyPress(int index, int code)
{
    if (code == Enter) {
        view_.focusSalir();
        return false;
    }
    if (view_.nameBoxReadOnly(index))
        return true;
    if (code == Escape) {
        view_.setNameBoxText(index, textoPrevio_);
        view_.focusSalir();
        return false;
    }
    const int lengthBefore = int(view_.nameBoxText(index).size());
    view_.setNameBoxFontSize(
        index, code == Backspace ? pointsForBackspace(lengthBefore) : pointsForTyping(lengthBefore));
    return true;
}

void NameBoxes::textChanged(int index, const QString& text)
{
    if (configuration_.nombres[index] == text)
        return;
    configuration_.nombres[index] = text;
    configuration_.hayCambios = true;
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
