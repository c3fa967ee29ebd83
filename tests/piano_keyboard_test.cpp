#include <gtest/gtest.h>

#include <map>

#include <vector>

#include "Snapshot.h"
#include "graphics/Canvas.h"
#include "graphics/Limage.h"
#include "graphics/PianoKeyboard.h"

namespace brio {
namespace {

constexpr Color areaColor = 0x303030;

// A canvas standing in for the window: remembers every area copied to it.
struct WindowStandIn : DamageSink {
    WindowStandIn() {
        image.create(1000, 200);
        image.fill(0xFF00FF);
        image.canvas().setDamageSink(this);
    }
    void damaged(const Rect& area) override { areas.push_back(area); }
    Limage image;
    std::vector<Rect> areas;
};

PianoKeyboard builtPiano(int size) {
    PianoKeyboard piano;
    piano.build(6, size, areaColor);
    return piano;
}

TEST(PianoKeyboard, KeyCountsFollowTheOctavesAndStopAt88) {
    PianoKeyboard piano;
    piano.build(0, 20, areaColor);
    EXPECT_EQ(piano.keyCount(), 1);
    EXPECT_EQ(piano.whiteCount(), 1);
    piano.build(6, 20, areaColor);
    EXPECT_EQ(piano.keyCount(), 73);
    EXPECT_EQ(piano.whiteCount(), 43);
    EXPECT_EQ(piano.width(), 43 * 21 + 1);
    EXPECT_EQ(piano.height(), 135);
    piano.build(8, 20, areaColor);
    EXPECT_EQ(piano.keyCount(), 88);
    piano.build(-3, 20, areaColor);
    EXPECT_EQ(piano.keyCount(), 1);
}

TEST(PianoKeyboard, KeySizesAtTwentyAndTwentyFour) {
    PianoKeyboard small = builtPiano(20);
    EXPECT_EQ(small.keyRect(0), makeRect(1, 0, 21, 133));
    EXPECT_EQ(small.keyRect(2), makeRect(22, 0, 42, 133));
    EXPECT_EQ(small.keyRect(1), makeRect(14, 0, 27, 88));  // C#: 21 - 13 / 2 - 1
    EXPECT_EQ(small.keyRect(3), makeRect(37, 0, 50, 88));  // D#: 42 - 6 + 1
    EXPECT_EQ(small.keyRect(6), makeRect(76, 0, 89, 88));  // F#: 21 + 2 x 21 ... - 2
    EXPECT_EQ(small.whiteKeyImage().width(), 20);
    EXPECT_EQ(small.whiteKeyImage().height(), 133);
    EXPECT_EQ(small.blackKeyImage().width(), 13);
    EXPECT_EQ(small.blackKeyImage().height(), 88);

    PianoKeyboard large = builtPiano(24);
    EXPECT_EQ(large.whiteKeyImage().width(), 25);
    EXPECT_EQ(large.whiteKeyImage().height(), 159);
    EXPECT_EQ(large.blackKeyImage().width(), 15);
    EXPECT_EQ(large.blackKeyImage().height(), 106);
}

TEST(PianoKeyboard, BlackKeysWinTheHitTestAndInvalidIndicesAreIgnored) {
    PianoKeyboard piano = builtPiano(20);
    EXPECT_EQ(piano.keyAt(15, 10), 1);   // over C# and C
    EXPECT_EQ(piano.keyAt(15, 100), 0);  // below the black key: C
    EXPECT_EQ(piano.keyAt(0, 10), -1);   // the frame left of the first key
    EXPECT_EQ(piano.keyAt(5000, 10), -1);
    piano.pressKey(-1);
    piano.pressKey(piano.keyCount());
    EXPECT_FALSE(piano.isDown(-1));
    EXPECT_FALSE(piano.isDown(piano.keyCount()));
    EXPECT_EQ(piano.keyRect(-1), emptyRect);
    PianoKeyboard unbuilt;
    unbuilt.pressKey(0);  // no picture yet: nothing is marked
    EXPECT_FALSE(unbuilt.isDown(0));
}

TEST(PianoKeyboard, ComputerKeysMapToPianoKeysWithTheOctaveShift) {
    PianoKeyboard piano = builtPiano(20);
    EXPECT_EQ(piano.keyForCode('Z'), 9);
    EXPECT_EQ(piano.keyForCode(16), 7);
    EXPECT_EQ(piano.keyForCode(39), 29);
    EXPECT_EQ(piano.keyForCode('Q'), 31);
    EXPECT_EQ(piano.keyForCode('4'), -1);
    EXPECT_EQ(piano.keyForCode(300), -1);
    EXPECT_EQ(piano.keyForCode(-1), -1);
    EXPECT_EQ(piano.codeForKey(12), 'C');
    EXPECT_EQ(piano.codeForKey(-1), -1);
    EXPECT_EQ(piano.codeForKey(72), -1);
    piano.setOctaveShift(40);
    EXPECT_EQ(piano.getOctaveShift(), 36);
    EXPECT_EQ(piano.keyForCode('1'), 66);
    piano.setOctaveShift(-5);
    EXPECT_EQ(piano.keyForCode('1'), 30);
}

TEST(PianoKeyboard, EveryCodeMapsToItsTableKeyOrToNothingAtEveryOctaveShift) {
    // The two blocks by physical key: Shift, the Z and A rows and the arrows; the number and Q rows.
    const std::vector<std::pair<int, int>> lower{
        {16, 7},   {'A', 8},  {'Z', 9},  {'S', 10}, {'X', 11}, {'C', 12}, {'F', 13}, {'V', 14},
        {'G', 15}, {'B', 16}, {'N', 17}, {'J', 18}, {'M', 19}, {'K', 20}, {188, 21}, {'L', 22},
        {190, 23}, {191, 24}, {222, 25}, {37, 26},  {38, 27},  {40, 28},  {39, 29}};
    const std::vector<std::pair<int, int>> upper{
        {'1', 30}, {'Q', 31}, {'2', 32}, {'W', 33}, {'3', 34}, {'E', 35}, {'R', 36},
        {'5', 37}, {'T', 38}, {'6', 39}, {'Y', 40}, {'U', 41}, {'8', 42}, {'I', 43},
        {'9', 44}, {'O', 45}, {'0', 46}, {'P', 47}, {219, 48}, {187, 49}, {221, 50}};
    PianoKeyboard piano = builtPiano(20);
    // Shifts in an order that rebuilds the map repeatedly, back to 0 at the end.
    for (const int shift : {0, 12, 24, 12, 36, 0}) {
        piano.setOctaveShift(shift);
        std::map<int, int> expected;
        for (const auto& [code, key] : lower) expected[code] = key;
        for (const auto& [code, key] : upper) expected[code] = key + shift;
        for (int code = -1; code <= 256; ++code) {
            const auto found = expected.find(code);
            ASSERT_EQ(piano.keyForCode(code), found == expected.end() ? -1 : found->second)
                << "code " << code << " at shift " << shift;
        }
    }
}

TEST(PianoKeyboard, KeyPicturesHaveTheirShades) {
    PianoKeyboard piano = builtPiano(20);
    const Limage& whiteKey = piano.whiteKeyImage();
    EXPECT_EQ(whiteKey.pixel(10, 60), 0xF4F4F4);
    EXPECT_EQ(whiteKey.pixel(0, 60), 0xFFFFFF);    // lit left edge
    EXPECT_EQ(whiteKey.pixel(19, 60), 0xE7E7E7);   // shaded right edge
    EXPECT_EQ(whiteKey.pixel(0, 132), areaColor);  // rounded bottom corners
    EXPECT_EQ(whiteKey.pixel(19, 132), areaColor);

    const Limage& blackKey = piano.blackKeyImage();
    EXPECT_EQ(blackKey.pixel(6, 40), 0x404040);
    EXPECT_EQ(blackKey.pixel(0, 40), black);
    EXPECT_EQ(blackKey.pixel(12, 40), black);
    EXPECT_EQ(blackKey.pixel(1, 0), 0x505050);     // highlight column starts dark at the top
    EXPECT_EQ(blackKey.pixel(1, 79), 0x909090);    // and is brightest at the lip (row 79)
    EXPECT_EQ(blackKey.pixel(6, 79), 0x202020);    // the lip's edge
    EXPECT_EQ(piano.pressedBlackKeyImage().pixel(6, 40), 0x333333);

    EXPECT_EQ(piano.sideShadowImage().pixel(0, 0), 0x858585);
    EXPECT_EQ(piano.sideShadowImage().pixel(3, 0), white);
    EXPECT_EQ(piano.sideShadowImage().pixel(0, 87), white);
    EXPECT_EQ(piano.pressedSideShadowImage().pixel(0, 0), 0x929292);  // 10 % towards white
}

TEST(PianoKeyboard, FullPaintDrawsTheFeltStripAndCopiesEveryKey) {
    PianoKeyboard piano = builtPiano(20);
    WindowStandIn window;
    piano.paint(window.image.canvas(), true, 10, 20, false);
    EXPECT_EQ(window.areas.size(), 73u);
    const Limage& keyboard = piano.keyboardImage();
    EXPECT_EQ(keyboard.pixel(100, 0), 0x100559);  // felt, shaded
    EXPECT_EQ(keyboard.pixel(100, 1), 0x180880);
    EXPECT_EQ(keyboard.pixel(5, 2), 0x180880);    // the felt line over a white key
    EXPECT_EQ(keyboard.pixel(5, 60), 0xF4F4F4);
    EXPECT_EQ(keyboard.pixel(5, 134), areaColor);  // bottom rows in the background colour
    EXPECT_EQ(window.image.pixel(10 + 5, 20 + 60), 0xF4F4F4);
}

TEST(PianoKeyboard, RepaintTouchesOnlyKeysWhoseNeighbourhoodChanged) {
    PianoKeyboard piano = builtPiano(20);
    WindowStandIn window;
    piano.paint(window.image.canvas(), true, 0, 0, false);
    window.areas.clear();
    piano.paint(window.image.canvas(), false, 0, 0, false);
    EXPECT_TRUE(window.areas.empty());

    piano.pressKey(2);  // D: its white neighbour E and both black neighbours are redrawn
    piano.paint(window.image.canvas(), false, 0, 0, false);
    const Rect d = piano.keyRect(2);
    const std::vector<Rect> expected{piano.keyRect(1), makeRect(d.left - 1, 0, d.right, 134), piano.keyRect(3),
                                     makeRect(piano.keyRect(4).left - 1, 0, piano.keyRect(4).right, 134)};
    EXPECT_EQ(window.areas, expected);
    const Limage& keyboard = piano.keyboardImage();
    EXPECT_EQ(keyboard.pixel(d.left + 10, 2), 0x180880);
    EXPECT_EQ(keyboard.pixel(d.left + 10, 134), 0xF0F0F0);  // the pressed key sits lower...
    const Rect e = piano.keyRect(4);
    EXPECT_EQ(keyboard.pixel(e.left + 10, 134), areaColor);  // ...than a key at rest
}

TEST(PianoKeyboard, PressedKeysAreDarkerAndShowDots) {
    PianoKeyboard piano = builtPiano(20);
    WindowStandIn window;
    piano.pressKey(0);
    piano.pressKey(6);
    piano.paint(window.image.canvas(), true, 0, 0, true);
    const Limage& keyboard = piano.keyboardImage();
    EXPECT_EQ(keyboard.pixel(10, 62), 0xF0F0F0);  // 0xF4 tinted by 0xFB
    const Rect c = piano.keyRect(0);
    const Color dot = keyboard.pixel(c.left + 10, 133 + 2 - 20);
    EXPECT_EQ(dot, PianoKeyboard::dotColor);
    const Rect fSharp = piano.keyRect(6);
    EXPECT_EQ(keyboard.pixel(fSharp.left + 6, 88 - 24), PianoKeyboard::dotColor);
}

// A part of an image enlarged `factor` times, for looking at single pixels.
Limage zoomed(const Limage& source, int left, int top, int width, int height, int factor) {
    Limage result;
    result.create(width * factor, height * factor);
    for (int y = 0; y < height * factor; ++y) {
        for (int x = 0; x < width * factor; ++x) result.setPixel(x, y, source.pixel(left + x / factor, top + y / factor));
    }
    return result;
}

TEST(PianoKeyboard, SnapshotsAtBothSizes) {
    for (int size : {20, 24}) {
        for (bool dots : {false, true}) {
            PianoKeyboard piano = builtPiano(size);
            for (int key : {0, 4, 7, 13, 18, 30, 34, 37, 42, 49, 60, 61, 72}) piano.pressKey(key);
            Limage canvasImage;
            ASSERT_TRUE(canvasImage.create(piano.width() + 20, piano.height() + 20));
            canvasImage.fill(areaColor);
            piano.paint(canvasImage.canvas(), true, 10, 10, dots);
            const std::string name = "piano-" + std::to_string(size) + (dots ? "-dots" : "");
            saveSnapshot(canvasImage, name);
            saveSnapshot(zoomed(canvasImage, 0, 0, 7 * (size + 2), piano.height() + 20, 4), name + "-zoom");
        }
    }
}

}  // namespace
}  // namespace brio
