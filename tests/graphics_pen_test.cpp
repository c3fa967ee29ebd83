#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "ImageProbe.h"
#include "graphics/Limage.h"
#include "graphics/SoftPen.h"

namespace brio {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

class SoftPenTest : public testing::Test {
protected:
    void SetUp() override {
        target = filledImage(12, 10, black);
        pen.setTarget(&target).setColour(white);
    }
    Limage target;
    SoftPen pen;
};

TEST_F(SoftPenTest, PlotBetweenFourPixelsGivesEachTheWeightOneMinusItsDistance) {
    pen.plot(0.5, 0.5);
    const int level = int(255 * (1 - std::sqrt(0.5)));
    const Color weighted = makeColor(level, level, level);
    EXPECT_EQ(target.pixel(0, 0), weighted);
    EXPECT_EQ(target.pixel(1, 0), weighted);
    EXPECT_EQ(target.pixel(0, 1), weighted);
    EXPECT_EQ(target.pixel(1, 1), weighted);
    EXPECT_EQ(changedArea(target, black), makeRect(0, 0, 1, 1));
}

TEST_F(SoftPenTest, PlotOnAPixelPaintsItFullyAndLeavesNeighboursAtDistanceOne) {
    target.fill(0x204060);
    pen.setColour(0x0000FF).plot(3, 4);
    EXPECT_EQ(target.pixel(3, 4), 0x0000FF);
    EXPECT_EQ(changedArea(target, 0x204060), makeRect(3, 4, 3, 4));
}

TEST_F(SoftPenTest, PlotNeedsRoomForTheFourPixels) {
    const double refused[][2] = {{11, 2},  {2, 9},   {11.5, 2}, {-1, 2},   {2, -1.5},
                                 {nan, 2}, {2, nan}, {inf, 2},  {-inf, 2}, {1e300, 2}};
    for (const auto& p : refused) pen.plot(p[0], p[1]);
    EXPECT_EQ(changedArea(target, black), emptyRect);
    pen.plot(10.9, 8.9);
    EXPECT_EQ(changedArea(target, black), makeRect(10, 8, 11, 9));
    pen.setTarget(nullptr).plot(2, 2);
    Limage empty;
    pen.setTarget(&empty).plot(0.5, 0.5);
}

TEST_F(SoftPenTest, LineIncludesBothEndsAndShortSegmentsDrawNothing) {
    pen.line(0, 2, 9, 2);
    EXPECT_EQ(target.pixel(0, 2), white);
    EXPECT_EQ(target.pixel(9, 2), white);
    EXPECT_EQ(changedArea(target, black), makeRect(0, 2, 9, 2));
    target.fill(black);
    pen.line(4, 4, 4.5, 4.5);
    EXPECT_EQ(changedArea(target, black), emptyRect);
}

TEST_F(SoftPenTest, LongLinesDrawTheSamePixelsAsPlottingEveryPoint) {
    const double segments[][4] = {
        {-1000.3, 2.5, 1000.7, 3.5}, {5.2, -400, 6.9, 400}, {-50, -40, 60, 50}, {30, 1, -20, 8}};
    for (const auto& s : segments) {
        Limage expected = filledImage(12, 10, black);
        const double length = std::hypot(s[2] - s[0], s[3] - s[1]);
        const int n = int(length);
        SoftPen reference;
        reference.setTarget(&expected).setColour(white);
        for (int i = 0; i < n; ++i)
            reference.plot(s[0] + (s[2] - s[0]) * i * (1.0 / (n - 1)),
                           s[1] + (s[3] - s[1]) * i * (1.0 / (n - 1)));
        target.fill(black);
        pen.line(s[0], s[1], s[2], s[3]);
        EXPECT_EQ(std::memcmp(target.bits(), expected.bits(), size_t(target.stride()) * 10), 0)
            << s[0];
        EXPECT_NE(changedArea(target, black), emptyRect);
    }
}

TEST_F(SoftPenTest, LinesWithHugeOrInvalidCoordinatesStayInside) {
    pen.line(-1e12, 5, 1e12, 5);
    pen.line(nan, 0, 5, 5);
    pen.line(0, 0, inf, 5);
    pen.line(-1e300, -1e300, 1e300, 1e300);
    EXPECT_TRUE(paddingUntouched(target));
}

TEST_F(SoftPenTest, FilledCircleIsASolidDiscWithinItsBounds) {
    Limage image = filledImage(21, 21, black);
    pen.setTarget(&image).circle(10, 10, 5, true);
    EXPECT_EQ(image.pixel(10, 10), white);
    EXPECT_EQ(image.pixel(13, 12), white);
    const Rect area = changedArea(image, black);
    EXPECT_GE(area.left, 4);
    EXPECT_LE(area.right, 16);
    EXPECT_EQ(image.pixel(0, 0), black);
    image.fill(black);
    pen.circle(10, 10, 5, false);
    EXPECT_EQ(image.pixel(10, 10), black);
    EXPECT_NE(image.pixel(15, 10), black);
}

TEST_F(SoftPenTest, CirclesCrossingTheEdgesOrOutOfRangeStayInside) {
    pen.circle(0, 0, 8, true);
    pen.circle(11, 9, 3, false);
    pen.circle(6, 5, 5000, false);
    pen.circle(6, 5, 1e12, true);
    pen.circle(nan, 5, 3, true);
    pen.circle(6, 5, inf, true);
    pen.circle(6, 5, -3, true);
    pen.circle(1e300, 5, 3, true);
    EXPECT_TRUE(paddingUntouched(target));
    EXPECT_EQ(target.pixel(0, 0), white);
    EXPECT_EQ(target.pixel(11, 0), black);
}

}  // namespace
}  // namespace brio
