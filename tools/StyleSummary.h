#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "GrooveAgreement.h"
#include "Loudness.h"
#include "MixBalance.h"
#include "accompaniment/Section.h"

namespace brio {

// Limits of a balanced style library: the mix near the target loudness, no part far below the
// style's loudest part; each main and fill as near the target as the mix, an intro or an ending
// within a wider tolerance, a break (mostly silence) held to the true peak alone.
constexpr double targetLufs = -18.0;
constexpr double lufsTolerance = 2.0;
constexpr double introEndingToleranceLu = 4.0;
constexpr double maxTruePeakDbtp = -1.0;
constexpr double maxPartGapLu = 12.0;

// What one style measured: its mix (Main A), each part played alone (the drums, then parts
// 1..4; none for a part that is off or rests in Main A), each other section it has, and how
// far the drum note-ons sounded from the ideal step grid.
struct StyleFigures {
    static constexpr size_t partCount = 5;

    int index = 0;
    std::string name;
    Loudness mix{};
    MixBalance balance{};  // of Main A's mix
    std::array<std::optional<Loudness>, sectionCount> sections;  // by Section; Main A's is `mix`
    std::array<std::optional<double>, partCount> partLufs;
    std::array<bool, partCount> restsInMainA{};  // on, but playing only in other sections
    int drumOnsets = 0;
    double onsetMeanMs = 0.0;  // mean of |sounded - ideal|
    double onsetMaxMs = 0.0;
};

// "drums", "part 1" .. "part 4".
std::string partName(size_t part);
// "intro", "mainB", "fillA", "fillB", "break", "ending": the library's key of the section.
std::string sectionName(Section section);
// LU a section's loudness may lie from the target; none for a break (held to its true peak).
std::optional<double> sectionTolerance(Section section);
// LU by which the part sits under the style's loudest part; none when the part is off.
std::optional<double> gapBelowLoudest(const StyleFigures& figures, size_t part);
// Every limit the style breaks, in words, separated by "; "; "" when it keeps them all.
std::string limitFlags(const StyleFigures& figures);

// The figures of every style as a Markdown table (with the library's closest pair of grooves
// under it) and as CSV (a header line, then one line per style); false when the file cannot be
// written.
bool writeSummaryMarkdown(const std::string& path, const std::vector<StyleFigures>& styles,
                          const ClosestPair& closest);
bool writeSummaryCsv(const std::string& path, const std::vector<StyleFigures>& styles);

}  // namespace brio
