#include "platform/PngWriter.h"

#include <png.h>

#include <cstdio>

#include "graphics/Limage.h"

namespace brio {

namespace {

void writeRows(png_structp png, const Limage& image) {
    for (int y = 0; y < image.deviceHeight(); ++y) png_write_row(png, image.row(y));
}

// libpng reports errors by jumping back here, so this frame holds nothing with a destructor.
bool encode(png_structp png, png_infop info, FILE* file, const Limage& image) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(image.deviceWidth()), png_uint_32(image.deviceHeight()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The image's bytes are blue, green, red; libpng swaps them into the file's red, green, blue.
    png_set_bgr(png);
    writeRows(png, image);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool savePng(const Limage& image, const std::string& path) {
    if (!image.isValid()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = png && info && encode(png, info, file, image);
    png_destroy_write_struct(&png, &info);
    written = std::fclose(file) == 0 && written;
    if (!written) std::remove(path.c_str());
    return written;
}

}  // namespace brio
