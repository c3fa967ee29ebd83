#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "ImageProbe.h"
#include "StationFixture.h"
#include "graphics/Canvas.h"
#include "graphics/PianoKeyboard.h"

namespace brio {
namespace {

// In the normal and the large view every black key overlaps both white neighbours and ends
// above them, and a click in the middle of what shows of any key finds that key.
TEST(GuardPianoLayout, BlackKeysSitBetweenTheirNeighboursAndEveryKeyIsFoundAtItsCentre) {
    for (const int size : {20, 24}) {
        PianoKeyboard piano;
        piano.build(6, size, 0x303030);
        ASSERT_EQ(piano.keyCount(), 73);
        for (int key = 0; key < piano.keyCount(); ++key) {
            const Rect r = piano.keyRect(key);
            const bool white = PianoKeyboard::isWhite(key);
            if (!white) {
                const Rect left = piano.keyRect(key - 1), right = piano.keyRect(key + 1);
                EXPECT_TRUE(left.left < r.left && r.left < left.right && right.left < r.right &&
                            r.right < right.right && r.bottom < std::min(left.bottom, right.bottom))
                    << size << " key " << key;
            }
            const int x = (r.left + r.right) / 2;
            const int y = white ? (piano.blackKeyHeight() + r.bottom) / 2 : (r.top + r.bottom) / 2;
            EXPECT_EQ(piano.keyAt(x, y), key) << size << " at " << x << "," << y;
        }
    }
}

// A pixel on the clip's right or bottom edge, or at the image's width or height, is outside
// what may be drawn: nothing changes, not even a row's padding; one pixel further in draws.
TEST(GuardCanvasEdges, PixelsOnTheExclusiveEdgesChangeNothing) {
    for (const bool throughImage : {false, true}) {
        for (const auto& [clip, x, y] : std::vector<std::tuple<bool, int, int>>{
                 {true, 5, 3}, {true, 3, 5}, {true, 5, 5}, {false, 10, 3}, {false, 3, 10}, {false, 10, 9}}) {
            if (clip && throughImage) continue;  // the image's own pixel call has no clip
            Limage image = filledImage(10, 10, black);  // 30 bytes a row in a 32-byte stride
            if (clip) image.canvas().setClip(2, 2, 5, 5);
            const auto draw = [&](int px, int py) {
                throughImage ? image.setPixel(px, py, white) : image.canvas().setPixel(px, py, white);
            };
            draw(x, y);
            EXPECT_EQ(changedArea(image, black), emptyRect) << x << "," << y << " clip " << clip;
            EXPECT_TRUE(paddingUntouched(image)) << x << "," << y;
            const int edge = clip ? 5 : 10, inX = std::min(x, edge - 1), inY = std::min(y, edge - 1);
            draw(inX, inY);
            EXPECT_EQ(changedArea(image, black), makeRect(inX, inY, inX, inY));
        }
    }
}

auto fieldsOf(const ArpeggioStyle& p) {
    std::vector<std::tuple<int, int, int, double>> notes;
    for (const ArpeggioNote& n : p.notes) notes.emplace_back(n.key, n.vel, n.pos, n.len);
    return std::tuple(p.name, p.length, notes);
}
auto fieldsOf(const BaseStyle& s) {
    return std::tuple(s.name, s.bpm, s.shuffle, s.stepsPerBeat, s.prog, s.vol, s.key, s.mode, s.arp);
}

// Every one of the 400 patterns and 100 styles, the last ones included, comes back from the
// library file exactly as written, and again after a second save.
TEST(GuardStyleLibrary, EverySlotUpToStyle99AndPattern399SavesAndLoadsAsWritten) {
    test::StationEnvironment env;
    const std::string file = env.folder.path("styles.cfg");
    auto written = std::make_unique<StyleLibrary>(file);
    for (int i = 0; i < StyleLibrary::patternCount; ++i) {
        written->pattern(i).name = "Pattern " + std::to_string(i);
        written->pattern(i).length = 1 + i % 32;
        written->pattern(i).notes.append({36 + i % 40, 1 + i % 127, i % 16, 0.5 * (1 + i % 4)});
        written->pattern(i).notes.append({-12 + i % 30, 127 - i % 100, i % 7, 0.25 * (i % 9)});
    }
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        BaseStyle& s = written->style(i);
        s.name = "Style " + std::to_string(i);
        s.bpm = 40 + 2 * i;
        s.shuffle = 0.25 * (i % 5);
        s.stepsPerBeat = 1 + i % 6;
        for (size_t part = 0; part < BaseStyle::partCount; ++part) {
            s.prog[part] = int(i + 30 * part) % 128;
            s.vol[part] = int(3 * i + part) % 101;
            s.key[part] = i % 25 - 12 + int(part);
            s.mode[part] = int(i + part) % 4;
            s.arp[part] = int(4 * i + part) % StyleLibrary::patternCount;  // style 99 part 3: 399
        }
    }
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(written->save(file));
        auto read = std::make_unique<StyleLibrary>(file);
        for (int i = 0; i < StyleLibrary::patternCount; ++i)
            ASSERT_EQ(fieldsOf(read->pattern(i)), fieldsOf(written->pattern(i))) << "pattern " << i;
        for (int i = 0; i < StyleLibrary::styleCount; ++i)
            ASSERT_EQ(fieldsOf(read->style(i)), fieldsOf(written->style(i))) << "style " << i;
        written = std::move(read);
    }
}

}  // namespace
}  // namespace brio
