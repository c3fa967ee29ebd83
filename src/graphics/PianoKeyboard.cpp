#include "graphics/PianoKeyboard.h"

#include <algorithm>

#include "graphics/Blit.h"
#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "graphics/SoftPen.h"

namespace brio {

namespace {

constexpr Color whiteFace = 0xF4F4F4;
constexpr int codeCount = 256;

// Computer keys of the lower block: letters and marks of the two bottom rows, then the arrows.
constexpr std::array<std::pair<int, int>, 23> lowerBlock{{
    {16, 7},  {'A', 8},  {'Z', 9},  {'S', 10}, {'X', 11}, {'C', 12}, {'F', 13}, {'V', 14},
    {'G', 15}, {'B', 16}, {'N', 17}, {'J', 18}, {'M', 19}, {'K', 20}, {188, 21}, {'L', 22},
    {190, 23}, {191, 24}, {222, 25}, {37, 26}, {38, 27}, {40, 28}, {39, 29},
}};

// The upper block, moved by the octave shift: digits for black keys, letters for white ones.
constexpr std::array<std::pair<int, int>, 21> upperBlock{{
    {'1', 30}, {'Q', 31}, {'2', 32}, {'W', 33}, {'3', 34}, {'E', 35}, {'R', 36},
    {'5', 37}, {'T', 38}, {'6', 39}, {'Y', 40}, {'U', 41}, {'8', 42}, {'I', 43},
    {'9', 44}, {'O', 45}, {'0', 46}, {'P', 47}, {219, 48}, {187, 49}, {221, 50},
}};

// Left-edge offsets of the black keys from their running position: C#, D#, F#, G#, A#.
int blackKeyOffset(int noteInOctave) {
    switch (noteInOctave) {
        case 1: return -1;
        case 3: return 1;
        case 6: return -2;
        case 8: return 0;
        default: return 2;
    }
}

int dimension(double units) { return static_cast<int>(units + 0.001); }

void hLine(Canvas& canvas, int x0, int x1, int y, Color color) {
    canvas.setColor(color);
    canvas.fillRect(x0, y, x1 + 1, y + 1);
}

void vLine(Canvas& canvas, int x, int y0, int y1, Color color) {
    canvas.setColor(color);
    canvas.fillRect(x, y0, x + 1, y1 + 1);
}

}  // namespace

PianoKeyboard::PianoKeyboard() : keyMap(codeCount, 1, true) {
    lastDrawn.fill(true);
    buildKeyMap();
}

bool PianoKeyboard::isWhite(int key) {
    const int note = ((key % 12) + 12) % 12;
    return note == 0 || note == 2 || note == 4 || note == 5 || note == 7 || note == 9 || note == 11;
}

void PianoKeyboard::buildKeyMap() {
    keyMap.clear();
    keyMap.resize(codeCount, false);
    for (int code = 0; code < codeCount; ++code) keyMap.append(-1);
    for (const auto& [code, key] : lowerBlock) keyMap.get(code) = key;
    for (const auto& [code, key] : upperBlock) keyMap.get(code) = key + octaveShift;
}

void PianoKeyboard::build(int octaves, int size, Color backgroundColor) {
    octaves = std::clamp(octaves, 0, 100);  // beyond that the picture could not be made anyway
    keys = std::clamp(12 * octaves + 1, 1, maxKeys);
    whites = 7 * octaves + 1;
    background = backgroundColor;
    keyboard.release();

    const double unit = size / 23.0;
    whiteWidth = dimension(24 * unit);
    whiteHeight = dimension(153 * unit);
    blackWidth = dimension(15 * unit);
    if (blackWidth % 2 == 0) --blackWidth;  // a black key is always an odd number of pixels wide
    blackHeight = dimension(102 * unit);
    if (whiteWidth < 1 || blackWidth < 1 || whiteHeight < 1 || blackHeight < 1) return;

    renderWhiteKey();
    renderBlackKey(blackKey, 1.0f, 1.0f, 1.0f);
    renderBlackKey(pressedBlackKey, 0.8f, 0.75f, 0.45f);
    renderSideShadows();
    layOutKeys();
}

void PianoKeyboard::layOutKeys() {
    const int pitch = whiteWidth + 1;
    if (!keyboard.create(whites * pitch + 1, whiteHeight + 2)) return;
    Canvas& canvas = keyboard.canvas();
    keyboard.fill(black);
    canvas.setColor(background);
    canvas.fillRect(0, keyboard.height() - 3, keyboard.width(), keyboard.height());
    canvas.setColor(feltColor);
    canvas.fillRect(0, 0, keyboard.width(), 3);

    int whiteIndex = 0;
    int blackPosition = pitch - blackWidth / 2;
    for (int key = 0; key < keys; ++key) {
        const int note = key % 12;
        if (isWhite(key)) {
            const int left = 1 + whiteIndex++ * pitch;
            keyRects[size_t(key)] = makeRect(left, 0, left + whiteWidth, whiteHeight);
        } else {
            const int left = blackPosition + blackKeyOffset(note);
            keyRects[size_t(key)] = makeRect(left, 0, left + blackWidth, blackHeight);
            blackPosition += (note == 3 || note == 10) ? 2 * pitch : pitch;
        }
    }
}

void PianoKeyboard::renderWhiteKey() {
    if (!whiteKey.create(whiteWidth, whiteHeight)) return;
    Canvas& canvas = whiteKey.canvas();
    whiteKey.fill(whiteFace);
    vLine(canvas, 0, 0, whiteHeight - 1, scaleColor(whiteFace, 1.05f));
    vLine(canvas, whiteWidth - 1, 0, whiteHeight - 1, scaleColor(whiteFace, 0.95f));
    whiteKey.setPixel(0, whiteHeight - 1, background);
    whiteKey.setPixel(whiteWidth - 1, whiteHeight - 1, background);
}

void PianoKeyboard::renderBlackKey(Limage& image, float k1, float k2, float k3) {
    const int w = blackWidth;
    const int h = blackHeight;
    if (!image.create(w, h)) return;
    Canvas& canvas = image.canvas();
    const int d = static_cast<int>(0.9 * h);

    image.fill(scaleColor(0x404040, k1));
    canvas.setColor(scaleColor(0x2C2C2C, k2));
    canvas.fillRect(0, d, w, h);  // the front lip

    gradientFill(canvas, 1, 0, 1, d, scaleColor(0x505050, k3), scaleColor(0x909090, k3), false);
    gradientFill(canvas, 1, d, 1, h - 1, scaleColor(0x909090, k3), scaleColor(0x181818, k3), false);
    gradientFill(canvas, w - 2, 0, w - 2, d, scaleColor(0x303030, k3), scaleColor(0x585858, k3), false);
    gradientFill(canvas, w - 2, d, w - 2, h - 1, scaleColor(0x585858, k3), scaleColor(0x181818, k3), false);

    const Color edge = scaleColor(0x202020, k1);
    hLine(canvas, 2, w - 3, d, edge);
    vLine(canvas, w - 3, 0, d - 1, edge);
    vLine(canvas, 2, 0, d - 1, scaleColor(edge, 1.4f));
    for (const Point& p : {Point{2, d - 1}, Point{2, d + 1}, Point{w - 3, d - 1}, Point{w - 3, d + 1}}) {
        image.setPixel(p.x, p.y, edge);
    }
    const Color light = scaleColor(0x343434, k1);
    image.setPixel(3, d - 1, light);
    image.setPixel(w - 4, d - 1, light);
    const Color dark = scaleColor(0x262626, k1);
    for (const Point& p : {Point{3, d + 1}, Point{2, d + 2}, Point{w - 3, d + 2}, Point{w - 4, d + 1}}) {
        image.setPixel(p.x, p.y, dark);
    }

    // The bottom of the lip darkens towards the front.
    const int lipShade = h - static_cast<int>(0.97 * h);
    Limage shade;
    if (lipShade > 0 && shade.create(w, lipShade)) {
        gradientFill(shade.canvas(), 0, 0, w - 1, lipShade - 1, white, 0xB0B0B0, false);
        blitBlend(shade, image, 0, h - lipShade, multiplyTable());
    }
    vLine(canvas, 0, 0, h - 1, black);
    vLine(canvas, w - 1, 0, h - 1, black);
}

void PianoKeyboard::renderSideShadows() {
    const int h = blackHeight;
    if (!sideShadow.create(4, h)) return;
    Canvas& canvas = sideShadow.canvas();
    const Color g = scaleColor(white, 0.525f);
    const Color half = mixColor(g, white, 0.5);
    sideShadow.fill(white);
    canvas.setColor(g);
    canvas.fillRect(0, 0, 3, h - 7);
    gradientFill(canvas, 3, 0, 3, h - 8, white, g, false);
    gradientFill(canvas, 2, 0, 2, static_cast<int>((h - 8) * 0.25), mixColor(g, white, 0.25), g, false);
    canvas.setColor(g);
    canvas.fillRect(0, h - 8, 2, h - 3);
    hLine(canvas, 0, 1, h - 3, half);
    for (int i = 0; i < 3; ++i) {  // a rounded lower end
        vLine(canvas, i + 1, h - 7, h - i - 4, g);
        sideShadow.setPixel(i + 2, h - i - 4, half);
    }

    pressedSideShadow = sideShadow;
    pressedSideShadow.invert();
    pressedSideShadow.tint(scaleColor(white, 0.9f));
    pressedSideShadow.invert();
}

bool PianoKeyboard::isDown(int key) const { return valid(key) && down[size_t(key)]; }

Rect PianoKeyboard::keyRect(int key) const { return valid(key) ? keyRects[size_t(key)] : emptyRect; }

void PianoKeyboard::pressKey(int key) {
    if (valid(key) && keyboard.isValid()) down[size_t(key)] = true;
}

void PianoKeyboard::releaseKey(int key) {
    if (valid(key) && keyboard.isValid()) down[size_t(key)] = false;
}

bool PianoKeyboard::changed(int key) const {
    const int first = isWhite(key) ? key - 2 : key - 3;
    const int last = isWhite(key) ? key : key + 1;
    for (int k = std::max(first, 0); k <= std::min(last, keys - 1); ++k) {
        if (down[size_t(k)] != lastDrawn[size_t(k)]) return true;
    }
    return false;
}

void PianoKeyboard::paint(Canvas& canvas, bool all, int x, int y, bool showDots) {
    if (!keyboard.isValid()) return;
    if (all) {
        for (int key = 0; key < keys; ++key) lastDrawn[size_t(key)] = !down[size_t(key)];
    }
    Canvas& image = keyboard.canvas();
    image.setColor(background);
    image.fillRect(0, keyboard.height() - 3, keyboard.width(), keyboard.height());
    painted.fill(false);

    for (bool whitePass : {true, false}) {  // black keys always over white ones
        for (int key = 0; key < keys; ++key) {
            if (isWhite(key) != whitePass || !changed(key)) continue;
            if (whitePass) paintWhiteKey(key, showDots);
            else paintBlackKey(key, showDots);
            painted[size_t(key)] = true;
        }
    }
    hLine(image, 0, keyboard.width() - 1, 0, scaleColor(feltColor, 0.7f));
    hLine(image, 0, keyboard.width() - 1, 1, feltColor);
    std::copy(down.begin(), down.end(), lastDrawn.begin());

    for (int key = 0; key < keys; ++key) {
        if (!painted[size_t(key)]) continue;
        Rect area = keyRects[size_t(key)];
        if (isWhite(key)) {
            area.left -= 1;
            area.bottom = keyboard.height() - 1;
        }
        blitToWindow(keyboard, canvas, area, x, y);
    }
}

void PianoKeyboard::paintWhiteKey(int key, bool showDots) {
    const Rect& r = keyRects[size_t(key)];
    const bool keyDown = down[size_t(key)];
    if (keyDown) {
        blitTinted(whiteKey, keyboard, r.left, r.top + 2, noColor, scaleColor(white, 0.985f), multiplyTable());
    } else {
        blitKeyed(whiteKey, keyboard, r.left, r.top, noColor);
    }
    const int note = key % 12;
    if (key >= 1 && note != 0 && note != 5 && !down[size_t(key - 1)]) paintWhiteKeyShadow(key, keyDown);
    if (keyDown) paintWhiteKeyEdges(key);
    hLine(keyboard.canvas(), r.left, r.left + whiteWidth - 1, r.top + 2, feltColor);
    if (keyDown && showDots) {
        softPen().setTarget(&keyboard).setColour(dotColor);
        softPen().circle(r.left + whiteWidth / 2, r.top + whiteHeight - 20, int(0.2 * whiteWidth), true);
    }
}

// The shadow that the black key on the left casts on a white key.
void PianoKeyboard::paintWhiteKeyShadow(int key, bool keyDown) {
    const Rect& blackRect = keyRects[size_t(key - 1)];
    const int m = keyDown ? blackRect.right : blackRect.right - 2;
    const int top = blackRect.bottom - (keyDown ? 0 : 2) - blackHeight + 5;
    blitBlend(keyDown ? pressedSideShadow : sideShadow, keyboard, m, top, multiplyTable());
    const Color base = keyDown ? scaleColor(whiteFace, 0.985f) : whiteFace;
    if (keyDown) {
        const Color shade = scaleColor(base, 0.525f);
        const Color corner = mixColor(shade, white, 0.1);
        const Color between = mixColor(corner, base, 0.5);
        keyboard.setPixel(m, 4, corner);
        keyboard.setPixel(m, 3, between);
        keyboard.setPixel(m + 1, 4, between);
        keyboard.setPixel(m + 2, 5, between);
    } else {
        keyboard.setPixel(m + 2, 3, base);
    }
}

// The sides of a pressed white key: its left edge (unless its left neighbour is down too)
// and the gaps under the neighbouring black keys.
void PianoKeyboard::paintWhiteKeyEdges(int key) {
    const Rect& r = keyRects[size_t(key)];
    Canvas& canvas = keyboard.canvas();
    const Color base = scaleColor(whiteFace, 0.985f);
    const Color shade = scaleColor(base, 0.525f);
    const int note = key % 12;
    const int leftWhite = (key >= 1 && isWhite(key - 1)) ? key - 1 : key - 2;
    if (!(leftWhite >= 0 && down[size_t(leftWhite)])) {
        const int edge = key == 0 ? 1 : r.left;
        canvas.setColor(shade);
        canvas.moveTo(edge, 0);
        canvas.lineTo(edge, whiteHeight);
        gradientFill(canvas, edge + 1, 0, edge + 1, whiteHeight + 3, base, shade, false);
        if (key >= 1 && !isWhite(key - 1)) {
            keyboard.setPixel(edge + 1, keyRects[size_t(key - 1)].bottom + 4, base);
        }
    }
    const int gapTop = r.top + blackHeight + 2;
    canvas.setColor(black);
    if (key >= 1 && (note == 2 || note == 4 || note == 7 || note == 9 || note == 11)) {
        canvas.fillRect(r.left, gapTop, keyRects[size_t(key - 1)].right, gapTop + 2);
    }
    if (key + 1 < keys && (note == 0 || note == 2 || note == 5 || note == 7 || note == 9)) {
        canvas.fillRect(keyRects[size_t(key + 1)].left, gapTop, r.left + whiteWidth, gapTop + 2);
    }
}

void PianoKeyboard::paintBlackKey(int key, bool showDots) {
    const Rect& r = keyRects[size_t(key)];
    const bool keyDown = down[size_t(key)];
    Canvas& canvas = keyboard.canvas();
    const int right = r.left + blackWidth - 1;
    hLine(canvas, r.left, right, r.top + 2, feltColor);
    clipCanvas(canvas, makeRect(0, 0, keyboard.width() - 1, r.top + blackHeight));
    if (keyDown) canvas.drawImage(r.left, r.top + 4, pressedBlackKey);
    else canvas.drawImage(r.left, r.top, blackKey);
    unclipCanvas(canvas);
    keyboard.setPixel(r.left, r.top + 2, feltColor);
    keyboard.setPixel(right, r.top + 2, feltColor);
    if (keyDown) hLine(canvas, r.left, right, r.top + 3, black);
    hLine(canvas, r.left, right, r.top + blackHeight, black);
    hLine(canvas, r.left, right, r.top + blackHeight + 1, black);
    if (keyDown && showDots) {
        softPen().setTarget(&keyboard).setColour(dotColor);
        softPen().circle(r.left + blackWidth / 2, r.top + blackHeight - 24, int(0.3 * blackWidth), true);
    }
}

int PianoKeyboard::keyAt(int x, int y) const {
    for (bool whitePass : {false, true}) {
        for (int key = 0; key < keys; ++key) {
            if (isWhite(key) == whitePass && pointInRect(x, y, keyRects[size_t(key)])) return key;
        }
    }
    return -1;
}

int PianoKeyboard::velocityAt(int key, int y) const {
    if (!valid(key)) return 0;
    const Rect& r = keyRects[size_t(key)];
    const int length = std::max(r.bottom - r.top, 1);
    const int depth = std::clamp(y - r.top, 0, length);
    return topVelocity + ((bottomVelocity - topVelocity) * depth + length / 2) / length;
}

int PianoKeyboard::keyForCode(int code) const {
    if (code < 0 || code >= codeCount) return -1;
    return keyMap.getConst(code);
}

int PianoKeyboard::codeForKey(int key) const {
    if (key < 0) return -1;
    for (int code = 0; code < codeCount; ++code) {
        if (keyMap.getConst(code) == key) return code;
    }
    return -1;
}

void PianoKeyboard::setOctaveShift(int shift) {
    octaveShift = std::clamp(shift, 0, maxOctaveShift);
    buildKeyMap();
}

}  // namespace brio
