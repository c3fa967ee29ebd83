#pragma once

#include <array>
#include <cstdint>

#include "accompaniment/BaseStyle.h"
#include "programmer/ProgrammerLayout.h"

namespace brio {

// Program, volume, key and mode of one part as the programmer edits them.
struct PartValues {
    int32_t program = 0;   // 0..127
    int32_t volume = 100;  // 0..100
    int32_t key = 0;       // -127..127 semitones
    int32_t mode = 0;      // PartMode 0..3

    int32_t& value(ProgrammerLayout::PartControl control);
    int32_t value(ProgrammerLayout::PartControl control) const;
};

// Range and steps of a part control: `step`, or `ctrlStep` with Ctrl held.
struct ControlRange {
    int low;
    int high;
    int step;
    int ctrlStep;
};

// The style being edited: which style and section, the pattern each part plays in that
// section, the selected part and the part values (shared by all sections). The copies are
// written back to the library when the style is stored.
class StyleEditor {
public:
    static constexpr int partCount = BaseStyle::partCount;

    static const ControlRange& rangeOf(ProgrammerLayout::PartControl control);
    // `value` with one decimal digit replaced by `number`; each digit is limited (thousands
    // 0..3, the others 0..9) before they are put together again.
    static int withDigit(int value, ProgrammerLayout::Digit digit, int number);
    // The digit of `value` that a selector row shows.
    static int digitOf(int value, ProgrammerLayout::Digit digit);

    // Copies prog, vol, key, mode of every part and its pattern in the section: Main A's is
    // the style's arp, another section's its own (noPattern where the part rests).
    void loadParts(const BaseStyle& style);
    void storeParts(BaseStyle& style) const;
    // Raises (or lowers) control `control` of part `part` by its step, within its range; true
    // when the value changed.
    bool adjust(int part, ProgrammerLayout::PartControl control, bool raise, bool ctrl);

    int selectedPattern() const { return patternIndex[size_t(selectedPart)]; }
    // True when the selected part has no pattern in a section other than Main A.
    bool selectedRests() const {
        return section != Section::mainA && selectedPattern() == BaseStyle::noPattern;
    }

    int styleIndex = 0;                             // 0..99
    Section section = Section::mainA;               // whose patterns patternIndex holds
    std::array<int32_t, partCount> patternIndex{};  // 0..3999 when valid
    int selectedPart = 0;                           // 0..4, 0 the rhythm
    std::array<PartValues, partCount> parts{};
};

}  // namespace brio
