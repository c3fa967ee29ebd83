#include "graphics/ScControl.h"

#include <algorithm>

#include "graphics/DrawSurface.h"

namespace brio {

int32_t widgetCoordinate(int64_t value) {
    return int32_t(std::clamp<int64_t>(value, -widgetCoordinateLimit, widgetCoordinateLimit));
}

ScControl::ScControl() : faceColor(drawSurface().faceColor), textColor(drawSurface().textColor) {}

void ScControl::place(int x, int y, int width, int height) {
    rect = makeRect(widgetCoordinate(x), widgetCoordinate(y), widgetCoordinate(int64_t(x) + width),
                    widgetCoordinate(int64_t(y) + height));
}

}  // namespace brio
