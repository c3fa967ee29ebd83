#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "ImageProbe.h"
#include "Snapshot.h"
#include "graphics/Canvas.h"
#include "graphics/Drawing.h"
#include "graphics/FontRasterizer.h"
#include "graphics/Limage.h"
#include "graphics/SoftPen.h"

namespace brio {
namespace {

class CanvasTest : public testing::Test {
protected:
    void SetUp() override {
        image = filledImage(10, 10, black);
        canvas().setColor(white);
    }
    Canvas& canvas() { return image.canvas(); }
    Limage image;
};

TEST_F(CanvasTest, FillRectExcludesRightAndBottom) {
    canvas().fillRect(2, 3, 5, 7);
    EXPECT_EQ(changedArea(image, black), makeRect(2, 3, 4, 6));
    EXPECT_EQ(countPixels(image, white), 12);
    image.fill(black);
    canvas().fillRect(5, 3, 2, 7);
    canvas().fillRect(2, 3, 2, 7);
    EXPECT_EQ(changedArea(image, black), emptyRect);
    canvas().fillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(countPixels(image, white), 100);
}

TEST_F(CanvasTest, FrameRectDrawsTheBorderInsideRightAndBottom) {
    canvas().frameRect(1, 1, 6, 5);
    EXPECT_EQ(changedArea(image, black), makeRect(1, 1, 5, 4));
    EXPECT_EQ(countPixels(image, white), 14);
    EXPECT_EQ(image.pixel(3, 2), black);
    image.fill(black);
    canvas().frameRect(INT_MIN, 2, INT_MAX, 4);
    EXPECT_EQ(countPixels(image, white), 20);
}

TEST_F(CanvasTest, LineToExcludesTheEndPointAndMovesThePen) {
    canvas().moveTo(1, 1);
    canvas().lineTo(6, 1);
    EXPECT_EQ(changedArea(image, black), makeRect(1, 1, 5, 1));
    canvas().lineTo(6, 4);
    EXPECT_EQ(changedArea(image, black), makeRect(1, 1, 6, 3));
    EXPECT_EQ(image.pixel(6, 4), black);
    image.fill(black);
    canvas().moveTo(0, 0);
    canvas().lineTo(4, 4);
    EXPECT_EQ(countPixels(image, white), 4);
    EXPECT_EQ(image.pixel(3, 3), white);
    canvas().lineTo(4, 4);  // a line to the same point draws nothing
    EXPECT_EQ(countPixels(image, white), 4);
}

TEST_F(CanvasTest, SteepLinesSetOnePixelPerRowMovingSteadilyAcross) {
    canvas().moveTo(2, 0);
    canvas().lineTo(4, 8);
    EXPECT_EQ(countPixels(image, white), 8);
    int previous = 2;
    for (int y = 0; y < 8; ++y) {
        int column = -1;
        for (int x = 0; x < 10; ++x)
            if (image.pixel(x, y) == white) column = x;
        EXPECT_GE(column, previous) << y;
        EXPECT_LE(column, previous + 1) << y;
        previous = column;
    }
    EXPECT_EQ(previous, 4);
}

TEST_F(CanvasTest, LinesFromFarAwayDrawOnlyTheirVisiblePixels) {
    canvas().moveTo(INT_MIN, 5);
    canvas().lineTo(INT_MAX, 5);
    EXPECT_EQ(changedArea(image, black), makeRect(0, 5, 9, 5));
    image.fill(black);
    canvas().moveTo(-1000000, -1000000);
    canvas().lineTo(1000000, 1000000);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(image.pixel(i, i), white);
    EXPECT_EQ(countPixels(image, white), 10);
    canvas().moveTo(INT_MIN, INT_MIN);
    canvas().lineTo(INT_MAX, INT_MIN + 7);
    canvas().moveTo(INT_MIN, INT_MAX);
    canvas().lineTo(INT_MAX, INT_MIN);
    EXPECT_TRUE(paddingUntouched(image));
}

TEST_F(CanvasTest, ClipLimitsEveryDrawingUntilCleared) {
    canvas().setClip(2, 2, 5, 5);
    EXPECT_EQ(canvas().clipBox(), makeRect(2, 2, 4, 4));
    canvas().fillRect(0, 0, 10, 10);
    canvas().setPixel(7, 7, white);
    canvas().moveTo(0, 8);
    canvas().lineTo(9, 8);
    canvas().ellipse(0, 0, 10, 10);
    EXPECT_EQ(changedArea(image, black), makeRect(2, 2, 4, 4));
    canvas().clearClip();
    canvas().setPixel(7, 7, white);
    EXPECT_EQ(image.pixel(7, 7), white);
    canvas().setClip(6, 0, 3, 10);  // inverted: nothing can be drawn
    EXPECT_LT(canvas().clipBox().right, canvas().clipBox().left);
    image.fill(black);
    canvas().fillRect(0, 0, 10, 10);
    EXPECT_EQ(changedArea(image, black), emptyRect);
    canvas().setClip(-100, -100, 1000, 1000);
    canvas().fillRect(-5, -5, 20, 20);
    EXPECT_EQ(countPixels(image, white), 100);
}

TEST_F(CanvasTest, PolygonFillsItsInsideAndOutlinesEveryEdgeWithItsCorners) {
    canvas().polygon({{1, 1}, {6, 1}, {6, 4}, {1, 4}});
    EXPECT_EQ(changedArea(image, black), makeRect(1, 1, 6, 4));
    EXPECT_EQ(countPixels(image, white), 24);
    image.fill(black);
    canvas().polygon({{0, 0}, {8, 0}, {0, 8}});
    EXPECT_EQ(image.pixel(1, 1), white);
    EXPECT_EQ(image.pixel(8, 0), white);
    EXPECT_EQ(image.pixel(0, 8), white);
    EXPECT_EQ(image.pixel(6, 6), black);
}

TEST(CanvasPolygon, OverlappingPartsOfAStarAreLeftEmpty) {
    Limage image = filledImage(41, 41, black);
    image.canvas().setColor(white);
    // A five-pointed star drawn in one stroke; its middle is inside two of its turns.
    image.canvas().polygon({{20, 2}, {31, 35}, {3, 14}, {37, 14}, {9, 35}});
    EXPECT_EQ(image.pixel(20, 20), black);
    EXPECT_EQ(image.pixel(20, 8), white);
    EXPECT_EQ(image.pixel(8, 15), white);
    EXPECT_EQ(image.pixel(20, 38), black);
}

TEST(CanvasPolygon, ManyCornersFillLikeFew) {
    // A 40-sided outline of a 30 x 20 rectangle against the same rectangle with four corners.
    std::vector<Point> many;
    for (int i = 0; i < 10; ++i) many.push_back({5 + 3 * i, 5});
    for (int i = 0; i < 10; ++i) many.push_back({35, 5 + 2 * i});
    for (int i = 0; i < 10; ++i) many.push_back({35 - 3 * i, 25});
    for (int i = 0; i < 10; ++i) many.push_back({5, 25 - 2 * i});
    Limage expected = filledImage(41, 41, black);
    expected.canvas().setColor(white);
    expected.canvas().polygon({{5, 5}, {35, 5}, {35, 25}, {5, 25}});
    Limage image = filledImage(41, 41, black);
    image.canvas().setColor(white);
    image.canvas().polygon(many);
    EXPECT_EQ(std::memcmp(image.bits(), expected.bits(), size_t(image.stride()) * 41), 0);
    EXPECT_EQ(countPixels(image, white), 31 * 21);
}

TEST_F(CanvasTest, EllipseFillsASymmetricShapeTouchingAllFourSidesInside) {
    canvas().ellipse(0, 0, 10, 8);
    EXPECT_EQ(changedArea(image, black), makeRect(0, 0, 9, 7));
    EXPECT_EQ(image.pixel(0, 0), black);
    EXPECT_EQ(image.pixel(5, 4), white);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(image.pixel(x, y), image.pixel(9 - x, 7 - y)) << x << "," << y;
    image.fill(black);
    canvas().ellipse(3, 3, 4, 4);
    EXPECT_EQ(changedArea(image, black), makeRect(3, 3, 3, 3));
    canvas().ellipse(5, 5, 5, 9);
    canvas().ellipse(5, 5, 2, 9);
    canvas().ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_TRUE(paddingUntouched(image));
}

TEST_F(CanvasTest, DrawImageCopiesTheClippedPartOfTheSource) {
    Limage source = filledImage(4, 3, 0x0000FF);
    source.setPixel(0, 0, 0x00FF00);
    canvas().drawImage(-1, 8, source);
    EXPECT_EQ(changedArea(image, black), makeRect(0, 8, 2, 9));
    EXPECT_EQ(image.pixel(0, 8), 0x0000FF);
    canvas().drawImage(INT_MAX, INT_MAX, source);
    canvas().drawImage(INT_MIN, 0, source);
    canvas().drawImage(0, 0, Limage());
    EXPECT_EQ(changedArea(image, black), makeRect(0, 8, 2, 9));
}

TEST_F(CanvasTest, DrawingAnImageOntoItselfHandlesTheOverlap) {
    for (int y = 0; y < 10; ++y) image.setPixel(0, y, makeColor(y, 0, 0));
    canvas().drawImage(0, 3, image);
    for (int y = 3; y < 10; ++y) EXPECT_EQ(image.pixel(0, y), makeColor(y - 3, 0, 0));
    canvas().drawImage(0, -3, image);
    EXPECT_EQ(image.pixel(0, 0), makeColor(0, 0, 0));
    EXPECT_EQ(image.pixel(0, 6), makeColor(6, 0, 0));
}

TEST(GradientFill, FirstAndLastLinesHaveExactlyTheEndColours) {
    Limage image = filledImage(60, 12, 0x123456);
    gradientFill(image.canvas(), 0, 1, 10, 3, black, white, true);
    EXPECT_EQ(changedArea(image, 0x123456), makeRect(0, 1, 10, 3));
    EXPECT_EQ(image.pixel(0, 2), black);
    EXPECT_EQ(image.pixel(5, 2), 0x7F7F7F);
    EXPECT_EQ(image.pixel(10, 3), white);
    // 49 x (1/49) falls short of 1 in double precision.
    gradientFill(image.canvas(), 0, 5, 49, 5, black, white, true);
    EXPECT_EQ(image.pixel(49, 5), white);
    gradientFill(image.canvas(), 2, 6, 4, 11, 0x0000FF, 0xFF0000, false);
    EXPECT_EQ(image.pixel(3, 6), 0x0000FF);
    EXPECT_EQ(image.pixel(4, 11), 0xFF0000);
    EXPECT_EQ(image.pixel(5, 11), 0x123456);
}

TEST(GradientFill, ASingleLineHasTheStartColourAndInvertedRangesDrawNothing) {
    Limage image = filledImage(10, 10, black);
    gradientFill(image.canvas(), 4, 2, 4, 7, 0x1880E8, white, true);
    EXPECT_EQ(changedArea(image, black), makeRect(4, 2, 4, 7));
    EXPECT_EQ(countPixels(image, 0x1880E8), 6);
    gradientFill(image.canvas(), 5, 0, 4, 9, white, white, true);
    gradientFill(image.canvas(), 0, 5, 9, 4, white, white, false);
    EXPECT_EQ(countPixels(image, white), 0);
}

TEST(GradientFill, HugeRangesColourTheVisibleLinesByTheirPlaceInTheWhole) {
    Limage image = filledImage(10, 4, black);
    gradientFill(image.canvas(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, black, white, true);
    EXPECT_EQ(countPixels(image, 0x7F7F7F), 40);
}

class RecordingSink : public DamageSink {
public:
    void damaged(const Rect& area) override { areas.push_back(area); }
    std::vector<Rect> areas;
};

TEST(BlitToWindow, CopiesOnlyTheInclusiveRectangleMovedAndReportsIt) {
    const Limage buffer = filledImage(10, 10, white);
    Limage window = filledImage(20, 20, black);
    RecordingSink sink;
    window.canvas().setDamageSink(&sink);
    blitToWindow(buffer, window.canvas(), makeRect(2, 3, 4, 8), 5, 1);
    EXPECT_EQ(changedArea(window, black), makeRect(7, 4, 9, 9));
    ASSERT_EQ(sink.areas.size(), 1u);
    EXPECT_EQ(sink.areas[0], makeRect(7, 4, 9, 9));
    window.canvas().setPixel(19, 19, white);  // the clip is gone afterwards
    EXPECT_EQ(window.pixel(19, 19), white);
    blitToWindow(buffer, window.canvas(), makeRect(0, 0, INT_MAX, INT_MAX), INT_MAX, 0);
    EXPECT_EQ(sink.areas.back().right, INT_MAX);
}

class FakeRasterizer : public FontRasterizer {
public:
    void drawText(Limage& target, const Rect& clip, int x, int y, const std::string& text,
                  int pixelHeight, bool bold, Color color) override {
        drawn = text;
        lastClip = clip;
        lastHeight = pixelHeight;
        lastBold = bold;
        target.setPixel(x, y, color);
    }
    int textWidth(const std::string& text, int pixelHeight, bool) override {
        return int(text.size()) * pixelHeight;
    }
    int textHeight(int pixelHeight, bool bold) override { return pixelHeight + (bold ? 2 : 1); }

    std::string drawn;
    Rect lastClip;
    int lastHeight = 0;
    bool lastBold = false;
};

TEST_F(CanvasTest, TextGoesThroughTheInstalledRasterizerWithFontAndClip) {
    EXPECT_EQ(canvas().textWidth("abc"), 0);
    FakeRasterizer fake;
    installFontRasterizer(&fake);
    canvas().setFont(14, true);
    canvas().setFontColor(0x0000FF);
    clipCanvas(canvas(), makeRect(1, 2, 6, 7));
    canvas().textOut(3, 4, "Tempo");
    EXPECT_EQ(fake.drawn, "Tempo");
    EXPECT_EQ(fake.lastClip, makeRect(1, 2, 6, 7));
    EXPECT_EQ(fake.lastHeight, 14);
    EXPECT_TRUE(fake.lastBold);
    EXPECT_EQ(image.pixel(3, 4), 0x0000FF);
    EXPECT_EQ(canvas().textWidth("abc"), 42);
    EXPECT_EQ(canvas().textHeight("abc"), 16);
    unclipCanvas(canvas());
    installFontRasterizer(nullptr);
    EXPECT_EQ(canvas().textHeight("abc"), 0);
}

TEST(CanvasSnapshot, ShapesForTheEye) {
    Limage image = filledImage(160, 100, 0xE0E0E0);
    Canvas& canvas = image.canvas();
    gradientFill(canvas, 0, 0, 159, 29, 0x703010, 0xF0C080, false);
    canvas.setColor(0x2020C0);
    canvas.ellipse(10, 35, 50, 75);
    canvas.setColor(0x20A020);
    canvas.polygon({{60, 35}, {100, 75}, {60, 75}});
    canvas.setColor(black);
    canvas.frameRect(105, 35, 150, 75);
    canvas.moveTo(105, 95);
    canvas.lineTo(155, 80);
    softPen().setTarget(&image).setColour(0xC02020).circle(30, 88, 8, true);
    softPen().line(50, 95, 95, 82);
    softPen().setTarget(nullptr);
    saveSnapshot(image, "graphics_shapes");
}

}  // namespace
}  // namespace brio
