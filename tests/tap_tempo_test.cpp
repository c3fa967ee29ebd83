#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "accompaniment/TapTempo.h"

namespace brio {
namespace {

// Each series is tapped from a start just before the clock wraps; the tempo after its last tap.
TEST(TapTempo, TheTempoIsTheMeanOfTheLastSevenIntervalsWithinItsRangeAndAPauseStartsAgain) {
    struct Series {
        const char* what;
        std::vector<uint32_t> gaps;  // before each tap after the first
        std::optional<int> bpm;
    };
    const Series table[] = {
        {"one tap", {}, std::nullopt},
        {"two taps", {500}, 120},
        {"eight taps: the mean interval", {480, 520, 510, 490, 500, 450, 550}, 120},
        {"eight taps, the first interval long", {1000, 500, 500, 500, 500, 500, 500}, 105},
        {"a ninth tap drops the first", {1000, 500, 500, 500, 500, 500, 500, 500}, 120},
        {"rounded to the nearest", {461}, 130},
        {"too fast", {200, 200}, 220},
        {"two taps at once", {0}, 220},
        {"the slowest", {3000}, 20},
        {"a longer pause starts a new series", {500, 500, 3001}, std::nullopt},
        {"which the next tap measures alone", {500, 500, 3001, 600}, 100},
    };
    for (const Series& series : table) {
        TapTempo tapper;
        uint32_t now = 0xFFFFF000u;
        std::optional<int> bpm = tapper.tap(now);
        for (const uint32_t gap : series.gaps) bpm = tapper.tap(now += gap);
        EXPECT_EQ(bpm, series.bpm) << series.what;
    }
}

}  // namespace
}  // namespace brio
