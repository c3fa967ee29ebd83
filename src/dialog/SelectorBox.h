#pragma once

#include <cstdint>
#include <string>

#include "foundation/Text.h"
#include "graphics/LcdDisplay.h"

namespace brio {

// A box of the options page that shows the name of an option's current entry in a list and
// lets the user choose another; the owner writes the box's title to its left.
class SelectorBox {
public:
    static constexpr int height = 22;  // pixels

    // What the box shows for an option value whose entry is not in the list.
    enum class Fallback {
        firstEntry,    // the first entry (the device list's mapper, which such numbers open)
        nearestEntry,  // the nearest entry (colours out of range are taken as the nearest)
    };

    // `names` and `option` must outlive the box; entry k of `names` stands for the option
    // value k - entryOffset.
    SelectorBox(std::string title, const Text_& names, int32_t& option, int32_t entryOffset,
                Fallback fallback);

    // Puts the box, `width` pixels wide, at (x, y); the owner writes the title beside it.
    void place(int x, int y, int width);
    // The box with the current name, into the draw surface's back buffer; `copy` copies it
    // to the window as well.
    void paint(bool copy);
    bool hit(int x, int y) const;

    // The list entry the box shows for the current option value; -1 when the list is empty.
    int shownEntry() const;
    std::string shownName() const;
    // Sets the option to the value of `entry`; false (and nothing changes) when the entry is
    // not in the list.
    bool choose(int entry);

    const std::string& title() const { return caption; }
    const Text_& entries() const { return *names; }
    LcdDisplay display;  // the rectangle and colour of the last paint

private:
    std::string caption;
    const Text_* names;
    int32_t* option;
    int32_t entryOffset;
    Fallback fallback;
    int left = 0;
    int top = 0;
    int boxWidth = 0;
};

}  // namespace brio
