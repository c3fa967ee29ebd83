#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "graphics/Limage.h"
#include "platform/FreeTypeText.h"
#include "Snapshot.h"

namespace brio {
namespace {

constexpr Color red = 0x0000FF;
constexpr Rect everywhere{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

bool fileExists(const char* path) { return ::access(path, R_OK) == 0; }

Limage filledImage(int width, int height, Color color) {
    Limage image;
    image.create(width, height);
    image.fill(color);
    return image;
}

// The smallest rectangle (inclusive) holding every pixel that is not `background`.
Rect changedBox(const Limage& image, Color background) {
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == background) continue;
            box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
        }
    }
    return box.left > box.right ? emptyRect : box;
}

// The sum of `measure` over every pixel.
template <typename Measure>
int64_t sumPixels(const Limage& image, Measure measure) {
    int64_t sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) sum += measure(image.pixel(x, y), x, y);
    }
    return sum;
}

// How much ink black text put down on white.
int64_t inkOf(FreeTypeText& text, bool bold) {
    Limage image = filledImage(200, 40, white);
    text.drawText(image, everywhere, 2, 2, "Brioletta Waltz", 21, bold, black);
    return sumPixels(image, [](Color c, int, int) { return 255 - splitColor(c).green; });
}

TEST(FreeTypeTextFaces, TheTahomaFilesLoadWhenInstalledAndSomeFaceLoadsOtherwise) {
    FreeTypeText text;
    ASSERT_TRUE(text.ready());
    if (fileExists(FreeTypeText::tahomaFile)) {
        EXPECT_EQ(text.facePath(false), FreeTypeText::tahomaFile);
    }
    if (fileExists(FreeTypeText::tahomaBoldFile)) {
        EXPECT_EQ(text.facePath(true), FreeTypeText::tahomaBoldFile);
    }
    EXPECT_FALSE(text.facePath(false).empty());
    EXPECT_FALSE(text.facePath(true).empty());
}

TEST(FreeTypeTextFaces, AMissingFileFallsBackToTheFamilyMatchForThatWeightOnly) {
    FreeTypeText text({"/nonexistent/regular.ttf", FreeTypeText::tahomaBoldFile});
    ASSERT_TRUE(text.ready());
    EXPECT_NE(text.facePath(false), "/nonexistent/regular.ttf");
    EXPECT_FALSE(text.facePath(false).empty());
    if (fileExists(FreeTypeText::tahomaBoldFile)) {
        EXPECT_EQ(text.facePath(true), FreeTypeText::tahomaBoldFile);
    }
    EXPECT_GT(text.textWidth("Brioletta", 11, false), 0);
}

TEST(FreeTypeTextFaces, AWeightThatCannotBeFoundBorrowsTheOtherFaceThickenedForBold) {
    if (!fileExists(FreeTypeText::tahomaFile)) GTEST_SKIP() << "no Tahoma file here";
    FreeTypeText text({FreeTypeText::tahomaFile, "/nonexistent/bold.ttf"}, "");
    ASSERT_TRUE(text.ready());
    EXPECT_EQ(text.facePath(true), FreeTypeText::tahomaFile);
    EXPECT_GT(text.textWidth("Brioletta", 11, true), text.textWidth("Brioletta", 11, false));
    EXPECT_GT(inkOf(text, true), inkOf(text, false) * 5 / 4);
}

TEST(FreeTypeTextFaces, BoldTextPutsDownClearlyMoreInkThanRegular) {
    FreeTypeText text;
    EXPECT_GT(inkOf(text, true), inkOf(text, false) * 5 / 4);
    FreeTypeText fallback({"/nonexistent/regular.ttf", "/nonexistent/bold.ttf"});
    EXPECT_GT(inkOf(fallback, true), inkOf(fallback, false) * 5 / 4);
}

TEST(FreeTypeTextFaces, WithoutAnyFaceNothingIsDrawnAndEverythingMeasuresZero) {
    FreeTypeText text({"/nonexistent/a.ttf", "/etc/hostname"}, "");
    EXPECT_FALSE(text.ready());
    EXPECT_EQ(text.textWidth("Brioletta", 11, false), 0);
    EXPECT_EQ(text.textHeight(11, true), 0);
    Limage image = filledImage(60, 20, white);
    text.drawText(image, everywhere, 0, 0, "Brioletta", 11, false, black);
    EXPECT_EQ(changedBox(image, white), emptyRect);
}

class FreeTypeTextMeasures : public testing::Test {
protected:
    FreeTypeText text;
};

TEST_F(FreeTypeTextMeasures, WidthGrowsWithLengthAndSizeAndBoldIsAtLeastAsWide) {
    EXPECT_GT(text.textWidth("Brio", 11, false), 0);
    EXPECT_GT(text.textWidth("Brioletta", 11, false), text.textWidth("Brio", 11, false));
    EXPECT_EQ(text.textWidth("", 11, false), 0);
    for (int size : {8, 11, 21, 29, 100}) {
        const int regular = text.textWidth("Brioletta", size, false);
        EXPECT_GT(text.textWidth("Brioletta", size + 1, false), regular) << size;
        EXPECT_GE(text.textWidth("Brioletta", size, true), regular) << size;
    }
}

TEST_F(FreeTypeTextMeasures, LineHeightIsTheFacesLineAndGrowsWithSize) {
    const int height = text.textHeight(11, false);
    EXPECT_GE(height, 12);
    EXPECT_LE(height, 14);
    if (text.facePath(false) == FreeTypeText::tahomaFile) {
        EXPECT_EQ(height, 13);
    }
    EXPECT_GT(text.textHeight(29, false), text.textHeight(21, false));
    EXPECT_GE(text.textHeight(200, true), 200);
}

TEST_F(FreeTypeTextMeasures, SizesOutsideOneTo200MeasureZeroAndDrawNothing) {
    Limage image = filledImage(40, 40, white);
    for (int size : {0, -1, 201, INT_MIN, INT_MAX}) {
        EXPECT_EQ(text.textWidth("Brio", size, false), 0) << size;
        EXPECT_EQ(text.textHeight(size, true), 0) << size;
        text.drawText(image, everywhere, 0, 0, "Brio", size, false, black);
    }
    EXPECT_EQ(changedBox(image, white), emptyRect);
    EXPECT_GT(text.textWidth("B", 200, false), text.textWidth("B", 1, false));
}

TEST_F(FreeTypeTextMeasures, ControlCharactersHaveNoWidthAndHighBytesFollowTheCodePage) {
    EXPECT_EQ(text.textWidth("\t\n\r\x01\x1f\x7f", 11, false), 0);
    EXPECT_EQ(text.textWidth("A\tB\x7f", 11, false), text.textWidth("AB", 11, false));
    EXPECT_GT(text.textWidth("\x80", 11, false), 0);  // euro sign
    EXPECT_GT(text.textWidth("\xe9", 11, false), 0);  // e acute
    EXPECT_EQ(text.textWidth("\x81\x8d\x8f\x90\x9d", 11, false), 0);  // unused in the code page
    Limage image = filledImage(60, 20, white);
    text.drawText(image, everywhere, 5, 5, "\x01\t\n\x1b\x7f\x81", 11, false, black);
    EXPECT_EQ(changedBox(image, white), emptyRect);
}

class FreeTypeTextDrawing : public testing::Test {
protected:
    FreeTypeText text;
    Limage image = filledImage(120, 40, white);
};

TEST_F(FreeTypeTextDrawing, RedTextOnWhiteChangesOnlyPixelsInsideItsBox) {
    text.drawText(image, everywhere, 10, 5, "Brioletta", 11, false, red);
    const Rect box = changedBox(image, white);
    ASSERT_NE(box, emptyRect);
    EXPECT_GE(box.left, 10);
    EXPECT_LT(box.right, 10 + text.textWidth("Brioletta", 11, false));
    EXPECT_GE(box.top, 5);
    EXPECT_LT(box.bottom, 5 + text.textHeight(11, false));
    // Red over white keeps the red channel and lowers green and blue together.
    EXPECT_EQ(sumPixels(image, [](Color c, int, int) {
                  const ColorChannels p = splitColor(c);
                  return p.red != 255 || p.green != p.blue;
              }),
              0);
    const auto green = [](Color c) { return splitColor(c).green; };
    EXPECT_GT(sumPixels(image, [&](Color c, int, int) { return green(c) < 40; }), 40);  // crisp
    const auto partial = [&](Color c, int, int) { return green(c) >= 40 && green(c) < 255; };
    EXPECT_GT(sumPixels(image, partial), 10);  // anti-aliased
}

TEST_F(FreeTypeTextDrawing, FullyCoveredPixelsTakeExactlyTheTextColour) {
    const Color teal = makeColor(0x12, 0x80, 0xC0);
    text.drawText(image, everywhere, 2, 2, "HIM", 29, true, teal);
    EXPECT_GT(sumPixels(image, [&](Color c, int, int) { return c == teal; }), 50);
}

TEST_F(FreeTypeTextDrawing, CoverageBlendsTowardsTheColourInProportion) {
    // White on black leaves the coverage a; black on white leaves 255 - a.
    Limage dark = filledImage(120, 40, black);
    text.drawText(dark, everywhere, 3, 3, "Brioletta", 21, true, white);
    text.drawText(image, everywhere, 3, 3, "Brioletta", 21, true, black);
    EXPECT_EQ(sumPixels(image, [&](Color c, int x, int y) {
                  return splitColor(c).green + splitColor(dark.pixel(x, y)).green != 255;
              }),
              0);
}

TEST_F(FreeTypeTextDrawing, TheClipRectangleBoundsEveryChangedPixel) {
    const Rect clip{30, 8, 60, 14};
    text.drawText(image, clip, 10, 5, "Brioletta", 21, false, black);
    const Rect box = changedBox(image, white);
    ASSERT_NE(box, emptyRect);
    EXPECT_GE(box.left, clip.left);
    EXPECT_LE(box.right, clip.right);
    EXPECT_GE(box.top, clip.top);
    EXPECT_LE(box.bottom, clip.bottom);
    Limage untouched = filledImage(120, 40, white);
    text.drawText(untouched, Rect{50, 10, 40, 20}, 10, 5, "Brioletta", 21, false, black);
    text.drawText(untouched, emptyRect, 10, 5, "Brioletta", 21, false, black);
    EXPECT_EQ(changedBox(untouched, white), emptyRect);
}

// Writes outside the image are caught by the address sanitizer build.
TEST_F(FreeTypeTextDrawing, TextOverTheImageEdgesOrFarAwayDrawsNothingOutside) {
    Limage small = filledImage(7, 5, white);
    const std::string all = "Brioletta \x80\xe9\xff\x01\x7f gjpqy WM";
    for (int x : {-40, -3, 0, 2, 6}) {
        for (int y : {-20, -4, 0, 3}) text.drawText(small, everywhere, x, y, all, 29, true, black);
    }
    EXPECT_NE(changedBox(small, white), emptyRect);
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte += char(b);
    for (int x : {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX - 1, INT_MAX}) {
        for (int y : {INT_MIN, -1000000, 1000000, INT_MAX}) {
            text.drawText(image, everywhere, x, y, everyByte, 200, false, black);
            text.drawText(image, everywhere, y, x, everyByte, 1, true, black);
        }
    }
    EXPECT_EQ(changedBox(image, white), emptyRect);
}

TEST_F(FreeTypeTextDrawing, CachedGlyphsDrawTheSameAfterOtherSizesWereUsed) {
    Limage first = filledImage(120, 40, white);
    text.drawText(first, everywhere, 2, 2, "Brioletta", 13, false, black);
    FreeTypeText other;
    other.drawText(image, everywhere, 2, 2, "Bri", 29, false, black);
    image.fill(white);
    other.textWidth("letta", 13, true);
    other.drawText(image, everywhere, 2, 2, "Brio", 13, false, black);  // loads after 29 and bold
    other.textWidth("letta", 21, false);
    const int afterBrio = 2 + other.textWidth("Brio", 13, false);
    other.drawText(image, everywhere, afterBrio, 2, "letta", 13, false, black);
    EXPECT_EQ(sumPixels(image, [&](Color c, int x, int y) { return c != first.pixel(x, y); }), 0);
}

TEST_F(FreeTypeTextDrawing, SnapshotOfTextAtThreeSizesRegularAndBold) {
    Limage sheet = filledImage(720, 154, makeColor(0xF4, 0xF0, 0xE8));
    const Rect all{0, 0, sheet.width() - 1, sheet.height() - 1};
    int y = 4;
    for (int size : {11, 21, 29}) {
        for (bool bold : {false, true}) {
            const std::string line = "Brioletta: Tempo 120, Style Waltz \xe9\xe8\x80 gjpqy";
            const Color color = bold ? makeColor(0x90, 0x10, 0x10) : black;
            text.drawText(sheet, all, 6, y, line, size, bold, color);
            y += text.textHeight(size, bold);
        }
    }
    saveSnapshot(sheet, "text_render");
}

}  // namespace
}  // namespace brio
