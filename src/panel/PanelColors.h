#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "graphics/Color.h"

namespace brio {

// The panel's colour schemes (the sections' colour) and display colours, by option index.
// Indices out of range are taken as the nearest one.
struct PanelColors {
    static constexpr std::array<Color, 7> sectionColors{0xB09880, 0x9FB9C3, 0xA0A0A0, 0x646464,
                                                        0x78645A, 0x9A6E76, 0x6E7068};
    static constexpr std::array<Color, 3> lcdColors{0x1880E8, 0xF0C080, 0x30D830};
    static constexpr int firstDarkScheme = 3;
    static constexpr Color lightText = 0xD0D0D0;  // widget captions on the dark schemes

    static int schemeIndex(int32_t colors) { return std::clamp(colors, 0, int32_t(sectionColors.size()) - 1); }
    static int lcdIndex(int32_t lcdColor) { return std::clamp(lcdColor, 0, int32_t(lcdColors.size()) - 1); }
    static Color section(int32_t colors) { return sectionColors[size_t(schemeIndex(colors))]; }
    static bool dark(int32_t colors) { return schemeIndex(colors) >= firstDarkScheme; }
    static Color text(int32_t colors) { return dark(colors) ? lightText : black; }
    static Color lcd(int32_t lcdColor) { return lcdColors[size_t(lcdIndex(lcdColor))]; }
};

}  // namespace brio
