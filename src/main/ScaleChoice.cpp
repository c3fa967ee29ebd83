#include "main/ScaleChoice.h"

#include <algorithm>

#include "graphics/Limage.h"
#include "panel/MainPanel.h"
#include "settings/Options.h"

namespace brio {

int fittingScale(int wanted, int screenWidth, int screenHeight, bool largeView) {
    for (int scale = std::clamp(wanted, 1, Limage::maxScale); scale > 1; --scale) {
        if (screenWidth <= 0 || screenHeight <= 0) return scale;
        const int width = screenWidth / scale, height = screenHeight / scale;
        const bool large = largeView && width >= Options::largeViewMinWidth;
        const int panelWidth = large ? MainPanel::largeWidth : MainPanel::normalWidth;
        const int panelHeight = large ? MainPanel::largeHeight : MainPanel::normalHeight;
        if (panelWidth <= width && panelHeight <= height) return scale;
    }
    return 1;
}

}  // namespace brio
