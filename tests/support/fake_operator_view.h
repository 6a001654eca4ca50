#pragma once

#include "operator/name_boxes.h"
#include "operator/operator_view.h"

#include <array>

// A window as the operator logic sees it: 18 text boxes that report text
// changes and loss of focus the way a toolkit does, and a focus that is on a
// name box, on "&Salir" or elsewhere.
class FakeOperatorView final : public OperatorView
{
public:
    static constexpr int Nowhere = -1;
    static constexpr int Salir = -2;

    struct Box {
        QString text;
        bool visible = false;
        bool readOnly = true;
        bool allSelected = false;
        int points = NameBoxes::NormalPoints;
    };

    // The boxes report to these logic objects once set.
    NameBoxes* nameBoxes = nullptr;

    void focusSalir() override { moveFocus(Salir); }
    void setNameBoxVisible(int index, bool visible) override { boxes[index].visible = visible; }
    void setNameBoxReadOnly(int index, bool readOnly) override { boxes[index].readOnly = readOnly; }
    bool nameBoxReadOnly(int index) const override { return boxes[index].readOnly; }
    QString nameBoxText(int index) const override { return boxes[index].text; }
    void setNameBoxText(int index, const QString& text) override { replaceText(index, text); }
    void selectAllNameBoxText(int index) override { boxes[index].allSelected = true; }
    void setNameBoxFontSize(int index, int points) override { boxes[index].points = points; }
    void focusNameBox(int index) override { moveFocus(index); }
    void showTypedDigits(const QString& digits) override { typedDigits = digits; }

    // A key with a character code pressed in box `index`, edited as a text box
    // with a 10-character typing limit would do when the logic lets it go on.
    void key(int index, int code)
    {
        if (!nameBoxes->keyPress(index, code))
            return;
        Box& box = boxes[index];
        if (box.readOnly || code == NameBoxes::Escape)
            return;
        QString text = box.allSelected ? QString() : box.text;
        if (code == NameBoxes::Backspace) {
            if (!box.allSelected)
                text.chop(1);
        } else if (text.size() < NameBoxes::MaxLength) {
            text.append(QChar(code));
        }
        box.allSelected = false;
        replaceText(index, text);
    }

    void type(int index, const QString& text)
    {
        for (QChar c : text)
            key(index, c.unicode());
    }

    void moveFocus(int to)
    {
        const int from = focus;
        focus = to;
        if (from >= 0 && from != to) {
            boxes[from].allSelected = false;
            nameBoxes->focusLost(from);
        }
    }

    std::array<Box, 18> boxes;
    int focus = Nowhere;
    QString typedDigits;

private:
    void replaceText(int index, const QString& text)
    {
        if (boxes[index].text == text)
            return;
        boxes[index].text = text;
        nameBoxes->textChanged(index, text);
    }
};
