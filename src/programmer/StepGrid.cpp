#include "programmer/StepGrid.h"

#include "accompaniment/ArpeggioStyle.h"

namespace brio {

void StepGrid::clear() {
    for (auto& step : cells) step.fill(GridCell{});
}

void StepGrid::load(const ArpeggioStyle& pattern) {
    clear();
    for (const ArpeggioNote& note : pattern.notes) {
        if (note.key < lowestKey || note.key >= lowestKey + rowCount) continue;
        const int row = note.key - lowestKey;
        if (contains(note.pos, row)) cell(note.pos, row) = GridCell{note.vel, note.len};
    }
}

void StepGrid::storeNotes(ArpeggioStyle& pattern) const {
    pattern.notes.clear();
    for (int step = 0; step < stepCount; ++step) {
        for (int row = 0; row < rowCount; ++row) {
            const GridCell& c = cell(step, row);
            if (c.hasNote()) pattern.notes.append(ArpeggioNote{keyOfRow(row), c.vel, step, c.len});
        }
    }
}

}  // namespace brio
