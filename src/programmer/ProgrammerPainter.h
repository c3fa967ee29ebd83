#pragma once

#include <string>

namespace brio {

class Limage;
class StepGrid;
class StyleProgrammer;

// Draws the style programmer window into its client-sized picture.
namespace ProgrammerPainter {

// Background, title and labels, the grid with its row names, the right panel; not the edits.
void paintAll(Limage& picture, const StyleProgrammer& programmer);
// The grid's cells and note bars only (the row names stay as they are).
void paintGrid(Limage& picture, const StepGrid& grid);

// The name of grid row 0..46 (General MIDI percussion, bottom row first); empty outside.
std::string rowName(int row);

}  // namespace ProgrammerPainter

}  // namespace brio
