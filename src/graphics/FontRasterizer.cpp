#include "graphics/FontRasterizer.h"

namespace brio {

namespace {
FontRasterizer* installed = nullptr;
}  // namespace

FontRasterizer* fontRasterizer() {
    return installed;
}

void installFontRasterizer(FontRasterizer* rasterizer) {
    installed = rasterizer;
}

}  // namespace brio
