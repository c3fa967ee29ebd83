#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/Canvas.h"
#include "graphics/Color.h"

namespace brio {

// The drawing scale (1, 2 or 3): images made from now on hold that many device pixels for each
// of their pixels across and down, and everything drawn into them is drawn at that resolution.
// Sizes, positions and clips stay in the pixels of scale 1 everywhere else.
int drawingScale();
void setDrawingScale(int scale);  // clamped to 1..3

// A 24-bit image in plain memory: every back buffer, widget face and key picture. Pixels are
// three bytes each, blue, green, red; rows are padded to a multiple of four bytes. Blits into
// the image write only inside its clip rectangle. Its size is in pixels; its storage holds
// scale() x scale() device pixels for each, made at the drawing scale of its creation.
class Limage {
public:
    static constexpr int maxSide = 10000;
    static constexpr int maxScale = 3;

    Limage();
    ~Limage();
    // Copies the pixels into new storage; self-assignment does nothing.
    Limage(const Limage& other);
    Limage& operator=(const Limage& other);

    // Releases the old content; false (and empty) unless both sides are 1..10000. The pixels
    // are undefined until filled. The image takes the drawing scale.
    bool create(int width, int height);
    // The same at the given scale (1..maxScale).
    bool create(int width, int height, int scale);
    // A copy of `source` (same size and pixels); false for an empty source.
    bool createFrom(const Limage& source);
    void release();
    bool isValid() const { return !rows.empty(); }

    int width() const { return imageWidth; }
    int height() const { return imageHeight; }
    // Device pixels per pixel across and down, and the device size.
    int scale() const { return pixelScale; }
    int deviceWidth() const { return imageWidth * pixelScale; }
    int deviceHeight() const { return imageHeight * pixelScale; }
    // Bytes from one device row to the next.
    int stride() const { return rowStride; }
    // The first byte (blue) of device row y; y must be 0..deviceHeight-1.
    uint8_t* row(int y) { return rows[size_t(y)]; }
    const uint8_t* row(int y) const { return rows[size_t(y)]; }
    // All pixel bytes, rows top to bottom.
    uint8_t* bits() { return pixels.data(); }
    const uint8_t* bits() const { return pixels.data(); }

    // A pixel is its top-left device pixel; setting one sets all its device pixels.
    Color pixel(int x, int y) const;  // noColor outside the image
    void setPixel(int x, int y, Color color);  // nothing outside the image
    // One device pixel.
    Color devicePixel(int x, int y) const;  // noColor outside the image
    void setDevicePixel(int x, int y, Color color);

    // The blit clip: whole image.
    void resetClip();
    // Each value clamped into the image (inclusive rectangle).
    void setClip(int left, int top, int right, int bottom);
    // Sets the centred flag and returns the image, to pass it straight to a blit.
    Limage& setCentred(bool value = true);

    void fill(Color color);
    void invert();  // every byte b becomes 255 - b
    void tint(Color color);  // every channel c becomes multiplyTable[colour channel][c]

    // The image's canvas for shape and text drawing.
    Canvas& canvas() { return *imageCanvas; }

    int32_t clipLeft = 0;
    int32_t clipRight = -1;
    int32_t clipTop = 0;
    int32_t clipBottom = -1;
    bool centred = false;

private:
    int imageWidth = 0;
    int imageHeight = 0;
    int pixelScale = 1;
    int rowStride = 0;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t*> rows;
    std::unique_ptr<Canvas> imageCanvas;
};

// Holds one image; the program makes one at start so the blend tables exist before any window.
struct SpotLight {
    Limage image;
};

}  // namespace brio
