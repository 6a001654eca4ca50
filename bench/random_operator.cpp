#include "random_operator.h"

#include "app/click_label.h"
#include "app/console_app.h"
#include "app/console_window.h"
#include "app/indicator_widget.h"
#include "app/speed_dial_page.h"
#include "app/storable_line_edit.h"
#include "directory/speed_dial_directory.h"
#include "wire/frame_layout.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <array>

int RandomOperator::below(int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(random_);
}

RandomOperator::RandomOperator(ConsoleApp& console, std::uint64_t seed)
    : console_(console)
    , random_(seed)
{
}

void RandomOperator::act()
{
    ++actions_;
    if (console_.screen().directoryFrame().isVisible())
        return useDirectory();
    switch (below(8)) {
    case 0: return nameTheExtension();
    case 1: return clickAt(console_.window().directoryButton(), Qt::LeftButton);
    default: return clickPanel();
    }
}

// A left click on an extension's indicator or number, a line, or a command button.
void RandomOperator::clickPanel()
{
    ConsoleWindow& window = console_.window();
    switch (below(4)) {
    case 0:
        return clickWindowAt(
            window.extensionIndicator(below(wire::ExtensionSlots))->geometry().center(), Qt::LeftButton);
    case 1: return clickAt(window.numberLabel(below(wire::ExtensionSlots)), Qt::LeftButton);
    case 2: return clickWindowAt(window.lineIndicator(below(wire::OutsideLines))->geometry().center(), Qt::LeftButton);
    default: return clickAt(below(2) ? window.cutButton() : window.retrieveButton(), Qt::LeftButton);
    }
}

// A right click on an extension, then a few keys into whatever has the focus.
void RandomOperator::nameTheExtension()
{
    clickAt(console_.window().numberLabel(below(wire::ExtensionSlots)), Qt::RightButton);
    constexpr std::array Keys{Qt::Key_A, Qt::Key_Z, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Escape};
    QWidget* focus = QApplication::focusWidget();
    for (int n = below(12); n > 0 && focus; --n)
        QTest::keyClick(focus, Keys[below(int(Keys.size()))]);
}

// Paging, a note typed, a dial by double click, or VOLVER.
void RandomOperator::useDirectory()
{
    SpeedDialPage& frame = console_.screen().directoryFrame();
    const int row = below(SpeedDialDirectory::Rows);
    switch (below(4)) {
    case 0: frame.scrollBar()->setValue(below(frame.scrollBar()->maximum() + 1)); return;
    case 1: QTest::keyClicks(frame.noteField(row), QStringLiteral("nota")); return;
    case 2: QTest::mouseDClick(frame.numberField(row), Qt::LeftButton); return;
    default: clickAt(frame.backButton(), Qt::LeftButton);
    }
}

void RandomOperator::clickAt(QWidget* widget, Qt::MouseButton button)
{
    if (widget->isVisible() && widget->isEnabled())
        QTest::mouseClick(widget, button, {}, widget->rect().center());
}

// A click where the operator sees the point: on whatever widget lies on top there.
void RandomOperator::clickWindowAt(QPoint pos, Qt::MouseButton button)
{
    QWidget* target = console_.window().childAt(pos);
    if (target)
        QTest::mouseClick(target, button, {}, target->mapFrom(&console_.window(), pos));
}
