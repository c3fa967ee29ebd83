#include "programmer/PatternOperations.h"

#include <algorithm>
#include <array>

#include "accompaniment/ArpeggioStyle.h"

namespace brio::PatternOperations {

namespace {

struct MenuEntry {
    const char* text;  // with the separator mark where a line goes above the entry
    int tag;
};

constexpr std::array<MenuEntry, 7> entries = {{
    {"Copy first 8 steps", 8},
    {"Copy first 16 steps", 16},
    {"Copy first 32 steps", 32},
    {"-Copy first 12 steps", 12},
    {"Copy first 24 steps", 24},
    {"-Double Speed", doubleSpeedTag},
    {"-Create Power Chords", powerChordsTag},
}};

constexpr int rootKey = 60;
constexpr std::array<int, 2> chordKeys = {67, 72};

}  // namespace

Text_ menuItems() {
    Text_ items;
    for (const MenuEntry& entry : entries) items.append(entry.text);
    return items;
}

int tagOf(int index) {
    return index >= 0 && index < int(entries.size()) ? entries[size_t(index)].tag : 0;
}

void copyFirstSteps(ArpeggioStyle& pattern, int n) {
    if (n <= 0) return;
    Llist<ArpeggioNote> kept;
    for (const ArpeggioNote& note : pattern.notes)
        if (note.pos < n) kept.append(note);
    const int end = std::min(pattern.length, copyLimit);
    const int originals = kept.count();
    for (int i = 0; i < originals; ++i) {
        ArpeggioNote copy = kept.getConst(i);
        // 64-bit steps: a position far below zero cannot overflow on its way up.
        int64_t pos = int64_t(copy.pos) + n;
        // Copies before step 0 would never sound: the first one at or after it comes next.
        if (pos < 0) pos += (-pos + n - 1) / n * n;
        for (; pos < end; pos += n) {
            copy.pos = int32_t(pos);
            kept.append(copy);
        }
    }
    pattern.notes = std::move(kept);
}

void doubleSpeed(ArpeggioStyle& pattern) {
    pattern.length /= 2;
    for (ArpeggioNote& note : pattern.notes) {
        note.pos /= 2;
        note.len /= 2;
    }
}

void createPowerChords(ArpeggioStyle& pattern) {
    Llist<ArpeggioNote> chords;
    for (const ArpeggioNote& note : pattern.notes) {
        chords.append(note);
        if (note.key != rootKey) continue;
        for (const int key : chordKeys) {
            ArpeggioNote copy = note;
            copy.key = key;
            chords.append(copy);
        }
    }
    pattern.notes = std::move(chords);
}

bool apply(ArpeggioStyle& pattern, int tag) {
    switch (tag) {
        case doubleSpeedTag:
            doubleSpeed(pattern);
            return true;
        case powerChordsTag:
            createPowerChords(pattern);
            return true;
        default:
            break;
    }
    if (tag <= 0) return false;
    copyFirstSteps(pattern, tag);
    return true;
}

}  // namespace brio::PatternOperations
