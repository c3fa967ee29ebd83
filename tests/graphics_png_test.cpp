#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ImageProbe.h"
#include "platform/PngWriter.h"

namespace brio {
namespace {

// A file name of this test process in the temporary folder.
std::string scratchPath(const std::string& name) {
    return testing::TempDir() + "brio_" + std::to_string(getpid()) + "_" + name;
}

TEST(SavePng, WritesAnRgbFileThatReadsBackAsTheSamePixels) {
    Limage image = filledImage(5, 3, 0x1880E8);
    image.setPixel(4, 2, 0x0000FF);
    image.setPixel(0, 1, 0xFF0000);
    const std::string path = scratchPath("round_trip.png");
    ASSERT_TRUE(savePng(image, path));

    png_image read{};
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
    EXPECT_EQ(read.width, 5u);
    EXPECT_EQ(read.height, 3u);
    EXPECT_EQ(read.format, png_uint_32(PNG_FORMAT_RGB));
    read.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, rgb.data(), 0, nullptr));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint8_t* p = rgb.data() + (y * 5 + x) * 3;
            EXPECT_EQ(makeColor(p[0], p[1], p[2]), image.pixel(x, y)) << x << "," << y;
        }
    }
    std::filesystem::remove(path);
}

TEST(SavePng, RefusesAnEmptyImageOrAnUnwritablePath) {
    EXPECT_FALSE(savePng(Limage(), scratchPath("empty.png")));
    EXPECT_FALSE(std::filesystem::exists(scratchPath("empty.png")));
    EXPECT_FALSE(savePng(filledImage(2, 2, white), "/nonexistent-folder/x.png"));
}

}  // namespace
}  // namespace brio
