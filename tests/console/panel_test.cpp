#include "console/panel.h"

#include "recording_panel_view.h"

#include <gtest/gtest.h>

namespace
{

using Estados = std::array<std::uint8_t, ConsoleState::EstadosSize>;

Estados withExtension(int index, int code)
{
    Estados e{};
    e[index] = std::uint8_t(code);
    return e;
}

Estados withLine(int index, int code)
{
    Estados e{};
    e[19 + index] = std::uint8_t(code);
    return e;
}

} // namespace

TEST(Panel, StartsWithDesignCaptionsAndFreeLinesAfterLayout)
{
    RecordingPanelView view;
    Panel panel(view);
    EXPECT_EQ(panel.numberLabel(0).caption, "11");
    EXPECT_EQ(panel.numberLabel(16).caption, "10");
    EXPECT_EQ(panel.numberLabel(18).caption, "Virtual");
    EXPECT_EQ(panel.lineLabel(5).caption, "L6");
    EXPECT_EQ(panel.corta().caption, "CORTA");
    EXPECT_FALSE(panel.corta().visible);
    EXPECT_TRUE(panel.recupera().caption.isEmpty());
    EXPECT_EQ(panel.line(1).colour, design::LineColours[1]);
    panel.layOut(paletteFromLineColours(design::LineColours));
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(panel.line(k).colour, 0x0080FF80u);
    EXPECT_EQ(panel.extension(3).colour, 0x0080FF80u);
    EXPECT_TRUE(panel.numberLabel(0).tooltip.isEmpty());
}

TEST(Panel, SlowAndFastBlinkPerCode)
{
    // Extension codes: which tick toggles them.
    struct Case {
        int code;
        bool slow;
        bool fast;
    };
    for (const Case c : {Case{0, false, false}, {1, false, false}, {2, false, false}, {3, true, false},
             {4, false, false}, {5, false, true}, {6, false, false}}) {
        RecordingPanelView view;
        Panel panel(view);
        const Estados e = withExtension(4, c.code);
        panel.slowBlink(e);
        EXPECT_EQ(panel.extension(4).drawMode, c.slow ? DrawMode::White : DrawMode::Copy) << c.code;
        panel.slowBlink(e);
        EXPECT_EQ(panel.extension(4).drawMode, DrawMode::Copy) << c.code;
        panel.fastBlink(e);
        EXPECT_EQ(panel.extension(4).drawMode, c.fast ? DrawMode::White : DrawMode::Copy) << c.code;
    }
    for (const Case c : {Case{0, false, false}, {1, false, false}, {2, false, false}, {3, true, false},
             {4, false, true}, {5, false, true}, {6, true, false}, {7, true, false}}) {
        RecordingPanelView view;
        Panel panel(view);
        const Estados e = withLine(2, c.code);
        panel.slowBlink(e);
        EXPECT_EQ(panel.line(2).drawMode, c.slow ? DrawMode::White : DrawMode::Copy) << c.code;
        panel.slowBlink(e);
        panel.fastBlink(e);
        EXPECT_EQ(panel.line(2).drawMode, c.fast ? DrawMode::White : DrawMode::Copy) << c.code;
    }
}

TEST(Panel, UnlistedCodesAndOwnExtensionKeepTheirPhase)
{
    RecordingPanelView view;
    Panel panel(view);
    panel.slowBlink(withExtension(0, 3));
    ASSERT_EQ(panel.extension(0).drawMode, DrawMode::White);
    for (int code : {0x80, 0xC0, 7, 100}) {
        panel.slowBlink(withExtension(0, code));
        panel.fastBlink(withExtension(0, code));
        EXPECT_EQ(panel.extension(0).drawMode, DrawMode::White) << code;
    }
    // A steady code brings the colour back at the next slow tick; fast ticks leave it.
    panel.fastBlink(withExtension(0, 1));
    EXPECT_EQ(panel.extension(0).drawMode, DrawMode::White);
    panel.slowBlink(withExtension(0, 1));
    EXPECT_EQ(panel.extension(0).drawMode, DrawMode::Copy);
}

TEST(Panel, ReportsOnlyElementsThatChanged)
{
    RecordingPanelView view;
    Panel panel(view);
    ConsoleState state;
    std::array<std::uint8_t, 25> f{};
    f[2] = 1;
    f[20] = 2;
    f[0] = 9; // unknown: untouched
    panel.showFrame(state.applyFrame(f));
    // Every known code changed its tooltip the first time (from none).
    EXPECT_EQ(view.extensions.size(), 18u);
    EXPECT_EQ(view.lines.size(), 6u);
    view.clear();
    panel.showFrame(state.applyFrame(f));
    EXPECT_TRUE(view.extensions.empty());
    EXPECT_TRUE(view.lines.empty());
    f[2] = 0;
    panel.showFrame(state.applyFrame(f));
    EXPECT_EQ(view.extensions, std::vector<int>{2});
    EXPECT_EQ(panel.numberLabel(2).tooltip, "Interno libre");
    EXPECT_EQ(panel.extension(0).colour, design::ExtensionColour);
    EXPECT_TRUE(panel.numberLabel(0).tooltip.isEmpty());

    view.clear();
    panel.slowBlink(state.estados()); // all steady already
    EXPECT_TRUE(view.extensions.empty());
}

TEST(Panel, HiddenButtonKeepsItsCaption)
{
    RecordingPanelView view;
    Panel panel(view);
    panel.setCommandButtons({{true, QStringLiteral("TRANSFIERE")}, {true, QStringLiteral("RECUPERA")}});
    panel.setCommandButtons({{false, std::nullopt}, {false, std::nullopt}});
    EXPECT_FALSE(panel.corta().visible);
    EXPECT_EQ(panel.corta().caption, "TRANSFIERE");
    EXPECT_EQ(panel.recupera().caption, "RECUPERA");
    EXPECT_EQ(view.buttons, 2);
    panel.setCommandButtons({{false, std::nullopt}, {false, std::nullopt}});
    EXPECT_EQ(view.buttons, 2);
}
