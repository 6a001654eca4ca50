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

TEST(VentanaActiva, ComparesTheTitleReadIntoABufferOf254CharactersWithTheCaption)
{
    const QString caption = QStringLiteral("QUINDORA R903 - Serie 12345 - V1.00");
    const QString longTitle(300, u'Q');
    const std::tuple<const char*, std::optional<QString>, QString, bool> cases[] = {
        // what is in front, its title, the caption, whether it is the console
        {"no foreground window", std::nullopt, caption, false},
        {"empty title", QString(), caption, false},
        {"blank title", QStringLiteral("   "), caption, false},
        {"the caption", caption, caption, true},
        {"two leading blanks", QStringLiteral("  ") + caption, caption, true},
        {"a trailing blank stays", caption + QStringLiteral(" "), caption, false},
        {"case counts", caption.toLower(), caption, false},
        {"another title", QStringLiteral("Terminal"), caption, false},
        {"a long title against itself", longTitle, longTitle, false},
        {"a long title against its first 254", longTitle, longTitle.left(254), true},
        {"254 characters", longTitle.left(254), longTitle.left(254), true},
    };
    for (const auto& [name, title, captionNow, active] : cases) {
        FakeForegroundWindow fg;
        fg.current = title;
        EXPECT_EQ(Ventana_Activa(fg, captionNow), active) << name;
    }
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
    rules.stateChanged(); // a resize that does not minimise
    EXPECT_TRUE(window.calls.isEmpty());
    rules.minimise();
    EXPECT_TRUE(window.hidden);
    window.showNormal();
    desktop.area = false;
    rules.minimise();
    EXPECT_FALSE(window.hidden);
    EXPECT_TRUE(window.isMinimised);
}

TEST_F(WindowTest, LeftClickShowsRaisesOrMinimisesByTheCaptionAtTheTime)
{
    const std::tuple<const char*, bool, std::optional<QString>, const char*> cases[] = {
        // what the window is, minimised, title in front, what the click does
        {"minimised", true, QStringLiteral("Quindora R903"), "showNormal"},
        {"console in front", false, QStringLiteral("Quindora R903"), "minimise"},
        {"another window in front", false, QStringLiteral("Editor"), "bringToFront"},
        {"no window in front", false, std::nullopt, "bringToFront"},
    };
    for (const auto& [name, minimised, title, action] : cases) {
        window.calls.clear();
        window.isMinimised = minimised;
        foreground.current = title;
        rules.Tray_Mousedown(0);
        EXPECT_EQ(window.calls.value(0), action) << name;
    }
    foreground.current = caption = QStringLiteral("Editor"); // the caption as it is at the click
    window.calls.clear();
    rules.Tray_Mousedown(0);
    EXPECT_EQ(window.calls.first(), "minimise");
}

TEST_F(WindowTest, TheMenuOffersMostrarAsTheWindowWasWhenThePreviousMenuClosedAndPassesSalirOn)
{
    rules.Tray_Mousedown(1); // shown: the next menu offers only Salir
    rules.Tray_Mousedown(2); // other buttons do nothing
    rules.minimise();
    rules.Tray_Mousedown(1); // first menu after minimising: as set before
    window.menuChoices = {Choice::Mostrar, Choice::Salir};
    rules.Tray_Mousedown(1);
    rules.Tray_Mousedown(1);
    EXPECT_EQ(window.calls,
        (QStringList{
            "menu Mostrar Salir", "minimise", "hide", "menu Salir", "menu Mostrar Salir", "showNormal", "menu Salir"}));
    EXPECT_EQ(salir, 1);
}

} // namespace
