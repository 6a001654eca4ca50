#include "platform/qt/qt_window_services.h"
#include "qt_printers.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace
{

struct WindowServicesTest : ::testing::Test {
    WindowServicesTest()
    {
        window.show();
        services.onStateChanged([this] { ++stateChanges; });
        services.onCloseRequested([this](bool byOperator) { closes.push_back(byOperator); });
    }

    QWidget window;
    QtWindowServices services{window};
    int stateChanges = 0;
    std::vector<bool> closes;
};

TEST_F(WindowServicesTest, MinimiseAndShowAgainAreReported)
{
    services.minimise();
    EXPECT_TRUE(services.minimised());
    EXPECT_GE(stateChanges, 1);
    services.hide();
    EXPECT_FALSE(window.isVisible());
    services.showNormal();
    EXPECT_FALSE(services.minimised());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowServicesTest, TheMenuOffersMostrarOnlyWhenAskedAndReportsTheChoice)
{
    struct Case {
        bool mostrarVisible;
        const char* choose; // object name of the entry chosen, or nothing
        WindowServices::MenuChoice choice;
    };
    const Case cases[] = {
        {true, "MnuMostrar", WindowServices::MenuChoice::Mostrar},
        {false, "Mnusalir", WindowServices::MenuChoice::Salir},
        {true, nullptr, WindowServices::MenuChoice::None},
    };
    for (const Case& c : cases) {
        QStringList offered;
        QTimer::singleShot(50, [&] {
            QMenu& menu = services.menu();
            for (QAction* a : menu.actions())
                if (a->isVisible())
                    offered << a->text();
            if (QAction* a = c.choose ? menu.findChild<QAction*>(c.choose) : nullptr) {
                menu.setActiveAction(a);
                QTest::keyClick(&menu, Qt::Key_Return);
            } else {
                QTest::keyClick(&menu, Qt::Key_Escape);
            }
        });
        EXPECT_EQ(services.popupMenu(c.mostrarVisible), c.choice);
        EXPECT_EQ(offered, c.mostrarVisible ? QStringList({"Mostrar", "Salir"}) : QStringList({"Salir"}));
    }
}

TEST_F(WindowServicesTest, TheProgramsOwnCloseIsNotReportedButAnyOtherIs)
{
    services.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(closes.empty());

    QWidget other;
    QtWindowServices otherServices{other};
    std::vector<bool> otherCloses;
    int closedSignals = 0;
    QObject::connect(&otherServices, &QtWindowServices::closed, [&] { ++closedSignals; });
    otherServices.onCloseRequested([&](bool byOperator) {
        otherCloses.push_back(byOperator);
        otherServices.close(); // as the shell's unload does
    });
    other.show();
    other.close(); // as the close box does
    other.close();
    EXPECT_EQ(otherCloses, std::vector<bool>{true});
    EXPECT_EQ(closedSignals, 1);
    EXPECT_FALSE(other.isVisible());
}

TEST_F(WindowServicesTest, TheSessionsEndClosesWithoutTheOperator)
{
    services.onCloseRequested([this](bool byOperator) {
        closes.push_back(byOperator);
        services.close();
    });
    services.endSession();
    services.endSession();
    EXPECT_EQ(closes, std::vector<bool>{false});
    EXPECT_FALSE(window.isVisible());
}

} // namespace
