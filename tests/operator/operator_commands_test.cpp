#include "operator/operator_commands.h"

#include "console/console_state.h"
#include "console/panel.h"
#include "directory/configuration.h"
#include "fake_operator_view.h"
#include "link/cola_salida.h"
#include "operator/name_boxes.h"
#include "recording_panel_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using Frame = std::array<std::uint8_t, protocol::StatusFrameLength>;

struct Commands : ::testing::Test {
    ColaSalida cola;
    ConsoleState state;
    RecordingPanelView panelView;
    Panel panel{panelView};
    Configuration configuration;
    FakeOperatorView view;
    NameBoxes boxes{view, configuration};
    OperatorCommands commands{cola, state, panel, boxes, view};

    Commands() { view.nameBoxes = &boxes; }

    void frame(std::initializer_list<std::pair<int, int>> codes) // (Estados index, code)
    {
        Frame f{};
        for (auto [index, code] : codes)
            f[index] = std::uint8_t(code);
        panel.showFrame(state.applyFrame(f));
    }
    void clickExtension(int index, MouseButton button)
    {
        commands.press(button);
        commands.extensionClick(index);
    }
    void clickLine(int index, MouseButton button)
    {
        commands.press(button);
        commands.lineClick(index);
    }
    std::vector<int> queued() const
    {
        std::vector<int> out;
        for (int i = 0; i < ColaSalida::Places && cola.at(i); ++i)
            out.push_back(cola.at(i));
        return out;
    }
};

} // namespace

TEST_F(Commands, LeftClickOnAnExtensionIsAcceptedWhenFreeOrHeld)
{
    struct Case {
        int code;
        bool accepted;
    };
    for (const Case c : {Case{0, true}, {1, false}, {2, false}, {3, false}, {4, false}, {5, true}, {6, false},
             {0x80, false}, {0xC4, false}}) {
        ColaSalida fresh;
        cola = fresh;
        frame({{7, c.code}});
        clickExtension(7, MouseButton::Left);
        EXPECT_EQ(queued(), c.accepted ? std::vector<int>{8} : std::vector<int>{}) << c.code;
    }
}

TEST_F(Commands, UnlistedCodeKeepsThePreviousColourAndSoTheAnswer)
{
    frame({{2, 1}});
    frame({{2, 9}});
    clickExtension(2, MouseButton::Left);
    EXPECT_TRUE(queued().empty());
    frame({{2, 0}});
    frame({{2, 9}});
    clickExtension(2, MouseButton::Left);
    EXPECT_EQ(queued(), std::vector<int>{3});
}

TEST_F(Commands, EveryExtensionIsFreeBeforeTheFirstFrameAndClicksQueueEachTime)
{
    for (int i = 0; i < 19; ++i)
        clickExtension(i, MouseButton::Left);
    EXPECT_EQ(queued(), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    clickLine(0, MouseButton::Left); // full: dropped without a word
    EXPECT_EQ(cola.at(9), 10);
}

TEST_F(Commands, ExtensionClickMovesTheFocusToSalirWhateverTheButton)
{
    for (MouseButton b : {MouseButton::Left, MouseButton::Right, MouseButton::Middle, MouseButton::None}) {
        view.focus = FakeOperatorView::Nowhere;
        clickExtension(18, b);
        EXPECT_EQ(view.focus, FakeOperatorView::Salir) << int(b);
    }
    EXPECT_EQ(queued(), std::vector<int>{19});
}

TEST_F(Commands, RightClickOpensTheNameBoxExceptOnVirtual)
{
    clickExtension(17, MouseButton::Right);
    EXPECT_EQ(view.focus, 17);
    EXPECT_TRUE(view.boxes[17].visible);
    EXPECT_FALSE(view.boxes[17].readOnly);
    clickExtension(18, MouseButton::Right); // no box: ends the edit only
    EXPECT_EQ(view.focus, FakeOperatorView::Salir);
    EXPECT_FALSE(view.boxes[17].visible);
    EXPECT_TRUE(queued().empty());
}

TEST_F(Commands, LineClicksQueueOnLeftOnlyAndLeaveTheFocus)
{
    frame({{19, 1}, {20, 3}, {24, 5}});
    view.focus = 2;
    for (int k = 0; k < 6; ++k)
        clickLine(k, MouseButton::Left);
    clickLine(0, MouseButton::Right);
    clickLine(1, MouseButton::Middle);
    EXPECT_EQ(queued(), std::vector<int>({0x21, 0x22, 0x23, 0x24, 0x25, 0x26}));
    EXPECT_EQ(view.focus, 2);
}

TEST_F(Commands, ButtonsQueueTheirCodesByTheCaptionAtThePress)
{
    commands.cortaPressed();
    commands.recuperaPressed("RECUPERA");
    commands.recuperaPressed("RETIENE");
    commands.recuperaPressed("Recupera");
    commands.recuperaPressed("");
    EXPECT_EQ(queued(), std::vector<int>({0x80, 0x82, 0x81, 0x81, 0x81}));
}

TEST_F(Commands, ThePressDecidesTheButtonOfTheClick)
{
    commands.press(MouseButton::Right);
    commands.lineClick(0);
    commands.press(MouseButton::Left);
    commands.lineClick(1);
    commands.lineClick(2); // a click without a new press keeps the last button
    EXPECT_EQ(commands.botonPulsado(), MouseButton::Left);
    EXPECT_EQ(queued(), std::vector<int>({0x22, 0x23}));
}
