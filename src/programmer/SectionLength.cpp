#include "programmer/SectionLength.h"

#include <algorithm>

#include "accompaniment/BaseStyle.h"
#include "accompaniment/StyleLibrary.h"

namespace brio {

namespace {
constexpr int32_t defaultBeats = 4;
}  // namespace

int32_t coveringBars(const BaseStyle& style, Section section, const StyleLibrary& library) {
    bool played = false;
    int32_t longest = 1;
    for (const int32_t index : style.sections[size_t(section)].arp) {
        if (index == BaseStyle::noPattern) continue;
        played = true;
        if (StyleLibrary::validPattern(index))
            longest = std::max(longest, library.pattern(index).playingLength());
    }
    if (!played) return 0;
    const int32_t bar =
        (style.beats > 0 ? style.beats : defaultBeats) * std::max(style.stepsPerBeat, 1);
    return std::clamp((longest + bar - 1) / bar, int32_t(1), BaseStyle::mostBars(section));
}

}  // namespace brio
