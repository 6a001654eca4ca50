#pragma once

#include <QObject>
#include <QRect>

#include <vector>

class QWidget;

// The panel as the keyboard reaches it: its elements, in panel order, form a
// single Tab stop (the one that last had the focus); the arrow keys, Home and
// End move along them, and a ring around the element shows where the focus
// is. The ring stays away while the focus only came with the window's
// activation, so that a mouse operator never sees it.
class PanelFocus final : public QObject
{
public:
    struct Element {
        QWidget* widget; // takes the focus
        QRect area; // what the ring goes around, in window pixels
    };

    // The ring is made on `window` now, so that it lies above what was placed before.
    PanelFocus(QWidget& window, std::vector<Element> elements);

    // An arrow, Home or End key pressed on `focused`; false when it is not ours.
    bool step(const QWidget* focused, int key);
    bool ringShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int indexOf(const QObject* widget) const;
    void moveTo(int index);

    std::vector<Element> elements_;
    QWidget* ring_;
    int tabStop_ = 0;
};
