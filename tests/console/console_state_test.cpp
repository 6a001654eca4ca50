#include "console/console_state.h"

#include <gtest/gtest.h>

namespace
{

using Frame = wire::StatusFrame;

// A frame with the given extension slots (1-19) and lines (1-6) set.
Frame frame(
    std::initializer_list<std::pair<int, int>> extensions, std::initializer_list<std::pair<int, int>> lines = {})
{
    Frame f{};
    for (auto [slot, code] : extensions)
        f[slot - 1] = std::uint8_t(code);
    for (auto [line, code] : lines)
        f[wire::linePosition(line)] = std::uint8_t(code);
    return f;
}

// The state colours of the design.
constexpr Colour LightGreen = 0x0080FF80, Red = 0x000000FF, LightBlue = 0x00FF8080, Pink = 0x00FF80FF,
                 Grey = 0x00C0C0C0;

CommandAvailability::Button shown(const char* caption)
{
    return {true, QString::fromLatin1(caption)};
}
const CommandAvailability::Button Hidden{};

} // namespace

// Slot 7 or line 2 set to each code: what it shows (no text: left alone) and
// the flags it raises: extension code, line code, extension held, call waiting, console slot.
TEST(ConsoleState, EachCodeGivesItsColourTextAndFlags)
{
    struct Row {
        bool line;
        int code;
        Colour colour;
        const char* text;
        std::array<int, 5> flags;
    };
    const Row rows[] = {
        {false, 0, LightGreen, "Interno libre", {}},
        {false, 2, LightBlue, "Interno comunicado con consola", {2, 0, 0, 0, 0}},
        {false, 3, LightBlue, "Interno llamado por consola", {3, 0, 0, 0, 0}},
        {false, 4, LightBlue, "Interno llamando a consola", {0, 0, 0, 1, 0}},
        {false, 5, LightBlue, "Interno retenido por consola", {0, 0, 1, 0, 0}},
        {false, 6, Grey, "Interno deshabilitado", {}},
        {false, 7, 0, nullptr, {}},
        {false, 0xC4, Pink, "Consola", {0, 0, 0, 0, 7}},
        {true, 2, LightBlue, "Línea tomada por consola", {0, 2, 0, 0, 0}},
        {true, 3, Red, "Línea ocupada", {}},
        {true, 4, LightBlue, "Línea retenida por consola", {0, 4, 0, 0, 0}},
        {true, 5, Pink, "Línea estacionada por consola", {}},
        {true, 6, LightGreen, "Línea llamando a consola", {0, 0, 0, 1, 0}},
        {true, 7, LightBlue, "Línea transferida/devuelta a consola", {0, 0, 0, 1, 0}},
        {true, 8, 0, nullptr, {}},
    };
    for (const Row& r : rows) {
        ConsoleState state;
        const FrameDisplay d = state.applyFrame(r.line ? frame({}, {{2, r.code}}) : frame({{7, r.code}}));
        const std::optional<StateDisplay> expected
            = r.text ? std::optional(StateDisplay{r.colour, QString::fromUtf8(r.text)}) : std::nullopt;
        EXPECT_EQ(r.line ? d.lines[1] : d.extensions[6], expected) << r.line << " " << r.code;
        const std::array<int, 5> flags = {
            state.extensionCode(), state.lineCode(), state.extensionHeld(), state.callWaiting(), state.consoleSlot()};
        EXPECT_EQ(flags, r.flags) << r.line << " " << r.code;
    }
}

TEST(ConsoleState, CommandAvailabilityTable)
{
    struct Case {
        const char* name;
        Frame f;
        CommandAvailability expected;
    };
    const Case cases[] = {
        {"no own extension", frame({{3, 2}}), {Hidden, Hidden}},
        {"console idle", frame({{19, 0x80}, {3, 2}}), {Hidden, Hidden}},
        {"line held, talking to extension", frame({{19, 0xC0}, {3, 2}}, {{2, 4}}), {shown("TRANSFIERE"), Hidden}},
        {"talking to extension", frame({{19, 0xC0}, {3, 2}}), {shown("CORTA"), shown("RETIENE")}},
        {"line taken", frame({{19, 0xC0}}, {{1, 2}}), {shown("CORTA"), shown("RETIENE")}},
        {"calling, extension held", frame({{19, 0xC0}, {3, 3}, {5, 5}}), {shown("TRANSFIERE"), shown("RECUPERA")}},
        {"calling, line held", frame({{19, 0xC0}, {3, 3}}, {{4, 4}}), {shown("TRANSFIERE"), shown("RECUPERA")}},
        {"extension held", frame({{19, 0xC0}, {5, 5}}), {shown("CORTA"), shown("RECUPERA")}},
        {"line held", frame({{19, 0xC0}}, {{6, 4}}), {shown("CORTA"), shown("RECUPERA")}},
        {"calling 7 after talking to 3", frame({{19, 0xC0}, {3, 2}, {7, 3}}), {shown("CORTA"), Hidden}},
        {"the last line decides", frame({{19, 0xC0}}, {{1, 2}, {5, 4}}), {shown("CORTA"), shown("RECUPERA")}},
        {"the highest own slot decides", frame({{4, 0x80}, {9, 0xC0}}), {shown("CORTA"), Hidden}},
        {"own byte 0xC4 is not a caller", frame({{19, 0xC4}}), {shown("CORTA"), Hidden}},
    };
    for (const Case& c : cases) {
        ConsoleState state;
        state.applyFrame(c.f);
        EXPECT_EQ(state.commandAvailability(), c.expected) << c.name;
    }
}

TEST(ConsoleState, OwnExtensionOutlivesAFrameThatMarksNoneWhileTheFlagsStartAfresh)
{
    ConsoleState state;
    state.applyFrame(frame({{19, 0xC0}}, {{3, 6}}));
    ASSERT_EQ(state.callWaiting(), 1);
    state.applyFrame(frame({{19, 0x40}, {3, 2}})); // bit 7 clear: slot 19 stays the console's
    EXPECT_EQ(state.commandAvailability(), (CommandAvailability{shown("CORTA"), shown("RETIENE")}));
    EXPECT_EQ(state.callWaiting(), 0);
    state.applyFrame(frame({{3, 2}})); // slot 19 no longer engaged
    EXPECT_EQ(state.commandAvailability(), (CommandAvailability{Hidden, Hidden}));
}
