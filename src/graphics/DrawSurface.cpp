#include "graphics/DrawSurface.h"

#include "graphics/Drawing.h"
#include "graphics/Limage.h"

namespace brio {

bool DrawSurface::ready() const {
    return enabled && backBuffer && backBuffer->isValid() && windowCanvas;
}

void DrawSurface::copyToWindow(const Rect& r) const {
    if (!backBuffer || !windowCanvas) return;
    blitToWindow(*backBuffer, *windowCanvas, r, 0, 0);
}

DrawSurface& drawSurface() {
    static DrawSurface surface;
    return surface;
}

}  // namespace brio
