#include "programmer/GridStroke.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/WindowHost.h"
#include "programmer/StepGrid.h"

namespace brio {

bool GridStroke::touch(StepGrid& grid, const GridTouch& t) {
    if (!StepGrid::contains(t.step, t.row)) return false;
    GridCell& cell = grid.cell(t.step, t.row);
    const bool raise = t.button == rightButton;
    if (t.ctrl && !t.dragging && cell.hasNote()) {
        const double len = std::max(shortestLength, cell.len + (raise ? lengthStep : -lengthStep));
        if (len == cell.len) return false;
        cell.len = len;
        return true;
    }
    if (t.alt && !t.dragging && cell.hasNote()) {
        const int vel = std::clamp(cell.vel + (raise ? velocityStep : -velocityStep),
                                   lowestVelocity, highestVelocity);
        if (vel == cell.vel) return false;
        cell.vel = vel;
        return true;
    }
    if (!t.dragging) paints = !cell.hasNote();
    if (paints && !cell.hasNote()) {
        cell = GridCell{newVelocity, 1.0};
        return true;
    }
    if (!paints && cell.hasNote()) {
        cell = GridCell{};
        return true;
    }
    return false;
}

// Cells along the line from the start cell to the end cell, one step at a time in the longer
// direction, so a fast move leaves no gaps.
bool GridStroke::drag(StepGrid& grid, int fromStep, int fromRow, const GridTouch& to) {
    const int ds = to.step - fromStep;
    const int dr = to.row - fromRow;
    const int n = std::max(std::abs(ds), std::abs(dr));
    bool changed = false;
    for (int i = 1; i <= n; ++i) {
        GridTouch at = to;
        at.dragging = true;
        at.step = fromStep + (ds * i + (ds >= 0 ? n / 2 : -(n / 2))) / n;
        at.row = fromRow + (dr * i + (dr >= 0 ? n / 2 : -(n / 2))) / n;
        changed = touch(grid, at) || changed;
    }
    return changed;
}

}  // namespace brio
