#include "programmer/StyleEditor.h"

#include <algorithm>

namespace brio {

using ProgrammerLayout::Digit;
using ProgrammerLayout::PartControl;

namespace {

constexpr std::array<ControlRange, ProgrammerLayout::controlCount> ranges = {{
    {0, 127, 1, 10},      // Tone
    {0, 100, 5, 5},       // Vol
    {-127, 127, 12, 12},  // Key
    {0, 3, 1, 10},        // Mode: Ctrl jumps to an end
}};

// The field of each control, by PartControl; anything else is the mode.
int32_t PartValues::*fieldOf(PartControl control) {
    switch (control) {
        case ProgrammerLayout::toneControl:
            return &PartValues::program;
        case ProgrammerLayout::volumeControl:
            return &PartValues::volume;
        case ProgrammerLayout::keyControl:
            return &PartValues::key;
        default:
            return &PartValues::mode;
    }
}

constexpr std::array<int, 4> digitWeights = {1000, 100, 10, 1};
constexpr std::array<int, 4> highestDigits = {3, 9, 9, 9};

}  // namespace

int32_t& PartValues::value(PartControl control) {
    return this->*fieldOf(control);
}

int32_t PartValues::value(PartControl control) const {
    return this->*fieldOf(control);
}

const ControlRange& StyleEditor::rangeOf(PartControl control) {
    return ranges[size_t(std::clamp(int(control), 0, int(ranges.size()) - 1))];
}

int StyleEditor::digitOf(int value, Digit digit) {
    const int weight = digitWeights[size_t(digit)];
    return digit == Digit::thousands ? value / weight : value / weight % 10;
}

int StyleEditor::withDigit(int value, Digit digit, int number) {
    std::array<int, 4> digits{};
    for (size_t i = 0; i < digits.size(); ++i) digits[i] = digitOf(value, Digit(i));
    digits[size_t(digit)] = number;
    int result = 0;
    for (size_t i = 0; i < digits.size(); ++i)
        result += std::clamp(digits[i], 0, highestDigits[i]) * digitWeights[i];
    return result;
}

void StyleEditor::loadParts(const BaseStyle& style) {
    for (size_t p = 0; p < size_t(partCount); ++p) {
        parts[p] = PartValues{style.prog[p], style.vol[p], style.key[p], style.mode[p]};
        patternIndex[p] = style.patternOf(section, int(p));
    }
}

void StyleEditor::storeParts(BaseStyle& style) const {
    for (size_t p = 0; p < size_t(partCount); ++p) {
        style.prog[p] = parts[p].program;
        style.vol[p] = parts[p].volume;
        style.key[p] = parts[p].key;
        style.mode[p] = parts[p].mode;
    }
    if (section == Section::mainA)
        style.arp = patternIndex;
    else
        style.sections[size_t(section)].arp = patternIndex;
}

bool StyleEditor::adjust(int part, PartControl control, bool raise, bool ctrl) {
    if (part < 0 || part >= partCount || control < 0 || control >= ProgrammerLayout::controlCount)
        return false;
    const ControlRange& range = rangeOf(control);
    int32_t& value = parts[size_t(part)].value(control);
    const int64_t step = ctrl ? range.ctrlStep : range.step;
    const auto changed = int32_t(
        std::clamp<int64_t>(int64_t(value) + (raise ? step : -step), range.low, range.high));
    if (changed == value) return false;
    value = changed;
    return true;
}

}  // namespace brio
