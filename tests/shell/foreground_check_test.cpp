#include "fake_desktop.h"
#include "shell/foreground_check.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace
{

TEST(ForegroundCheck, ComparesTheTitleReadIntoABufferOf254CharactersWithTheCaption)
{
    const QString caption = QStringLiteral("QUINDORA R903 - Serie 12345 - V1.00");
    const QString longTitle(300, u'Q');
    const std::tuple<const char*, std::optional<QString>, QString, bool> cases[] = {
        // what is in front, its title, the caption, whether it is the console
        {"no foreground window", std::nullopt, caption, false},
        {"the caption", caption, caption, true},
        {"two leading blanks", QStringLiteral("  ") + caption, caption, true},
        {"a trailing blank stays", caption + QStringLiteral(" "), caption, false},
        {"a long title against itself", longTitle, longTitle, false},
        {"a long title against its first 254", longTitle, longTitle.left(254), true},
    };
    for (const auto& [name, title, captionNow, active] : cases) {
        FakeDesktop desktop;
        desktop.foreground = title;
        EXPECT_EQ(isConsoleForeground(desktop, captionNow), active) << name;
    }
}

} // namespace
