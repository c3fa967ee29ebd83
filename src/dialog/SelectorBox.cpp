#include "dialog/SelectorBox.h"

#include <algorithm>
#include <utility>

namespace brio {

SelectorBox::SelectorBox(std::string title, const Text_& names, int32_t& option,
                         int32_t entryOffset, Fallback fallback)
    : caption(std::move(title)),
      names(&names),
      option(&option),
      entryOffset(entryOffset),
      fallback(fallback) {}

void SelectorBox::place(int x, int y, int width) {
    left = x;
    top = y;
    boxWidth = width;
}

void SelectorBox::paint(bool copy) {
    display.paint(left, top, boxWidth, height, shownName(), "", "", copy);
}

bool SelectorBox::hit(int x, int y) const {
    return display.hitTest(x, y, LcdDisplay::wholeBox);
}

int SelectorBox::shownEntry() const {
    const int count = names->count();
    if (count == 0) return -1;
    const int64_t entry = int64_t(*option) + entryOffset;
    if (entry >= 0 && entry < count) return int(entry);
    return fallback == Fallback::firstEntry ? 0 : int(std::clamp<int64_t>(entry, 0, count - 1));
}

std::string SelectorBox::shownName() const {
    const int entry = shownEntry();
    return entry < 0 ? std::string() : names->getConst(entry);
}

bool SelectorBox::choose(int entry) {
    if (entry < 0 || entry >= names->count()) return false;
    *option = entry - entryOffset;
    return true;
}

}  // namespace brio
