#include "graphics/Blit.h"

#include <algorithm>
#include <cstring>

#include "graphics/Limage.h"

namespace brio {

namespace {

struct BlendTables {
    BlendTable multiply;
    BlendTable add;
    BlendTable subtract;

    BlendTables() {
        for (int s = 0; s < 256; ++s) {
            for (int d = 0; d < 256; ++d) {
                multiply[size_t(s)][size_t(d)] = uint8_t(d * s / 255);
                add[size_t(s)][size_t(d)] = uint8_t(std::min(255, s + d));
                subtract[size_t(s)][size_t(d)] = uint8_t(std::max(0, d - s));
            }
        }
    }
};

const BlendTables& blendTables() {
    static const BlendTables tables;
    return tables;
}

// Where a clipped blit reads and writes, in device pixels: `columns` source columns from
// firstColumn and `rows` source rows from firstRow land with their first pixel at destination
// (x, y).
struct BlitArea {
    int firstColumn = 0;
    int columns = 0;
    int firstRow = 0;
    int rows = 0;
    int x = 0;
    int y = 0;
};

// The shared clipping of the blits; false when nothing is drawn. Positions are widened to 64
// bits so that far-off coordinates cannot overflow, and the destination clip is limited to the
// image so that a hand-set clip can never reach outside it.
bool clipBlit(const Limage& src, const Limage& dst, int atX, int atY, BlitArea& area) {
    if (!src.isValid() || !dst.isValid()) return false;
    const int64_t cl = std::max(0, dst.clipLeft);
    const int64_t cr = std::min(dst.width() - 1, dst.clipRight);
    const int64_t ct = std::max(0, dst.clipTop);
    const int64_t cb = std::min(dst.height() - 1, dst.clipBottom);
    if (cr < cl || cb < ct) return false;
    const int64_t w = src.width();
    const int64_t h = src.height();
    int64_t x = atX;
    int64_t y = atY;
    if (src.centred) {
        x -= w / 2;
        y -= h / 2;
    }
    if (x > cr || x + w - 1 < cl || y > cb || y + h - 1 < ct) return false;
    int64_t firstColumn = 0;
    int64_t endColumn = w;
    if (x + w > cr + 1) endColumn = cr - x + 1;
    if (x < cl) {
        firstColumn = cl - x;
        x = cl;
    }
    int64_t firstRow = 0;
    int64_t endRow = h;
    if (y + h > cb + 1) endRow = cb - y + 1;
    if (y < ct) firstRow = ct - y;
    // In device pixels: both images draw at one scale (one made at another is not blitted).
    const int64_t s = dst.scale();
    if (src.scale() != s) return false;
    area = BlitArea{int(firstColumn * s), int((endColumn - firstColumn) * s),
                    int(firstRow * s),    int((endRow - firstRow) * s),
                    int(x * s),           int((y + firstRow) * s)};
    return true;
}

bool isKey(const uint8_t* p, int keyBlue, int keyGreen, int keyRed) {
    return p[0] == keyBlue && p[1] == keyGreen && p[2] == keyRed;
}

}  // namespace

const BlendTable& multiplyTable() {
    return blendTables().multiply;
}
const BlendTable& addTable() {
    return blendTables().add;
}
const BlendTable& subtractTable() {
    return blendTables().subtract;
}

void blitKeyed(const Limage& src, Limage& dst, int x, int y, Color key) {
    BlitArea a;
    if (!clipBlit(src, dst, x, y, a)) return;
    const size_t bytes = size_t(a.columns) * 3;
    if (key < 0) {
        for (int r = 0; r < a.rows; ++r)
            std::memmove(dst.row(a.y + r) + size_t(a.x) * 3,
                         src.row(a.firstRow + r) + size_t(a.firstColumn) * 3, bytes);
        return;
    }
    const ColorChannels k = splitColor(key);
    for (int r = 0; r < a.rows; ++r) {
        const uint8_t* s = src.row(a.firstRow + r) + size_t(a.firstColumn) * 3;
        uint8_t* d = dst.row(a.y + r) + size_t(a.x) * 3;
        for (size_t i = 0; i < bytes; i += 3) {
            if (isKey(s + i, k.blue, k.green, k.red)) continue;
            d[i] = s[i];
            d[i + 1] = s[i + 1];
            d[i + 2] = s[i + 2];
        }
    }
}

void blitTinted(const Limage& src, Limage& dst, int x, int y, Color key, Color tint,
                const BlendTable& table) {
    BlitArea a;
    if (!clipBlit(src, dst, x, y, a)) return;
    const size_t bytes = size_t(a.columns) * 3;
    const bool keyed = key >= 0;
    const ColorChannels k = splitColor(key);
    const ColorChannels t = splitColor(tint);
    const auto& blue = table[size_t(t.blue)];
    const auto& green = table[size_t(t.green)];
    const auto& red = table[size_t(t.red)];
    for (int r = 0; r < a.rows; ++r) {
        const uint8_t* s = src.row(a.firstRow + r) + size_t(a.firstColumn) * 3;
        uint8_t* d = dst.row(a.y + r) + size_t(a.x) * 3;
        for (size_t i = 0; i < bytes; i += 3) {
            if (keyed && isKey(s + i, k.blue, k.green, k.red)) continue;
            d[i] = blue[s[i]];
            d[i + 1] = green[s[i + 1]];
            d[i + 2] = red[s[i + 2]];
        }
    }
}

void blitBlend(const Limage& src, Limage& dst, int x, int y, const BlendTable& table) {
    BlitArea a;
    if (!clipBlit(src, dst, x, y, a)) return;
    const size_t bytes = size_t(a.columns) * 3;
    for (int r = 0; r < a.rows; ++r) {
        const uint8_t* s = src.row(a.firstRow + r) + size_t(a.firstColumn) * 3;
        uint8_t* d = dst.row(a.y + r) + size_t(a.x) * 3;
        // Each pixel's reads come before its writes, so the compiler need not assume a store
        // changed the next source byte.
        for (size_t i = 0; i < bytes; i += 3) {
            const uint8_t b = table[s[i]][d[i]];
            const uint8_t g = table[s[i + 1]][d[i + 1]];
            const uint8_t r = table[s[i + 2]][d[i + 2]];
            d[i] = b;
            d[i + 1] = g;
            d[i + 2] = r;
        }
    }
}

}  // namespace brio
