#include "app/panel_focus.h"

#include <QFocusEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace
{

constexpr int RingMargin = 3;
constexpr qreal RingWidth = 2;
const QColor RingColour(0xFF, 0xD7, 0x00);

// An outline around the focused element; the rest of it lets the panel show through.
class FocusRing final : public QWidget
{
public:
    explicit FocusRing(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(RingColour, RingWidth));
        const qreal inset = RingWidth / 2;
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 4, 4);
    }
};

} // namespace

PanelFocus::PanelFocus(QWidget& window, std::vector<Element> elements)
    : QObject(&window)
    , elements_(std::move(elements))
    , ring_(new FocusRing(&window))
{
    for (const Element& e : elements_) {
        e.widget->setFocusPolicy(Qt::NoFocus);
        e.widget->installEventFilter(this);
    }
    elements_[tabStop_].widget->setFocusPolicy(Qt::TabFocus);
}

bool PanelFocus::step(const QWidget* focused, int key)
{
    const int index = indexOf(focused);
    if (index < 0)
        return false;
    const int last = int(elements_.size()) - 1;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up: moveTo(std::max(index - 1, 0)); return true;
    case Qt::Key_Right:
    case Qt::Key_Down: moveTo(std::min(index + 1, last)); return true;
    case Qt::Key_Home: moveTo(0); return true;
    case Qt::Key_End: moveTo(last); return true;
    default: return false;
    }
}

bool PanelFocus::ringShown() const
{
    return !ring_->isHidden();
}

void PanelFocus::moveTo(int index)
{
    elements_[index].widget->setFocus(Qt::TabFocusReason);
}

// The element that takes the focus becomes the panel's Tab stop and gets the
// ring, unless the focus came back only because the window was activated.
bool PanelFocus::eventFilter(QObject* watched, QEvent* event)
{
    const int index = indexOf(watched);
    if (index < 0 || (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut))
        return false;
    const bool byActivation = static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason;
    if (event->type() == QEvent::FocusOut) {
        if (!byActivation)
            ring_->hide();
        return false;
    }
    elements_[tabStop_].widget->setFocusPolicy(Qt::NoFocus);
    tabStop_ = index;
    elements_[index].widget->setFocusPolicy(Qt::TabFocus);
    if (byActivation && ring_->isHidden())
        return false;
    ring_->setGeometry(elements_[index].area.adjusted(-RingMargin, -RingMargin, RingMargin, RingMargin));
    ring_->show();
    return false;
}

int PanelFocus::indexOf(const QObject* widget) const
{
    const auto found
        = std::find_if(elements_.begin(), elements_.end(), [widget](const Element& e) { return e.widget == widget; });
    return found == elements_.end() ? -1 : int(found - elements_.begin());
}
