#pragma once

namespace brio {

class StepGrid;

// One mouse event on a grid cell, as the stroke sees it.
struct GridTouch {
    int step = 0;
    int row = 0;
    int button = 0;  // MouseButton: leftButton or rightButton
    bool ctrl = false;
    bool alt = false;
    bool dragging = false;  // a move with a button held, not a press
};

// Mouse editing of the step grid. A press decides whether the stroke paints (it began on an
// empty cell) or erases (it began on a note); the moves of the drag that follows do the same to
// every cell they pass. With Ctrl a press lengthens (right button) or shortens (left) a note by
// half a step, with Alt it raises or lowers its velocity by 10.
class GridStroke {
public:
    static constexpr double lengthStep = 0.5;
    static constexpr double shortestLength = 0.5;
    static constexpr int velocityStep = 10;
    static constexpr int lowestVelocity = 10;
    static constexpr int highestVelocity = 120;
    static constexpr int newVelocity = 100;

    // Applies one press or drag event; true when the cell changed.
    bool touch(StepGrid& grid, const GridTouch& touch);
    // Applies a drag from the cell (fromStep, fromRow) to `to`, touching every cell on the way
    // once (the first one not again); true when any cell changed.
    bool drag(StepGrid& grid, int fromStep, int fromRow, const GridTouch& to);

    bool painting() const { return paints; }

private:
    bool paints = true;
};

}  // namespace brio
