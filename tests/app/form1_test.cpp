#include "app/click_label.h"
#include "app/indicator_widget.h"
#include "app/name_box.h"
#include "qt_printers.h"
#include "wired_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace
{

struct Form1Test : testing::Test {
    WiredWindow w;

    // Colour at the centre of an indicator as painted.
    static QColor centreColour(QWidget* widget)
    {
        const QImage image = widget->grab().toImage();
        return image.pixelColor(image.rect().center());
    }
};

} // namespace

// Three rows of slots 73 pixels apart: each number label 20 below its indicator
// and at most a pixel aside ("Virtual" centred), each name box at the design's
// place just above it, centred, each overlay on it; lines alike. All of it, but
// for the leftmost name box, within a window of fixed size, the buttons apart,
// and the typed digits where nothing else is.
TEST_F(Form1Test, EveryElementSitsInItsPlaceWithinAFixedClientArea)
{
    EXPECT_EQ(w.form.size(), QSize(592, 396));
    EXPECT_EQ(w.form.minimumSize(), w.form.maximumSize());
    const QRect client = w.form.rect();
    for (int i = 0; i < 19; ++i) {
        const QRect indicator = w.form.extensionIndicator(i)->geometry();
        const QRect label = w.form.numberLabel(i)->geometry();
        const QRect overlay = w.form.extensionOverlay(i)->geometry();
        EXPECT_EQ(indicator.top(), 159 + i / 8 * 73) << i;
        EXPECT_EQ(label.top(), indicator.top() + 20) << i;
        EXPECT_NEAR(i < 18 ? label.left() : label.center().x(), i < 18 ? indicator.left() : indicator.center().x(), 1)
            << i;
        EXPECT_TRUE(overlay.topLeft() == indicator.topLeft() && overlay.contains(indicator.center())) << i;
        EXPECT_TRUE(client.contains(indicator) && client.contains(label)) << i;
        if (i == 18)
            continue;
        const QRect box = w.form.nameBox(i)->geometry();
        EXPECT_EQ(box, QRect(i == 8 ? -1 : i % 8 * 70, 133 + i / 8 * 73, 67, 22)) << i;
        EXPECT_NEAR(box.center().x(), indicator.center().x(), 1) << i;
        EXPECT_LT(box.bottom(), indicator.top()) << i;
        EXPECT_TRUE(i == 8 || client.contains(box)) << i;
    }
    for (int k = 0; k < 6; ++k) {
        const QRect indicator = w.form.lineIndicator(k)->geometry();
        const QRect overlay = w.form.lineOverlay(k)->geometry();
        EXPECT_EQ(w.form.lineLabel(k)->pos(), indicator.topLeft() + QPoint(9, 40)) << k;
        EXPECT_TRUE(overlay.topLeft() == indicator.topLeft() && overlay.contains(indicator.center())) << k;
        EXPECT_TRUE(client.contains(indicator) && client.contains(w.form.lineLabel(k)->geometry())) << k;
    }
    const QRect corta = w.form.cmdCorta()->geometry(), recupera = w.form.cmdRecupera()->geometry();
    for (const QRect& button : {corta, recupera})
        EXPECT_TRUE(client.contains(button) && !button.intersects(w.form.lineIndicator(5)->geometry()));
    EXPECT_FALSE(corta.intersects(recupera));
    EXPECT_EQ(w.form.agendaButton()->geometry(), QRect(336, 344, 73, 28));
    EXPECT_EQ(w.form.salirButton()->geometry(), QRect(464, 336, 53, 40));
    // Every panel's frame keeps a margin from the window's edges: the outer columns are bare background.
    const QImage image = w.form.grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x : {0, 5, 10, image.width() - 11, image.width() - 1})
            ASSERT_EQ(image.pixel(x, y), image.pixel(0, 0)) << x << "," << y;
    // LLAMADAS and the typed digits take free space: they cover no other element of the window.
    for (const QWidget* added : std::initializer_list<const QWidget*>{w.form.callListButton(), w.form.typedDigits()}) {
        const QRect area = added->geometry();
        EXPECT_TRUE(client.contains(area));
        for (const QWidget* other : w.form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(other == added || other == w.directoryFrame || !other->geometry().intersects(area))
                << other->metaObject()->className() << " " << other->objectName().toStdString();
    }
}

TEST_F(Form1Test, StartsAsTheDesignShowsIt)
{
    EXPECT_EQ(w.form.numberLabel(16)->text(), "10");
    EXPECT_EQ(w.form.numberLabel(18)->text(), "Virtual");
    EXPECT_EQ(w.form.lineLabel(2)->text(), "L3");
    EXPECT_TRUE(w.form.nameBox(0)->isHidden());
    EXPECT_TRUE(w.form.cmdCorta()->isHidden() && w.form.cmdRecupera()->isHidden());
    EXPECT_FALSE(w.form.agendaButton()->isEnabled());
    EXPECT_EQ(w.form.salirButton()->text(), "&Salir");
    EXPECT_EQ(w.form.salirButton()->toolTip(), "Sale de modo consola");
    EXPECT_EQ(w.form.salirButton()->accessibleDescription(), "Sale de modo consola");
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(centreColour(w.form.lineIndicator(k)), QColor(128, 255, 128)) << k;
    const auto cornerColour = [](QWidget* widget) { return widget->grab().toImage().pixelColor(1, 1); };
    EXPECT_EQ(cornerColour(w.form.numberLabel(0)), QColor(255, 255, 192)); // 0xC0FFFF: light yellow
    EXPECT_EQ(cornerColour(w.form.nameBox(0)), QColor(255, 192, 255)); // 0xFFC0FF: pink
    const std::tuple<QWidget*, qreal, bool> fonts[] = {{w.form.numberLabel(3), 9, true},
        {w.form.lineLabel(3), 9.75, true}, {w.form.nameBox(3), 9, false}, {w.form.cmdCorta(), 15.75, true}};
    for (const auto& [widget, points, bold] : fonts) {
        EXPECT_EQ(widget->font().pointSizeF(), points) << widget->metaObject()->className();
        EXPECT_EQ(widget->font().bold(), bold);
        const QString family = QFontInfo(widget->font()).family();
        EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    }
}

// Colours as painted are checked with the blinking below.
TEST_F(Form1Test, FrameShowsTooltipsAndCommandButtonsAndThePanelItsCaptions)
{
    w.frame({{0, 1}, {2, 2}, {18, 0xC0}, {19, 6}, {20, 4}});
    EXPECT_EQ(w.form.numberLabel(0)->toolTip(), "Interno ocupado");
    EXPECT_EQ(w.form.lineLabel(0)->toolTip(), "Línea llamando a consola");
    EXPECT_EQ(w.form.extensionIndicator(2)->accessibleDescription(), "Interno comunicado con consola");
    // Console engaged, slot 3 talking to it and line 2 held: transfer offered.
    EXPECT_TRUE(w.form.cmdCorta()->isVisibleTo(&w.form));
    EXPECT_EQ(w.form.cmdCorta()->text(), "TRANSFIERE");
    EXPECT_FALSE(w.form.cmdRecupera()->isVisibleTo(&w.form));
    w.frame({{2, 2}, {18, 0xC0}});
    EXPECT_EQ(w.form.cmdCorta()->text(), "CORTA");
    EXPECT_EQ(w.form.cmdRecupera()->text(), "RETIENE");
    EXPECT_TRUE(w.form.cmdRecupera()->isVisibleTo(&w.form));
    w.panel.setNumberCaption(0, "201");
    w.panel.setAgendaEnabled(true);
    EXPECT_EQ(w.form.numberLabel(0)->text(), "201");
    EXPECT_TRUE(w.form.agendaButton()->isEnabled());
}

TEST_F(Form1Test, BlinkTickRepaintsOnlyTheBlinkingIndicatorsWhiteThenInTheirColourAgain)
{
    w.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.form));
    w.frame({{10, 3}, {24, 6}}); // slow blinkers: slot 11 called by the console, line 6 calling it
    QCoreApplication::processEvents();

    struct PaintCounter : QObject {
        std::map<QObject*, int> paints;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                ++paints[o];
            return false;
        }
    } counter;
    for (int i = 0; i < 19; ++i)
        w.form.extensionIndicator(i)->installEventFilter(&counter);
    for (int k = 0; k < 6; ++k)
        w.form.lineIndicator(k)->installEventFilter(&counter);
    w.form.installEventFilter(&counter);
    w.clock.advanceMs(500);
    QCoreApplication::processEvents();
    EXPECT_EQ(
        counter.paints, (std::map<QObject*, int>{{w.form.extensionIndicator(10), 1}, {w.form.lineIndicator(5), 1}}));
    EXPECT_EQ(centreColour(w.form.extensionIndicator(10)), QColor(Qt::white));
    EXPECT_EQ(centreColour(w.form.lineIndicator(5)), QColor(Qt::white));
    w.clock.advanceMs(500);
    EXPECT_EQ(centreColour(w.form.extensionIndicator(10)), QColor(128, 128, 255));
    EXPECT_EQ(centreColour(w.form.lineIndicator(5)), QColor(128, 255, 128));
}

TEST_F(Form1Test, HostedFrameSitsAboveThePanel)
{
    auto* frame = new QWidget;
    frame->resize(600, 430);
    w.form.hostFrame(frame, QPoint(1500, 750));
    EXPECT_EQ(frame->pos(), QPoint(100, 50));
    EXPECT_EQ(w.form.childAt(QPoint(130, 215)), frame);
}
