#include "console/console_state.h"

#include <gtest/gtest.h>

namespace {

using Frame = std::array<std::uint8_t, protocol::StatusFrameLength>;

// A frame with the given extension slots (1-19) and lines (1-6) set.
Frame frame(std::initializer_list<std::pair<int, int>> extensions, std::initializer_list<std::pair<int, int>> lines = {})
{
    Frame f{};
    for (auto [slot, code] : extensions)
        f[slot - 1] = std::uint8_t(code);
    for (auto [line, code] : lines)
        f[18 + line] = std::uint8_t(code);
    return f;
}

const Palette P = paletteFromLineColours(design::LineColours);

CommandAvailability::Button shown(const char* caption) { return {true, QString::fromLatin1(caption)}; }
const CommandAvailability::Button Hidden{};

} // namespace

TEST(ConsoleState, PaletteComesFromTheLineDesignColours)
{
    EXPECT_EQ(P.libre, 0x0080FF80u);
    EXPECT_EQ(P.ocupado, 0x000000FFu);
    EXPECT_EQ(P.consola, 0x00FF8080u);
    EXPECT_EQ(P.resaltado, 0x00FF80FFu);
    EXPECT_EQ(P.deshabilitado, 0x00C0C0C0u);
}

TEST(ConsoleState, ExtensionCodesGiveColourTextAndFlags)
{
    struct Row {
        int code;
        Colour colour;
        const char* text;
    };
    const Row rows[] = {
        {0, P.libre, "Interno libre"},
        {1, P.ocupado, "Interno ocupado"},
        {2, P.consola, "Interno comunicado con consola"},
        {3, P.consola, "Interno llamado por consola"},
        {4, P.consola, "Interno llamando a consola"},
        {5, P.consola, "Interno retenido por consola"},
        {6, P.deshabilitado, "Interno deshabilitado"},
        {0x80, P.resaltado, "Consola"},
        {0xC4, P.resaltado, "Consola"},
    };
    for (const Row& r : rows) {
        ConsoleState state;
        const FrameDisplay d = state.applyFrame(frame({{7, r.code}}));
        ASSERT_TRUE(d.extensions[6]) << r.code;
        EXPECT_EQ(*d.extensions[6], (StateDisplay{r.colour, QString::fromUtf8(r.text)})) << r.code;
        EXPECT_EQ(state.estadoInterno(), r.code == 2 || r.code == 3 ? r.code : 0);
        EXPECT_EQ(state.llamadaPendiente(), r.code == 4 ? 1 : 0) << r.code;
        EXPECT_EQ(state.internoRetenido(), r.code == 5 ? 5 : 0);
        EXPECT_EQ(state.internoConsola(), r.code >= 0x80 ? 7 : 0);
    }
}

TEST(ConsoleState, LineCodesGiveColourTextAndFlags)
{
    struct Row {
        int code;
        Colour colour;
        const char* text;
        int estadoLinea;
        int pendiente;
    };
    const Row rows[] = {
        {0, P.libre, "Línea libre", 0, 0},
        {1, P.ocupado, "Línea ocupada", 0, 0},
        {2, P.consola, "Línea tomada por consola", 2, 0},
        {3, P.ocupado, "Línea ocupada", 0, 0},
        {4, P.consola, "Línea retenida por consola", 4, 0},
        {5, P.resaltado, "Línea estacionada por consola", 0, 0},
        {6, P.libre, "Línea llamando a consola", 0, 1},
        {7, P.consola, "Línea transferida/devuelta a consola", 0, 1},
    };
    for (const Row& r : rows) {
        ConsoleState state;
        const FrameDisplay d = state.applyFrame(frame({}, {{2, r.code}}));
        ASSERT_TRUE(d.lines[1]);
        EXPECT_EQ(*d.lines[1], (StateDisplay{r.colour, QString::fromUtf8(r.text)})) << r.code;
        EXPECT_EQ(state.estadoLinea(), r.estadoLinea) << r.code;
        EXPECT_EQ(state.llamadaPendiente(), r.pendiente) << r.code;
    }
}

TEST(ConsoleState, CodesOutsideTheTablesLeaveTheDisplayAlone)
{
    ConsoleState state;
    const FrameDisplay d = state.applyFrame(frame({{1, 7}, {2, 9}, {3, 127}}, {{1, 8}, {6, 255}}));
    EXPECT_FALSE(d.extensions[0]);
    EXPECT_FALSE(d.extensions[1]);
    EXPECT_FALSE(d.extensions[2]);
    EXPECT_FALSE(d.lines[0]);
    EXPECT_FALSE(d.lines[5]);
    EXPECT_TRUE(d.extensions[3]); // code 0 in the same frame is shown
    EXPECT_EQ(state.estado(0), 7);
}

TEST(ConsoleState, HighestSlotAndLastLineDecide)
{
    ConsoleState state;
    state.applyFrame(frame({{3, 2}, {7, 3}, {4, 0x80}, {9, 0xC0}}, {{1, 2}, {5, 4}}));
    EXPECT_EQ(state.estadoInterno(), 3);
    EXPECT_EQ(state.internoConsola(), 9);
    EXPECT_EQ(state.estadoLinea(), 4);

    state.applyFrame(frame({{3, 3}, {7, 2}}, {{1, 4}, {5, 2}}));
    EXPECT_EQ(state.estadoInterno(), 2);
    EXPECT_EQ(state.estadoLinea(), 2);
}

TEST(ConsoleState, OwnExtensionIsKeptWhenAFrameMarksNone)
{
    ConsoleState state;
    state.applyFrame(frame({{19, 0xC0}}));
    state.applyFrame(frame({{3, 2}}));
    EXPECT_EQ(state.internoConsola(), 19);
    // Slot 19 now reads 0: bit 6 clear, so the console counts as idle.
    EXPECT_EQ(state.commandAvailability(), (CommandAvailability{Hidden, Hidden}));
    state.applyFrame(frame({{19, 0x40}, {3, 2}}));
    EXPECT_EQ(state.commandAvailability(), (CommandAvailability{shown("CORTA"), shown("RETIENE")}));
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
        {"engaged, nothing else", frame({{19, 0xC0}}), {shown("CORTA"), Hidden}},
        {"calling 7 after talking to 3", frame({{19, 0xC0}, {3, 2}, {7, 3}}), {shown("CORTA"), Hidden}},
        {"talking to 7 after calling 3", frame({{19, 0xC0}, {3, 3}, {7, 2}}), {shown("CORTA"), shown("RETIENE")}},
        {"own byte 0xC4 is not a caller", frame({{19, 0xC4}}), {shown("CORTA"), Hidden}},
    };
    for (const Case& c : cases) {
        ConsoleState state;
        state.applyFrame(c.f);
        EXPECT_EQ(state.commandAvailability(), c.expected) << c.name;
    }
}

TEST(ConsoleState, OwnExtensionByteDoesNotRaiseAPendingCall)
{
    ConsoleState state;
    state.applyFrame(frame({{19, 0xC4}}));
    EXPECT_EQ(state.llamadaPendiente(), 0);
    state.applyFrame(frame({}, {{3, 6}}));
    EXPECT_EQ(state.llamadaPendiente(), 1);
    state.applyFrame(frame({}));
    EXPECT_EQ(state.llamadaPendiente(), 0);
}
