// The programmer's single-line edit: typing, caret and selection keys, mouse, drawing, and the
// code page conversion of typed and pasted text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetSurface.h"
#include "programmer/EditField.h"
#include "programmer/Windows1252.h"

namespace brio {
namespace {

constexpr int left = 37, right = 39, home = 36, end = 35, backspace = 8, del = 46;

struct EditFieldTest : ::testing::Test {
    void SetUp() override { installFontRasterizer(&font); }
    void TearDown() override { installFontRasterizer(nullptr); }
    MarkingRasterizer font;  // 6 pixels a character
};

TEST_F(EditFieldTest, KeysMoveTheCaretGrowTheSelectionAndDelete) {
    struct Step {
        int key;  // 0: type `text`
        bool shift = false, ctrl = false;
        std::string text = "";
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::string text;
        int caret, anchor;
        EditField::Outcome last;
    };
    using O = EditField::Outcome;
    const std::vector<Case> cases = {
        {"typing goes in at the caret",
         {{home}, {0, false, false, "x"}},
         "xab cd",
         1,
         1,
         O::changed},
        {"shift and the arrows select, typing replaces",
         {{left, true}, {left, true}, {0, false, false, "Z"}},
         "ab Z",
         4,
         4,
         O::changed},
        {"Home and End with Shift", {{left}, {home, true}}, "ab cd", 0, 4, O::unchanged},
        {"an arrow without Shift ends the selection at its side",
         {{home, true}, {right}},
         "ab cd",
         5,
         5,
         O::unchanged},
        {"backspace at the start does nothing", {{home}, {backspace}}, "ab cd", 0, 0, O::unchanged},
        {"backspace and delete remove one character",
         {{left}, {left}, {backspace}, {del}},
         "abd",
         2,
         2,
         O::changed},
        {"delete takes the selection",
         {{home}, {right, true}, {right, true}, {del}},
         " cd",
         0,
         0,
         O::changed},
        {"delete at the end does nothing", {{del}}, "ab cd", 5, 5, O::unchanged},
        {"Ctrl and the arrows move by words",
         {{left, false, true}, {left, false, true}, {right, true, true}},
         "ab cd",
         3,
         0,
         O::unchanged},
        {"the caret stays inside the text",
         {{right}, {right}, {home}, {left}},
         "ab cd",
         0,
         0,
         O::unchanged},
        {"control characters are dropped and the length is limited",
         {{0, false, false, "\t1\n2345678"}},
         "ab cd123",
         8,
         8,
         O::changed},
        {"a refused character refuses the whole text",
         {{0, false, false, "x;y"}},
         "ab cd",
         5,
         5,
         O::refused},
        {"nothing to type is no change", {{0, false, false, "\r"}}, "ab cd", 5, 5, O::unchanged},
        {"other keys do nothing", {{65}, {13}}, "ab cd", 5, 5, O::unchanged},
    };
    for (const Case& c : cases) {
        EditField field(10, 10, 60, 8);
        field.refuseCharacters(";<>");
        field.setText("ab cd");
        O outcome = O::unchanged;
        for (const Step& s : c.steps)
            outcome = s.key == 0 ? field.insert(s.text) : field.keyDown(s.key, s.shift, s.ctrl);
        EXPECT_EQ(field.text(), c.text) << c.what;
        EXPECT_EQ(field.caret(), c.caret) << c.what;
        EXPECT_EQ(field.anchor(), c.anchor) << c.what;
        EXPECT_EQ(outcome, c.last) << c.what;
    }
}

TEST_F(EditFieldTest, SelectionIsCutAndTheMousePlacesTheCaret) {
    EditField field(100, 20, 60, 50);
    field.setText("hello");
    field.selectAll();
    EXPECT_EQ(field.selectedText(), "hello");
    field.pressAt(100 + 1 + 6 * 2 + 2, false);  // nearer the boundary after "he"
    EXPECT_EQ(field.caret(), 2);
    EXPECT_FALSE(field.hasSelection());
    field.dragTo(100 + 1 + 6 * 4 - 2);
    EXPECT_EQ(field.selectedText(), "ll");
    field.pressAt(0, true);  // Shift and a press left of the box: the selection reaches the start
    EXPECT_EQ(field.selectedText(), "he");
    EXPECT_EQ(field.eraseSelection(), EditField::Outcome::changed);
    EXPECT_EQ(field.text(), "llo");
    EXPECT_EQ(field.eraseSelection(), EditField::Outcome::unchanged);
}

TEST_F(EditFieldTest, DrawsYellowOnGreyInsideItsBoxWithCaretAndScrollsToTheCaret) {
    Limage picture = filledImage(200, 50, black);
    EditField field(20, 10, 40, 50);
    field.setText("abcdefghijklmn");  // 84 pixels: more than the box shows
    field.paint(picture, true);
    EXPECT_EQ(changedArea(picture, black), field.box());
    EXPECT_EQ(picture.pixel(21, 10), EditField::groundColor);
    // The caret after the last character is in view at the right edge; the text is scrolled.
    int caretColumns = 0;
    for (int x = 20; x < 60; ++x) caretColumns += picture.pixel(x, 17) == EditField::textColor;
    EXPECT_EQ(caretColumns, 1);
    ASSERT_FALSE(font.calls.empty());
    EXPECT_LT(font.calls.front().x, 20);
    EXPECT_EQ(font.calls.front().color, EditField::textColor);
    EXPECT_EQ(font.calls.front().height, EditField::textSize);
    // Home scrolls back; without the focus there is no caret and no selection.
    field.keyDown(home, true, false);
    font.calls.clear();
    field.paint(picture, false);
    EXPECT_EQ(font.calls.front().x, 21);
    for (const auto& call : font.calls) EXPECT_EQ(call.color, EditField::textColor);
    EXPECT_EQ(countPixels(picture, EditField::selectionColor), 0);
    field.paint(picture, true);
    EXPECT_GT(countPixels(picture, EditField::selectionColor), 0);
}

TEST(EditFieldText, TypedAndPastedTextIsConvertedBetweenUtf8AndTheCodePage) {
    struct Case {
        std::string utf8;
        std::string codePage;
    };
    const std::vector<Case> cases = {
        {"Bossa", "Bossa"},
        {"Caf\xC3\xA9", "Caf\xE9"},
        {"\xE2\x82\xAC 5", "\x80 5"},
        {"\xC5\x93uvre", "\x9Cuvre"},
        {"\xE2\x80\x9Cq\xE2\x80\x9D", "\x93q\x94"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(windows1252FromUtf8(c.utf8), c.codePage) << c.utf8;
        EXPECT_EQ(utf8FromWindows1252(c.codePage), c.utf8) << c.utf8;
    }
    // Characters the code page lacks and broken sequences are left out.
    EXPECT_EQ(windows1252FromUtf8("a\xE6\x97\xA5"
                                  "b\xF0\x9F\x8E\xB9"
                                  "c\xC3"
                                  "d\x80"),
              "abcd");
    EXPECT_EQ(utf8FromWindows1252("a\x81\x8D"
                                  "b"),
              "ab");
}

}  // namespace
}  // namespace brio
