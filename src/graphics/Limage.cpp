#include "graphics/Limage.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "graphics/Blit.h"

namespace brio {

namespace {

int currentScale = 1;

}  // namespace

int drawingScale() { return currentScale; }
void setDrawingScale(int scale) { currentScale = std::clamp(scale, 1, Limage::maxScale); }

Limage::Limage() : imageCanvas(std::make_unique<Canvas>(*this)) {
    // The blend tables exist before any image is painted.
    multiplyTable();
}

Limage::~Limage() = default;

Limage::Limage(const Limage& other) : Limage() {
    *this = other;
}

Limage& Limage::operator=(const Limage& other) {
    if (&other == this) return *this;
    if (other.isValid())
        createFrom(other);
    else
        release();
    return *this;
}

bool Limage::create(int width, int height) { return create(width, height, currentScale); }

bool Limage::create(int width, int height, int scale) {
    release();
    if (width < 1 || width > maxSide || height < 1 || height > maxSide || scale < 1 || scale > maxScale) return false;
    const int deviceRows = height * scale;
    const int stride = (width * scale * 3 + 3) & ~3;
    try {
        pixels.resize(size_t(stride) * size_t(deviceRows));
        rows.resize(size_t(deviceRows));
    } catch (const std::bad_alloc&) {
        release();
        return false;
    }
    for (int y = 0; y < deviceRows; ++y) rows[size_t(y)] = pixels.data() + size_t(y) * size_t(stride);
    imageWidth = width;
    imageHeight = height;
    pixelScale = scale;
    rowStride = stride;
    resetClip();
    return true;
}

bool Limage::createFrom(const Limage& source) {
    if (&source == this) return isValid();
    if (!source.isValid() || !create(source.width(), source.height(), source.scale())) return false;
    for (int y = 0; y < deviceHeight(); ++y)
        std::memcpy(row(y), source.row(y), size_t(deviceWidth()) * 3);
    return true;
}

void Limage::release() {
    std::vector<uint8_t>().swap(pixels);
    std::vector<uint8_t*>().swap(rows);
    imageWidth = 0;
    imageHeight = 0;
    pixelScale = 1;
    rowStride = 0;
    resetClip();
}

Color Limage::pixel(int x, int y) const {
    if (x < 0 || x >= imageWidth || y < 0 || y >= imageHeight) return noColor;
    return devicePixel(x * pixelScale, y * pixelScale);
}

void Limage::setPixel(int x, int y, Color color) {
    if (x < 0 || x >= imageWidth || y < 0 || y >= imageHeight) return;
    for (int dy = 0; dy < pixelScale; ++dy)
        for (int dx = 0; dx < pixelScale; ++dx) setDevicePixel(x * pixelScale + dx, y * pixelScale + dy, color);
}

Color Limage::devicePixel(int x, int y) const {
    if (x < 0 || x >= deviceWidth() || y < 0 || y >= deviceHeight()) return noColor;
    const uint8_t* p = row(y) + size_t(x) * 3;
    return makeColor(p[2], p[1], p[0]);
}

void Limage::setDevicePixel(int x, int y, Color color) {
    if (x < 0 || x >= deviceWidth() || y < 0 || y >= deviceHeight()) return;
    const ColorChannels c = splitColor(color);
    uint8_t* p = row(y) + size_t(x) * 3;
    p[0] = uint8_t(c.blue);
    p[1] = uint8_t(c.green);
    p[2] = uint8_t(c.red);
}

void Limage::resetClip() {
    clipLeft = 0;
    clipRight = imageWidth - 1;
    clipTop = 0;
    clipBottom = imageHeight - 1;
}

void Limage::setClip(int left, int top, int right, int bottom) {
    if (!isValid()) return;
    clipLeft = std::max(0, std::min(left, imageWidth - 1));
    clipRight = std::max(0, std::min(right, imageWidth - 1));
    clipTop = std::max(0, std::min(top, imageHeight - 1));
    clipBottom = std::max(0, std::min(bottom, imageHeight - 1));
}

Limage& Limage::setCentred(bool value) {
    centred = value;
    return *this;
}

void Limage::fill(Color color) {
    if (!isValid()) return;
    const ColorChannels c = splitColor(color);
    const size_t rowBytes = size_t(deviceWidth()) * 3;
    uint8_t* first = row(0);
    for (size_t i = 0; i < rowBytes; i += 3) {
        first[i] = uint8_t(c.blue);
        first[i + 1] = uint8_t(c.green);
        first[i + 2] = uint8_t(c.red);
    }
    for (int y = 1; y < deviceHeight(); ++y) std::memcpy(row(y), first, rowBytes);
}

void Limage::invert() {
    for (uint8_t& b : pixels) b = uint8_t(255 - b);
}

void Limage::tint(Color color) {
    if (!isValid()) return;
    const ColorChannels c = splitColor(color);
    const BlendTable& table = multiplyTable();
    const auto& blue = table[size_t(c.blue)];
    const auto& green = table[size_t(c.green)];
    const auto& red = table[size_t(c.red)];
    const size_t rowBytes = size_t(deviceWidth()) * 3;
    for (int y = 0; y < deviceHeight(); ++y) {
        uint8_t* p = row(y);
        for (size_t i = 0; i < rowBytes; i += 3) {
            p[i] = blue[p[i]];
            p[i + 1] = green[p[i + 1]];
            p[i + 2] = red[p[i + 2]];
        }
    }
}

}  // namespace brio
