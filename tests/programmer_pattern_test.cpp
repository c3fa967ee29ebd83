// The style programmer's pattern logic: the pop-up menu's operations, the step grid and the
// mouse strokes on it, the index digits and the part controls.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestFiles.h"
#include "accompaniment/ArpeggioStyle.h"
#include "programmer/GridStroke.h"
#include "programmer/PatternOperations.h"
#include "programmer/StepGrid.h"
#include "programmer/StyleEditor.h"

namespace brio {
namespace {

using Notes = std::vector<std::tuple<int, int, int, double>>;  // key, vel, pos, len

ArpeggioStyle patternOf(int length, const Notes& notes) {
    ArpeggioStyle pattern;
    pattern.name = "P";
    pattern.length = length;
    for (const auto& [key, vel, pos, len] : notes)
        pattern.notes.append(ArpeggioNote{key, vel, pos, len});
    return pattern;
}

Notes notesOf(const ArpeggioStyle& pattern) {
    Notes notes;
    for (const ArpeggioNote& n : pattern.notes) notes.emplace_back(n.key, n.vel, n.pos, n.len);
    return notes;
}

TEST(ProgrammerOperations, MenuOffersTheOperationsInOrderWithTheirSeparators) {
    EXPECT_EQ(
        test::itemsOf(PatternOperations::menuItems()),
        (std::vector<std::string>{"Copy first 8 steps", "Copy first 16 steps",
                                  "Copy first 32 steps", "-Copy first 12 steps",
                                  "Copy first 24 steps", "-Double Speed", "-Create Power Chords"}));
    const std::vector<int> tags = {
        8, 16, 32, 12, 24, PatternOperations::doubleSpeedTag, PatternOperations::powerChordsTag, 0};
    for (int i = 0; i < int(tags.size()); ++i)
        EXPECT_EQ(PatternOperations::tagOf(i), tags[size_t(i)]) << i;
    EXPECT_EQ(PatternOperations::tagOf(-1), 0);
}

TEST(ProgrammerOperations, EachOperationReshapesThePatternAsDescribed) {
    struct Case {
        const char* what;
        int tag;
        int length;
        Notes before;
        int lengthAfter;
        Notes after;
    };
    const std::vector<Case> cases = {
        {"double speed of 15 steps: steps 1 and 0 meet on 0",
         PatternOperations::doubleSpeedTag,
         15,
         {{36, 100, 1, 1.0}, {38, 90, 0, 0.5}, {42, 80, 14, 2.0}, {44, 70, -3, 1.0}},
         7,
         {{36, 100, 0, 0.5}, {38, 90, 0, 0.25}, {42, 80, 7, 1.0}, {44, 70, -1, 0.5}}},
        {"copy first 12 of 16: steps 0..3 repeat at 12..15, 4..11 stay single",
         12,
         16,
         {{36, 100, 0, 1.0},
          {38, 100, 3, 1.0},
          {42, 100, 4, 1.0},
          {46, 100, 11, 1.0},
          {49, 100, 12, 1.0}},
         16,
         {{36, 100, 0, 1.0},
          {38, 100, 3, 1.0},
          {42, 100, 4, 1.0},
          {46, 100, 11, 1.0},
          {36, 100, 12, 1.0},
          {38, 100, 15, 1.0}}},
        {"copy first 8 of 32: all copies of one note before the next",
         8,
         32,
         {{36, 100, 1, 1.0}, {38, 100, 20, 1.0}, {42, 100, 7, 1.0}},
         32,
         {{36, 100, 1, 1.0},
          {42, 100, 7, 1.0},
          {36, 100, 9, 1.0},
          {36, 100, 17, 1.0},
          {36, 100, 25, 1.0},
          {42, 100, 15, 1.0},
          {42, 100, 23, 1.0},
          {42, 100, 31, 1.0}}},
        {"copies stop at the grid's 64 steps even for a longer pattern",
         32,
         1000000,
         {{36, 100, 31, 1.0}},
         1000000,
         {{36, 100, 31, 1.0}, {36, 100, 63, 1.0}}},
        {"a note far before step 0 is copied from step 0 on, without a long walk",
         16,
         32,
         {{36, 100, -2147483647, 1.0}},
         32,
         {{36, 100, -2147483647, 1.0}, {36, 100, 1, 1.0}, {36, 100, 17, 1.0}}},
        {"power chords: two copies behind every key 60",
         PatternOperations::powerChordsTag,
         16,
         {{60, 100, 0, 1.0}, {48, 90, 2, 1.0}, {60, 80, 4, 0.5}},
         16,
         {{60, 100, 0, 1.0},
          {67, 100, 0, 1.0},
          {72, 100, 0, 1.0},
          {48, 90, 2, 1.0},
          {60, 80, 4, 0.5},
          {67, 80, 4, 0.5},
          {72, 80, 4, 0.5}}},
    };
    for (const Case& c : cases) {
        ArpeggioStyle pattern = patternOf(c.length, c.before);
        EXPECT_TRUE(PatternOperations::apply(pattern, c.tag)) << c.what;
        EXPECT_EQ(pattern.length, c.lengthAfter) << c.what;
        EXPECT_EQ(notesOf(pattern), c.after) << c.what;
        EXPECT_EQ(pattern.name, "P") << c.what;
    }
    ArpeggioStyle untouched = patternOf(16, {{36, 100, 0, 1.0}});
    EXPECT_FALSE(PatternOperations::apply(untouched, 0));
    EXPECT_EQ(notesOf(untouched), (Notes{{36, 100, 0, 1.0}}));
}

TEST(ProgrammerGrid, LoadShowsOnlyNotesThatFitAndStoreRebuildsThemStepByStep) {
    // Key 90 and step 64 lie outside; a later note on a cell overwrites an earlier one.
    ArpeggioStyle pattern = patternOf(64, {{38, 90, 4, 1.0},
                                           {90, 100, 0, 1.0},
                                           {36, 100, 4, 2.5},
                                           {81, 50, 63, 1.0},
                                           {35, 70, 64, 1.0},
                                           {38, 30, 4, 0.5},
                                           {-2147483647 - 1, 1, 0, 1.0},
                                           {34, 100, 0, 1.0}});
    StepGrid grid;
    grid.cell(10, 10) = GridCell{1, 1.0};  // gone after the load
    grid.load(pattern);
    EXPECT_FALSE(grid.cell(10, 10).hasNote());
    EXPECT_EQ(grid.cell(4, 3).vel, 30);
    EXPECT_EQ(grid.cell(4, 3).len, 0.5);
    EXPECT_EQ(grid.cell(63, 46).vel, 50);
    grid.storeNotes(pattern);
    EXPECT_EQ(notesOf(pattern), (Notes{{36, 100, 4, 2.5}, {38, 30, 4, 0.5}, {81, 50, 63, 1.0}}));
    grid.clear();
    grid.storeNotes(pattern);
    EXPECT_TRUE(pattern.notes.empty());
}

TEST(ProgrammerGrid, AJumpingDragPaintsEveryCellOnItsWayAndModifiersChangeANote) {
    StepGrid grid;
    GridStroke stroke;
    // A left drag from an empty cell paints every cell passed, even when the mouse jumps.
    EXPECT_TRUE(stroke.touch(grid, {0, 5, 1, false, false, false}));
    EXPECT_TRUE(stroke.drag(grid, 0, 5, {6, 8, 1, false, false, true}));
    for (int step = 0; step <= 6; ++step) {
        int painted = 0;
        for (int row = 0; row < StepGrid::rowCount; ++row)
            painted += grid.cell(step, row).hasNote();
        EXPECT_EQ(painted, 1) << "step " << step;
    }
    EXPECT_EQ(grid.cell(0, 5).vel, GridStroke::newVelocity);
    EXPECT_EQ(grid.cell(6, 8).len, 1.0);
    // Ctrl: +-0.5 step, never below 0.5; Alt: +-10, held within 10..120. Only on a press on a
    // note; otherwise the press paints as usual.
    struct Case {
        GridCell before;
        int button;
        bool ctrl, alt, dragging;
        GridCell after;
    };
    const std::vector<Case> cases = {
        {{100, 1.0}, 2, true, false, false, {100, 1.5}},
        {{100, 1.0}, 1, true, false, false, {100, 0.5}},
        {{100, 0.5}, 1, true, false, false, {100, 0.5}},
        {{100, 0.75}, 1, true, false, false, {100, 0.5}},
        {{100, 1.0}, 2, false, true, false, {110, 1.0}},
        {{15, 1.0}, 1, false, true, false, {10, 1.0}},
        {{118, 1.0}, 2, false, true, false, {120, 1.0}},
        {{127, 1.0}, 2, false, true, false, {120, 1.0}},
        {{100, 1.0}, 2, true, true, false, {100, 1.5}},
        {{0, 1.0}, 2, true, false, false, {100, 1.0}},
        {{0, 1.0}, 1, false, true, false, {100, 1.0}},
        {{100, 1.0}, 1, true, false, true, {100, 1.0}},
    };
    for (const Case& c : cases) {
        StepGrid one;
        GridStroke s;
        if (c.dragging)
            s.touch(one, {1, 1, 1, false, false, false});  // a painting stroke on another cell
        one.cell(3, 3) = c.before;
        s.touch(one, {3, 3, c.button, c.ctrl, c.alt, c.dragging});
        EXPECT_EQ(one.cell(3, 3).vel, c.after.vel) << c.before.vel << " " << c.ctrl << c.alt;
        EXPECT_EQ(one.cell(3, 3).len, c.after.len) << c.before.len << " " << c.ctrl << c.alt;
    }
    EXPECT_FALSE(stroke.touch(grid, {64, 0, 1, false, false, false}));
    EXPECT_FALSE(stroke.touch(grid, {0, -1, 1, false, false, false}));
}

TEST(ProgrammerEditor, DigitsAndControlsStayWithinTheirRanges) {
    using ProgrammerLayout::Digit;
    struct DigitCase {
        int value;
        Digit digit;
        int number;
        int result;
    };
    for (const DigitCase& c : std::vector<DigitCase>{{123, Digit::hundreds, 3, 323},
                                                     {123, Digit::tens, 9, 193},
                                                     {123, Digit::units, 0, 120},
                                                     {4500, Digit::units, 1, 3501},
                                                     {-5, Digit::tens, 2, 20},
                                                     {99, Digit::hundreds, 7, 799},
                                                     {99, Digit::thousands, 7, 3099},
                                                     {2147483647, Digit::units, 0, 3640}}) {
        EXPECT_EQ(StyleEditor::withDigit(c.value, c.digit, c.number), c.result)
            << c.value << " " << c.number;
    }
    using namespace ProgrammerLayout;
    struct ControlCase {
        PartControl control;
        int start;
        bool raise, ctrl;
        int result;
    };
    const std::vector<ControlCase> cases = {
        {toneControl, 0, false, false, 0},      {toneControl, 0, true, false, 1},
        {toneControl, 0, true, true, 10},       {toneControl, 125, true, true, 127},
        {volumeControl, 100, true, false, 100}, {volumeControl, 100, false, true, 95},
        {volumeControl, 3, false, false, 0},    {keyControl, 0, true, false, 12},
        {keyControl, 120, true, true, 127},     {keyControl, -120, false, false, -127},
        {modeControl, 1, true, false, 2},       {modeControl, 1, true, true, 3},
        {modeControl, 2, false, true, 0},       {volumeControl, 500, false, false, 100},
    };
    for (const ControlCase& c : cases) {
        StyleEditor editor;
        editor.parts[2].value(c.control) = c.start;
        EXPECT_EQ(editor.adjust(2, c.control, c.raise, c.ctrl), c.result != c.start);
        EXPECT_EQ(editor.parts[2].value(c.control), c.result) << c.control << " from " << c.start;
    }
    StyleEditor editor;
    EXPECT_FALSE(editor.adjust(5, toneControl, true, false));
    EXPECT_FALSE(editor.adjust(0, controlCount, true, false));
}

}  // namespace
}  // namespace brio
