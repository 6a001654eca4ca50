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

// The clicks and key rules on fakes; the window's own wiring is tested with
// the real window in the app tests.
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

    // The commands as they leave at the next polls.
    std::vector<int> sent()
    {
        std::vector<int> out;
        while (cola.at(0))
            out.push_back(cola.answerPoll());
        return out;
    }
};

} // namespace

TEST_F(Commands, ALeftClickSelectsAnExtensionThatShowsFreeOrIsHeld)
{
    // Codes sent for slot 8 one frame after another; an unlisted code keeps the colour and so the answer.
    struct Case {
        std::vector<int> codes;
        bool accepted;
    };
    for (const Case& c : {Case{{0}, true}, {{1}, false}, {{2}, false}, {{3}, false}, {{4}, false}, {{5}, true},
             {{6}, false}, {{0x80}, false}, {{0xC4}, false}, {{1, 9}, false}, {{0, 9}, true}}) {
        for (int code : c.codes) {
            std::array<std::uint8_t, protocol::StatusFrameLength> f{};
            f[7] = std::uint8_t(code);
            panel.showFrame(state.applyFrame(f));
        }
        commands.press(MouseButton::Left);
        commands.extensionClick(7);
        EXPECT_EQ(sent(), c.accepted ? std::vector<int>{8} : std::vector<int>{}) << c.codes.back();
    }
}

TEST_F(Commands, TheLastPressDecidesWhatAClickDoes)
{
    commands.press(MouseButton::Right);
    commands.lineClick(0);
    commands.press(MouseButton::Left);
    commands.lineClick(1);
    commands.lineClick(2); // a click without a new press keeps the last button
    commands.press(MouseButton::None);
    commands.extensionClick(0); // no button: the focus goes to Salir, and nothing else
    EXPECT_EQ(view.focus, FakeOperatorView::Salir);
    EXPECT_FALSE(view.boxes[0].visible);
    commands.recuperaPressed("Recupera"); // only the exact caption recovers
    EXPECT_EQ(sent(), (std::vector<int>{0x22, 0x23, 0x81}));
}
