#include "operator/name_boxes.h"

#include "directory/configuration.h"
#include "fake_operator_view.h"

#include <gtest/gtest.h>

namespace
{

struct NameBoxesTest : ::testing::Test {
    Configuration configuration;
    FakeOperatorView view;
    NameBoxes boxes{view, configuration};

    NameBoxesTest() { view.nameBoxes = &boxes; }

    // Start-up with loaded names, which is not a change.
    void load(int index, const QString& name)
    {
        configuration.nombres[index] = name;
        boxes.showNames();
        configuration.hayCambios = false;
    }
};

} // namespace

TEST_F(NameBoxesTest, StartUpShowsOnlyNamedBoxesWithoutMarkingAChange)
{
    configuration.nombres[2] = "Recepción";
    configuration.nombres[7] = "Una descripción larga"; // longer than typing allows: kept whole
    boxes.showNames();
    EXPECT_FALSE(configuration.hayCambios);
    EXPECT_TRUE(view.boxes[2].visible);
    EXPECT_EQ(view.boxes[7].text, "Una descripción larga");
    EXPECT_FALSE(view.boxes[0].visible);
    EXPECT_TRUE(view.boxes[2].readOnly);
    EXPECT_EQ(view.boxes[7].points, 9);
}

TEST_F(NameBoxesTest, OpeningAnEmptyBoxAndPressingEnterChangesNothing)
{
    boxes.open(4);
    EXPECT_TRUE(view.boxes[4].visible);
    EXPECT_FALSE(view.boxes[4].readOnly);
    EXPECT_EQ(view.focus, 4);
    view.key(4, NameBoxes::Enter);
    EXPECT_EQ(view.focus, FakeOperatorView::Salir);
    EXPECT_TRUE(view.boxes[4].readOnly);
    EXPECT_FALSE(view.boxes[4].visible);
    EXPECT_TRUE(view.boxes[4].text.isEmpty());
    EXPECT_FALSE(configuration.hayCambios);
}

TEST_F(NameBoxesTest, FontShrinksFromTheLengthBeforeEachKey)
{
    boxes.open(0);
    // Points after typing the n-th character (n = 1..11); the 11th is refused.
    const int expected[11] = {9, 9, 9, 9, 9, 9, 9, 9, 8, 7, 7};
    for (int n = 0; n < 11; ++n) {
        view.key(0, 'a' + n);
        EXPECT_EQ(view.boxes[0].points, expected[n]) << n + 1;
    }
    EXPECT_EQ(view.boxes[0].text, "abcdefghij");
    EXPECT_EQ(configuration.nombres[0], "abcdefghij");
    EXPECT_TRUE(configuration.hayCambios);

    view.key(0, NameBoxes::Backspace); // on 10 characters
    EXPECT_EQ(view.boxes[0].points, 8);
    view.key(0, NameBoxes::Backspace); // on 9
    EXPECT_EQ(view.boxes[0].points, 9);
    EXPECT_EQ(view.boxes[0].text, "abcdefgh");
    view.key(0, NameBoxes::Backspace); // on 8
    EXPECT_EQ(view.boxes[0].points, 9);
}

TEST_F(NameBoxesTest, FirstKeyReplacesTheSelectedNameButSizesFromTheOldLength)
{
    load(3, "Secretaria"); // 10 characters
    boxes.open(3);
    EXPECT_EQ(boxes.textoPrevio(), "Secretaria");
    view.key(3, 'J');
    EXPECT_EQ(view.boxes[3].text, "J");
    EXPECT_EQ(view.boxes[3].points, 7);
}

TEST_F(NameBoxesTest, EscapeRestoresTheTextTheBoxWasOpenedWith)
{
    load(1, "Ana");
    load(5, "Luis");
    boxes.open(1);
    view.key(1, NameBoxes::Enter);
    boxes.open(5);
    view.type(5, "Pedro");
    view.key(5, NameBoxes::Escape);
    EXPECT_EQ(view.boxes[5].text, "Luis"); // not the older "Ana"
    EXPECT_EQ(configuration.nombres[5], "Luis");
    EXPECT_TRUE(configuration.hayCambios);
    EXPECT_EQ(view.focus, FakeOperatorView::Salir);
    EXPECT_TRUE(view.boxes[5].readOnly);
    EXPECT_TRUE(view.boxes[5].visible);
}

TEST_F(NameBoxesTest, ErasingANameAndPressingEnterHidesTheBox)
{
    load(6, "Ana");
    boxes.open(6);
    view.key(6, NameBoxes::Backspace); // deletes the selection
    EXPECT_TRUE(view.boxes[6].text.isEmpty());
    view.key(6, NameBoxes::Enter);
    EXPECT_FALSE(view.boxes[6].visible);
    EXPECT_TRUE(configuration.hayCambios);
    EXPECT_TRUE(configuration.nombres[6].isEmpty());
}

TEST_F(NameBoxesTest, ReadOnlyBoxIgnoresEveryKeyButEnter)
{
    load(2, "Caja");
    view.boxes[2].points = 8;
    view.moveFocus(2); // reached with Tab, not opened
    for (int code : {int('x'), NameBoxes::Escape, NameBoxes::Backspace}) {
        EXPECT_TRUE(boxes.keyPress(2, code)) << code; // goes on, and the read-only box drops it
        view.key(2, code);
    }
    EXPECT_EQ(view.boxes[2].text, "Caja");
    EXPECT_EQ(view.boxes[2].points, 8);
    EXPECT_EQ(view.focus, 2);
    EXPECT_FALSE(configuration.hayCambios);
    EXPECT_FALSE(boxes.keyPress(2, NameBoxes::Enter));
    EXPECT_EQ(view.focus, FakeOperatorView::Salir);
}

TEST_F(NameBoxesTest, LosingFocusEndsTheEdit)
{
    load(9, "Pepe");
    boxes.open(9);
    view.moveFocus(FakeOperatorView::Nowhere);
    EXPECT_TRUE(view.boxes[9].readOnly);
    EXPECT_TRUE(view.boxes[9].visible);
    boxes.open(10);
    view.moveFocus(FakeOperatorView::Salir);
    EXPECT_FALSE(view.boxes[10].visible);
}
