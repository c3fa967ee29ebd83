#include <gtest/gtest.h>

#include <limits>

#include "ImageProbe.h"
#include "graphics/Color.h"
#include "graphics/Limage.h"

namespace brio {
namespace {

TEST(ColorHelpers, ScaleColorTruncatesEachChannelAndLimitsItTo255) {
    EXPECT_EQ(scaleColor(0xF4F4F4, 1.4f), 0xFFFFFF);
    EXPECT_EQ(scaleColor(0xFFFFFF, 0.5f), 0x7F7F7F);
    EXPECT_EQ(scaleColor(0x102030, 2.0f), 0x204060);
    EXPECT_EQ(scaleColor(0x1880E8, 0.0f), 0);
    EXPECT_EQ(scaleColor(0x1880E8, -3.0f), 0);
    EXPECT_EQ(scaleColor(0x1880E8, std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(scaleColor(0x1880E8, std::numeric_limits<float>::infinity()), 0xFFFFFF);
}

TEST(ColorHelpers, MixColorGivesTheEndsAtZeroAndOne) {
    EXPECT_EQ(mixColor(0x1880E8, 0x60F010, 0), 0x1880E8);
    EXPECT_EQ(mixColor(0x1880E8, 0x60F010, 1), 0x60F010);
    EXPECT_EQ(mixColor(0, 0xFFFFFF, 0.5), 0x7F7F7F);
    EXPECT_EQ(mixColor(0xFFFFFF, 0, 0.5), 0x7F7F7F);  // 255 - 127.5 truncates to 127
    EXPECT_EQ(mixColor(0x000000, 0xFFFFFF, 2.0), 0xFFFFFF);
}

TEST(LimageCreate, AcceptsOnlySidesFromOneToTenThousand) {
    Limage image;
    EXPECT_FALSE(image.isValid());
    EXPECT_FALSE(image.create(0, 5));
    EXPECT_FALSE(image.create(10001, 5));
    EXPECT_FALSE(image.create(5, 10001));
    EXPECT_FALSE(image.create(-5, 5));
    EXPECT_FALSE(image.isValid());
    EXPECT_EQ(image.width(), 0);
    ASSERT_TRUE(image.create(10000, 1));
    EXPECT_EQ(image.width(), 10000);
    EXPECT_EQ(image.height(), 1);
    EXPECT_EQ(image.clipRight, 9999);
    EXPECT_EQ(image.clipBottom, 0);
}

TEST(LimageCreate, FailingOrReleasingEmptiesTheImage) {
    Limage image;
    ASSERT_TRUE(image.create(4, 4));
    EXPECT_FALSE(image.create(4, 0));
    EXPECT_FALSE(image.isValid());
    EXPECT_EQ(image.height(), 0);
    ASSERT_TRUE(image.create(4, 4));
    image.release();
    EXPECT_FALSE(image.isValid());
    EXPECT_EQ(image.clipRight, -1);
    image.fill(white);  // operations on an empty image do nothing
    image.invert();
    image.tint(white);
    EXPECT_EQ(image.pixel(0, 0), noColor);
}

TEST(LimagePixels, RowsAreBlueGreenRedPaddedToFourBytes) {
    Limage image;
    ASSERT_TRUE(image.create(5, 3));
    EXPECT_EQ(image.stride(), 16);
    EXPECT_EQ(image.row(1) - image.row(0), 16);
    EXPECT_EQ(image.bits(), image.row(0));
    image.fill(0);
    image.setPixel(1, 2, 0x1880E8);
    const uint8_t* p = image.row(2) + 3;
    EXPECT_EQ(p[0], 24);
    EXPECT_EQ(p[1], 128);
    EXPECT_EQ(p[2], 232);
    EXPECT_EQ(image.pixel(1, 2), 0x1880E8);
    EXPECT_EQ(image.pixel(5, 0), noColor);
    EXPECT_EQ(image.pixel(0, -1), noColor);
    image.setPixel(5, 0, white);
    image.setPixel(-1, 0, white);
    EXPECT_EQ(countPixels(image, white), 0);
    EXPECT_TRUE(paddingUntouched(image));
}

TEST(LimageClip, SetClipClampsEveryEdgeIntoTheImage) {
    Limage image;
    ASSERT_TRUE(image.create(10, 8));
    image.setClip(-5, -5, 50, 50);
    EXPECT_EQ(image.clipLeft, 0);
    EXPECT_EQ(image.clipTop, 0);
    EXPECT_EQ(image.clipRight, 9);
    EXPECT_EQ(image.clipBottom, 7);
    image.setClip(3, 2, 6, 5);
    EXPECT_EQ(image.clipLeft, 3);
    EXPECT_EQ(image.clipRight, 6);
    image.resetClip();
    EXPECT_EQ(image.clipLeft, 0);
    EXPECT_EQ(image.clipRight, 9);
    EXPECT_EQ(&image.setCentred(), &image);
    EXPECT_TRUE(image.centred);
}

TEST(LimageCopy, CopiesPixelsIntoSeparateStorage) {
    Limage original = filledImage(7, 3, 0x112233);
    original.setPixel(6, 2, 0x445566);
    Limage copy(original);
    EXPECT_NE(copy.bits(), original.bits());
    EXPECT_EQ(copy.width(), 7);
    EXPECT_EQ(copy.pixel(6, 2), 0x445566);
    copy.setPixel(0, 0, white);
    EXPECT_EQ(original.pixel(0, 0), 0x112233);

    Limage assigned = filledImage(2, 2, white);
    assigned = original;
    EXPECT_EQ(assigned.height(), 3);
    EXPECT_EQ(assigned.pixel(6, 2), 0x445566);
    EXPECT_EQ(assigned.canvas().clipBox().right, 6);  // the canvas draws on the copy's pixels

    const Limage& self = assigned;
    assigned = self;
    EXPECT_EQ(assigned.pixel(6, 2), 0x445566);

    assigned = Limage();
    EXPECT_FALSE(assigned.isValid());
}

TEST(LimageCopy, CreateFromRefusesAnEmptySource) {
    Limage image = filledImage(3, 3, white);
    EXPECT_FALSE(image.createFrom(Limage()));
    EXPECT_TRUE(image.createFrom(filledImage(4, 2, 0x0000FF)));
    EXPECT_EQ(image.width(), 4);
    EXPECT_EQ(image.pixel(3, 1), 0x0000FF);
}

TEST(LimagePixelOperations, InvertFlipsEveryByte) {
    Limage image = filledImage(3, 2, 0x1880E8);
    image.invert();
    EXPECT_EQ(countPixels(image, 0xE77F17), 6);
    image.invert();
    EXPECT_EQ(countPixels(image, 0x1880E8), 6);
}

TEST(LimagePixelOperations, TintMultipliesEveryChannelByTheColour) {
    Limage image = filledImage(3, 2, white);
    image.tint(0x804020);
    EXPECT_EQ(countPixels(image, 0x804020), 6);
    image.fill(0x404040);
    image.tint(0xFF0000);  // only blue survives
    EXPECT_EQ(countPixels(image, 0x400000), 6);
}

}  // namespace
}  // namespace brio
