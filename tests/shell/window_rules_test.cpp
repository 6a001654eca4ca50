#include "fake_desktop_tray.h"
#include "fake_foreground_window.h"
#include "fake_window_services.h"
#include "shell/ventana_activa.h"
#include "shell/window_rules.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

using Choice = WindowServices::MenuChoice;

TEST(VentanaActiva, ComparesTheBufferedTitleWithTheCaption)
{
    const QString caption = QStringLiteral("QUINDORA R903 - Serie 12345 - V1.00");
    struct Case {
        const char* name;
        std::optional<QString> title;
        bool active;
    };
    const Case cases[] = {
        {"no foreground window", std::nullopt, false},
        {"empty title", QString(), false},
        {"blank title", QStringLiteral("   "), false},
        {"the caption", caption, true},
        {"another window with the same title", caption, true},
        {"two leading blanks", QStringLiteral("  ") + caption, true},
        {"a trailing blank stays", caption + QStringLiteral(" "), false},
        {"case counts", caption.toLower(), false},
        {"another title", QStringLiteral("Terminal"), false},
    };
    for (const Case& c : cases) {
        FakeForegroundWindow fg;
        fg.current = c.title;
        EXPECT_EQ(Ventana_Activa(fg, caption), c.active) << c.name;
    }
}

TEST(VentanaActiva, TitlesAreReadToTwoHundredFiftyFourCharacters)
{
    FakeForegroundWindow fg;
    const QString longCaption(300, u'Q');
    fg.current = longCaption;
    EXPECT_FALSE(Ventana_Activa(fg, longCaption));
    EXPECT_TRUE(Ventana_Activa(fg, longCaption.left(254)));
    fg.current = QString(254, u'Q');
    EXPECT_TRUE(Ventana_Activa(fg, QString(254, u'Q')));
    EXPECT_FALSE(Ventana_Activa(fg, QString()));
}

struct WindowTest : ::testing::Test {
    WindowTest()
    {
        window.onStateChanged([this] { rules.stateChanged(); });
        rules.onMenuSalir = [this] { ++salir; };
    }

    FakeWindowServices window;
    FakeForegroundWindow foreground;
    FakeDesktopTray desktop;
    QString caption = QStringLiteral("Quindora R903");
    WindowRules rules{window, foreground, desktop, [this] { return caption; }};
    int salir = 0;
};

TEST_F(WindowTest, MinimisingHidesOnlyWhenTheDesktopCanBringItBack)
{
    rules.minimise();
    EXPECT_TRUE(window.hidden);
    window.showNormal();
    desktop.area = false;
    rules.minimise();
    EXPECT_FALSE(window.hidden);
    EXPECT_TRUE(window.isMinimised);
}

TEST_F(WindowTest, ResizeWithoutMinimisingDoesNothing)
{
    rules.stateChanged();
    EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(WindowTest, LeftClickShowsRaisesOrMinimises)
{
    struct Case {
        const char* name;
        bool minimised;
        std::optional<QString> foregroundTitle;
        QString action;
    };
    const Case cases[] = {
        {"minimised", true, QStringLiteral("Quindora R903"), "showNormal"},
        {"console in front", false, QStringLiteral("Quindora R903"), "minimise"},
        {"another window in front", false, QStringLiteral("Editor"), "bringToFront"},
        {"no window in front", false, std::nullopt, "bringToFront"},
    };
    for (const Case& c : cases) {
        window.calls.clear();
        window.isMinimised = c.minimised;
        foreground.current = c.foregroundTitle;
        rules.Tray_Mousedown(0);
        ASSERT_FALSE(window.calls.isEmpty()) << c.name;
        EXPECT_EQ(window.calls.first(), c.action) << c.name;
    }
}

TEST_F(WindowTest, TheCaptionIsReadAtEachClick)
{
    foreground.current = QStringLiteral("QUINDORA R903 - Serie 7 - V1.00");
    rules.Tray_Mousedown(0);
    EXPECT_EQ(window.calls.last(), "bringToFront");
    caption = *foreground.current;
    rules.Tray_Mousedown(0);
    EXPECT_EQ(window.calls.first(), "bringToFront");
    EXPECT_TRUE(window.calls.contains("minimise"));
}

TEST_F(WindowTest, MostrarShowsTheEntryAsTheWindowWasWhenThePreviousMenuClosed)
{
    rules.Tray_Mousedown(1); // shown: the next menu offers only Salir
    EXPECT_EQ(window.calls.last(), "menu Mostrar Salir");
    EXPECT_FALSE(rules.mnuMostrarVisible());

    rules.minimise();
    rules.Tray_Mousedown(1); // first menu after minimising: as set before
    EXPECT_EQ(window.calls.last(), "menu Salir");
    EXPECT_TRUE(rules.mnuMostrarVisible());

    window.menuChoices = {Choice::Mostrar};
    rules.Tray_Mousedown(1);
    EXPECT_EQ(window.calls.last(), "showNormal");
    EXPECT_FALSE(window.isMinimised);
    EXPECT_FALSE(rules.mnuMostrarVisible());
}

TEST_F(WindowTest, MenuSalirIsPassedOnAndNothingElseHappens)
{
    window.menuChoices = {Choice::Salir};
    rules.Tray_Mousedown(1);
    EXPECT_EQ(salir, 1);
    EXPECT_EQ(window.calls, QStringList{"menu Mostrar Salir"});
}

TEST_F(WindowTest, OtherButtonsDoNothing)
{
    rules.Tray_Mousedown(2);
    EXPECT_TRUE(window.calls.isEmpty());
}

} // namespace
