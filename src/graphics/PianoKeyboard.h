#pragma once

#include <array>
#include <cstdint>

#include "foundation/Llist.h"
#include "graphics/Color.h"
#include "graphics/Limage.h"
#include "graphics/Rect.h"

namespace brio {

class Canvas;

// The drawn piano: key pictures, which keys are shown pressed, the key under the mouse and the
// computer-key map. It only draws; playing is the station's business. Repaints touch only the
// keys whose neighbourhood changed since the last paint.
class PianoKeyboard {
public:
    static constexpr int maxKeys = 88;
    static constexpr int maxOctaveShift = 36;
    static constexpr Color feltColor = 0x180880;
    static constexpr Color dotColor = 0x1880E8;
    // Velocities of a press by its place on the key: softest at the key's top, loudest at its
    // bottom.
    static constexpr int topVelocity = 20;
    static constexpr int bottomVelocity = 127;

    PianoKeyboard();

    // Lays out `octaves` octaves plus one key (at most 88 keys) with key size `size` (20 or
    // 24) over the panel colour `background`, and renders the key pictures.
    void build(int octaves, int size, Color background);

    int width() const { return keyboard.width(); }
    int height() const { return keyboard.height(); }
    int keyCount() const { return keys; }
    int whiteCount() const { return whites; }
    int whiteKeyWidth() const { return whiteWidth; }
    int blackKeyWidth() const { return blackWidth; }
    int whiteKeyHeight() const { return whiteHeight; }
    int blackKeyHeight() const { return blackHeight; }

    bool isDown(int key) const;
    // The key's rectangle in the keyboard picture; emptyRect for an invalid index.
    Rect keyRect(int key) const;
    // Mark a key shown pressed or released (no painting); ignored for invalid keys or before build.
    void pressKey(int key);
    void releaseKey(int key);

    // Repaints changed keys (every key with `all`) and copies each repainted key to `canvas`
    // with the keyboard's top-left corner at (x, y); `showDots` marks pressed keys with a dot.
    void paint(Canvas& canvas, bool all, int x, int y, bool showDots);

    // The key at (x, y) relative to the keyboard's corner, black keys first; -1 when none.
    int keyAt(int x, int y) const;
    // The velocity of a press at height `y` (relative to the keyboard's corner) on `key`: linear
    // from topVelocity at the key's top to bottomVelocity at its bottom, over the key's own
    // length (a black key's is shorter); clamped above and below it, 0 for an invalid key.
    int velocityAt(int key, int y) const;
    // The key of a computer key code (0..255), or -1.
    int keyForCode(int code) const;
    // The lowest computer key code that plays `key`, or -1.
    int codeForKey(int key) const;
    // Moves the upper-row keys up by `shift` semitones (clamped to 0..36).
    void setOctaveShift(int shift);
    int getOctaveShift() const { return octaveShift; }

    // The pictures, for tests and snapshots.
    const Limage& keyboardImage() const { return keyboard; }
    const Limage& whiteKeyImage() const { return whiteKey; }
    const Limage& blackKeyImage() const { return blackKey; }
    const Limage& pressedBlackKeyImage() const { return pressedBlackKey; }
    const Limage& sideShadowImage() const { return sideShadow; }
    const Limage& pressedSideShadowImage() const { return pressedSideShadow; }

    static bool isWhite(int key);

private:
    bool valid(int key) const { return key >= 0 && key < keys; }
    void buildKeyMap();
    void layOutKeys();
    void renderWhiteKey();
    void renderBlackKey(Limage& image, float k1, float k2, float k3);
    void renderSideShadows();
    bool changed(int key) const;
    void paintWhiteKey(int key, bool showDots);
    void paintBlackKey(int key, bool showDots);
    void paintWhiteKeyShadow(int key, bool keyDown);
    void paintWhiteKeyEdges(int key);

    std::array<bool, maxKeys> down{};
    std::array<bool, maxKeys> painted{};
    std::array<bool, maxKeys> lastDrawn{};
    std::array<Rect, maxKeys> keyRects{};
    int keys = 0;
    int whites = 0;
    int whiteWidth = 0;
    int whiteHeight = 0;
    int blackWidth = 0;
    int blackHeight = 0;
    Limage whiteKey;
    Limage blackKey;
    Limage pressedBlackKey;
    Limage sideShadow;
    Limage pressedSideShadow;
    Limage keyboard;
    Color background = 0;
    Llist<int32_t> keyMap;
    int octaveShift = 0;
};

}  // namespace brio
