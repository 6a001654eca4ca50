#include "console/panel.h"

#include "recording_panel_view.h"

#include <gtest/gtest.h>

TEST(Panel, ReportsOnlyElementsWhoseShowingChanged)
{
    RecordingPanelView view;
    Panel panel(view);
    ConsoleState state;
    std::array<std::uint8_t, protocol::StatusFrameLength> f{};
    f[0] = 9; // unknown: untouched
    f[2] = 1;
    f[20] = 2;
    panel.showFrame(state.applyFrame(f));
    // Every known code changed its tooltip the first time (from none).
    EXPECT_EQ(view.extensions.size(), 18u);
    EXPECT_EQ(view.lines.size(), 6u);
    EXPECT_EQ(panel.extension(0).colour, design::ExtensionColour);
    EXPECT_TRUE(panel.numberLabel(0).tooltip.isEmpty());
    view.clear();
    panel.showFrame(state.applyFrame(f));
    EXPECT_TRUE(view.extensions.empty() && view.lines.empty());
    f[2] = 0;
    panel.showFrame(state.applyFrame(f));
    EXPECT_EQ(view.extensions, std::vector<int>{2});
    EXPECT_EQ(panel.numberLabel(2).tooltip, "Interno libre");
}

TEST(Panel, AHiddenButtonKeepsItsCaptionAndOnlyAChangeIsReported)
{
    RecordingPanelView view;
    Panel panel(view);
    panel.setCommandButtons({{true, QStringLiteral("TRANSFIERE")}, {true, QStringLiteral("RECUPERA")}});
    panel.setCommandButtons({});
    panel.setCommandButtons({});
    EXPECT_FALSE(panel.corta().visible);
    EXPECT_EQ(panel.corta().caption, "TRANSFIERE");
    EXPECT_EQ(panel.recupera().caption, "RECUPERA");
    EXPECT_EQ(view.buttons, 2);
}
