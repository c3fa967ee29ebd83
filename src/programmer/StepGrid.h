#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "accompaniment/ArpeggioStyle.h"

namespace brio {

// One cell of the step grid: the velocity of the note starting there (0: none) and its length
// in steps.
struct GridCell {
    int32_t vel = 0;
    double len = 1.0;
    bool hasNote() const { return vel != 0; }
};

// The pattern as the programmer shows it: 64 steps by 47 rows, row r standing for key r + 35
// (the General MIDI percussion keys). Only notes on steps 0..63 with keys 35..81 fit.
class StepGrid {
public:
    static constexpr int stepCount = ArpeggioStyle::editableSteps;
    static constexpr int rowCount = 47;
    static constexpr int lowestKey = 35;

    static constexpr bool contains(int step, int row) {
        return step >= 0 && step < stepCount && row >= 0 && row < rowCount;
    }
    static constexpr int keyOfRow(int row) { return row + lowestKey; }

    // The caller checks contains(step, row).
    GridCell& cell(int step, int row) { return cells[size_t(step)][size_t(row)]; }
    const GridCell& cell(int step, int row) const { return cells[size_t(step)][size_t(row)]; }

    // Every cell empty (velocity 0, length 1).
    void clear();
    // Clears, then writes every note that fits into its cell; a later note on the same cell
    // overwrites an earlier one.
    void load(const ArpeggioStyle& pattern);
    // Replaces the pattern's notes by the grid's, step by step and within a step row by row.
    // Notes that the grid could not show are lost.
    void storeNotes(ArpeggioStyle& pattern) const;

private:
    std::array<std::array<GridCell, rowCount>, stepCount> cells{};
};

}  // namespace brio
