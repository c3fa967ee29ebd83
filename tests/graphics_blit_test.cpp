#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "ImageProbe.h"
#include "graphics/Blit.h"
#include "graphics/Limage.h"

namespace brio {
namespace {

// A source with a different colour in every pixel.
Limage patternImage(int width, int height) {
    Limage image;
    image.create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, makeColor(x * 20 + 1, y * 20 + 1, 99));
    return image;
}

TEST(BlitPlacement, CentredSourceAtOriginTouchesOnlyPixelsZeroToFive) {
    Limage dst = filledImage(100, 100, black);
    const Limage src = filledImage(11, 11, white);
    Limage centred(src);
    blitKeyed(centred.setCentred(), dst, 0, 0, noColor);
    EXPECT_EQ(changedArea(dst, black), makeRect(0, 0, 5, 5));
    EXPECT_EQ(countPixels(dst, white), 36);
}

TEST(BlitKeyed, KeyMinusOneIsAPlainCopy) {
    const Limage src = patternImage(6, 4);
    Limage dst = filledImage(10, 10, 0x777777);
    blitKeyed(src, dst, 3, 2, noColor);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(dst.pixel(x + 3, y + 2), src.pixel(x, y));
    EXPECT_EQ(changedArea(dst, 0x777777), makeRect(3, 2, 8, 5));
}

TEST(BlitKeyed, SkipsOnlyPixelsMatchingAllThreeChannelsOfTheKey) {
    Limage src = filledImage(3, 1, 0x00FF00);
    src.setPixel(1, 0, 0x01FF00);  // differs in blue only
    Limage dst = filledImage(3, 1, black);
    blitKeyed(src, dst, 0, 0, 0x00FF00);
    EXPECT_EQ(dst.pixel(0, 0), black);
    EXPECT_EQ(dst.pixel(1, 0), 0x01FF00);
    EXPECT_EQ(dst.pixel(2, 0), black);
}

TEST(BlitTinted, WritesTableOfTintAndSourceExceptForKeyPixels) {
    Limage src = filledImage(2, 1, white);
    src.setPixel(1, 0, 0x0000FF);
    Limage dst = filledImage(2, 1, 0x123456);
    blitTinted(src, dst, 0, 0, 0x0000FF, 0x804020, multiplyTable());
    EXPECT_EQ(dst.pixel(0, 0), 0x804020);
    EXPECT_EQ(dst.pixel(1, 0), 0x123456);
}

TEST(BlitBlend, CombinesSourceAndDestinationThroughTheTable) {
    Limage src = filledImage(3, 1, white);
    src.setPixel(1, 0, 0x808080);
    src.setPixel(2, 0, 0x202020);
    Limage dst = filledImage(3, 1, 0x646464);
    blitBlend(src, dst, 0, 0, multiplyTable());
    EXPECT_EQ(dst.pixel(0, 0), 0x646464);  // white leaves the destination as it is
    EXPECT_EQ(dst.pixel(1, 0), 0x323232);  // 100 x 128 / 255
    dst.fill(0x646464);
    blitBlend(src, dst, 0, 0, addTable());
    EXPECT_EQ(dst.pixel(2, 0), 0x848484);
    dst.fill(0x646464);
    blitBlend(src, dst, 0, 0, subtractTable());
    EXPECT_EQ(dst.pixel(0, 0), black);
    EXPECT_EQ(dst.pixel(2, 0), 0x444444);
}

using BlitCall = std::function<void(const Limage&, Limage&, int, int)>;

// Each blit paints white over black in every pixel it is allowed to write.
const BlitCall blits[] = {
    [](const Limage& s, Limage& d, int x, int y) { blitKeyed(s, d, x, y, noColor); },
    [](const Limage& s, Limage& d, int x, int y) {
        blitTinted(s, d, x, y, noColor, white, multiplyTable());
    },
    [](const Limage& s, Limage& d, int x, int y) { blitBlend(s, d, x, y, addTable()); },
};

int64_t overlap(int64_t from, int64_t length, int64_t clipFirst, int64_t clipLast) {
    return std::max<int64_t>(0, std::min(from + length, clipLast + 1) - std::max(from, clipFirst));
}

TEST(BlitClipping, WritesExactlyTheSourceAreaInsideTheClipOnEverySide) {
    const Limage src = filledImage(10, 10, white);
    const Point positions[] = {{-3, 8},        {0, 8},
                               {12, 8},        {8, -3},
                               {8, 12},        {-9, -9},
                               {14, 14},       {-10, 8},
                               {15, 8},        {1000, 8},
                               {-1000, -1000}, {INT_MAX, 8},
                               {8, INT_MAX},   {INT_MIN, INT_MIN},
                               {3, 3}};
    for (const BlitCall& blit : blits) {
        for (const Point& p : positions) {
            Limage dst = filledImage(21, 20, black);
            dst.setClip(5, 5, 14, 14);
            blit(src, dst, p.x, p.y);
            const int64_t expected = overlap(p.x, 10, 5, 14) * overlap(p.y, 10, 5, 14);
            EXPECT_EQ(countPixels(dst, white), expected) << p.x << "," << p.y;
            const Rect area = changedArea(dst, black);
            if (expected > 0) {
                EXPECT_GE(area.left, 5);
                EXPECT_GE(area.top, 5);
                EXPECT_LE(area.right, 14);
                EXPECT_LE(area.bottom, 14);
            }
            EXPECT_TRUE(paddingUntouched(dst));
        }
    }
}

TEST(BlitClipping, ClippedBlitsKeepEverySourcePixelInItsPlace) {
    const Limage src = patternImage(10, 10);
    const Point positions[] = {{-3, -2}, {7, 6}, {-4, 5}, {2, -7}};
    for (const BlitCall& blit : blits) {
        for (const Point& p : positions) {
            Limage dst = filledImage(12, 11, black);
            dst.setClip(1, 1, 10, 9);
            blit(src, dst, p.x, p.y);
            for (int y = 0; y < dst.height(); ++y) {
                for (int x = 0; x < dst.width(); ++x) {
                    const bool inside = x >= 1 && x <= 10 && y >= 1 && y <= 9;
                    const Color expected = inside ? src.pixel(x - p.x, y - p.y) : noColor;
                    EXPECT_EQ(dst.pixel(x, y), expected == noColor ? black : expected)
                        << x << "," << y;
                }
            }
        }
    }
}

TEST(BlitClipping, CentredSourcesNearTheIntLimitsDrawNothing) {
    Limage src = filledImage(11, 11, white);
    src.setCentred();
    for (const BlitCall& blit : blits) {
        Limage dst = filledImage(20, 20, black);
        blit(src, dst, INT_MIN, INT_MIN);
        blit(src, dst, INT_MAX, INT_MAX);
        EXPECT_EQ(changedArea(dst, black), emptyRect);
    }
}

TEST(BlitClipping, InvertedOrEmptyTargetsDrawNothing) {
    const Limage src = filledImage(4, 4, white);
    for (const BlitCall& blit : blits) {
        Limage dst = filledImage(20, 20, black);
        dst.clipLeft = 10;
        dst.clipRight = 5;
        blit(src, dst, 6, 6);
        dst.resetClip();
        dst.clipTop = 10;
        dst.clipBottom = 9;
        blit(src, dst, 6, 6);
        EXPECT_EQ(changedArea(dst, black), emptyRect);
        Limage empty;
        blit(src, empty, 0, 0);
        blit(empty, dst, 0, 0);
        EXPECT_EQ(changedArea(dst, black), emptyRect);
    }
}

TEST(BlitClipping, AHandSetClipBeyondTheImageStillStopsAtItsEdges) {
    const Limage src = filledImage(8, 8, white);
    for (const BlitCall& blit : blits) {
        Limage dst = filledImage(5, 5, black);
        dst.clipLeft = -100;
        dst.clipTop = -100;
        dst.clipRight = 100;
        dst.clipBottom = 100;
        blit(src, dst, 3, -2);
        EXPECT_EQ(changedArea(dst, black), makeRect(3, 0, 4, 4));
        EXPECT_TRUE(paddingUntouched(dst));
    }
}

}  // namespace
}  // namespace brio
