#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Loudness.h"

namespace brio {

// Limits of a balanced style library: the mix near the target loudness, no part far below the
// style's loudest part.
constexpr double targetLufs = -18.0;
constexpr double lufsTolerance = 2.0;
constexpr double maxPartGapLu = 12.0;

// What one style measured: its mix, each part played alone (the drums, then parts 1..4; none
// for a part that is off), and how far the drum note-ons sounded from the ideal step grid.
struct StyleFigures {
    static constexpr size_t partCount = 5;

    int index = 0;
    std::string name;
    Loudness mix{};
    std::array<std::optional<double>, partCount> partLufs;
    int drumOnsets = 0;
    double onsetMeanMs = 0.0;  // mean of |sounded - ideal|
    double onsetMaxMs = 0.0;
};

// "drums", "part 1" .. "part 4".
std::string partName(size_t part);
// LU by which the part sits under the style's loudest part; none when the part is off.
std::optional<double> gapBelowLoudest(const StyleFigures& figures, size_t part);
// Every limit the style breaks, in words, separated by "; "; "" when it keeps them all.
std::string limitFlags(const StyleFigures& figures);

// The figures of every style as a Markdown table and as CSV (a header line, then one line per
// style); false when the file cannot be written.
bool writeSummaryMarkdown(const std::string& path, const std::vector<StyleFigures>& styles);
bool writeSummaryCsv(const std::string& path, const std::vector<StyleFigures>& styles);

}  // namespace brio
