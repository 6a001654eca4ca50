#include "modal.h"
#include "platform/qt/qt_window_services.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

TEST(QtWindowServices, TheMenuOffersMostrarOnlyWhenAskedAndReportsTheChoice)
{
    QWidget window;
    QtWindowServices services{window};
    struct Case {
        bool mostrarVisible;
        const char* choose; // the entry chosen; none closes the menu
        WindowServices::MenuChoice choice;
    };
    const Case cases[] = {
        {true, "Mostrar", WindowServices::MenuChoice::Mostrar},
        {false, "Salir", WindowServices::MenuChoice::Salir},
        {true, "", WindowServices::MenuChoice::None},
    };
    for (const Case& c : cases) {
        MenuPick menu;
        chooseFromMenu(c.choose, menu);
        EXPECT_EQ(services.popupMenu(c.mostrarVisible), c.choice);
        EXPECT_EQ(menu.offered, c.mostrarVisible ? QStringList({"Mostrar", "Salir"}) : QStringList({"Salir"}));
    }
}

// Whoever closes the window, it closes once; the close box is reported as the
// operator's, the session's end as not, the program's own close not at all.
TEST(QtWindowServices, OnlyClosesTheProgramDidNotMakeAreReported)
{
    struct Case {
        const char* name;
        std::function<void(QWidget&, QtWindowServices&)> close;
        std::vector<bool> reported;
    };
    const Case cases[] = {
        {"the program", [](QWidget&, QtWindowServices& s) { s.close(); }, {}},
        {"the close box, twice", [](QWidget& w, QtWindowServices&) { w.close(), w.close(); }, {true}},
        {"the session's end, twice", [](QWidget&, QtWindowServices& s) { s.endSession(), s.endSession(); }, {false}},
    };
    for (const Case& c : cases) {
        QWidget window;
        QtWindowServices services{window};
        std::vector<bool> reported;
        int closedSignals = 0;
        QObject::connect(&services, &QtWindowServices::closed, [&] { ++closedSignals; });
        services.onCloseRequested([&](bool byOperator) {
            reported.push_back(byOperator);
            services.close(); // as the shell's unload does
        });
        window.show();
        c.close(window, services);
        EXPECT_EQ(reported, c.reported) << c.name;
        EXPECT_EQ(closedSignals, 1) << c.name;
        EXPECT_FALSE(window.isVisible()) << c.name;
    }
}

} // namespace
