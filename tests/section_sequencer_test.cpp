#include <gtest/gtest.h>

#include "accompaniment/SectionSequencer.h"

namespace brio {
namespace {

using Playing = SectionSequencer::Playing;

// A style with every section: intro 2 bars, fills and break 1, ending 2.
constexpr SectionBars everySection{2, 1, 1, 1, 1, 1, 2};

// A song: the armed intro, A, B through its fill, the break, the ending, which stops by itself;
// and a style without sections: no fill, no break, and Ending stops at the next bar line.
TEST(SectionSequencer, ASongRunsItsSectionsAndAPlainStyleFallsBack) {
    SectionSequencer song;
    song.setStyle(everySection, 4, 1);
    song.press(SectionRequest::intro, 0);
    EXPECT_TRUE(song.introArmed());
    song.start(0);
    std::vector<Section> heard;
    const auto play = [&](SectionSequencer& s, int32_t from, int32_t to) {
        for (int32_t n = from; n < to; ++n) {
            const auto playing = s.advance(n);
            heard.push_back(playing ? playing->section : Section(-1));
        }
    };
    play(song, 0, 12);  // intro 8 steps, then A
    song.press(SectionRequest::mainB, 11);
    play(song, 12, 20);  // the fill from step 12 (a beat), B at 16
    song.press(SectionRequest::breakBar, 19);
    play(song, 20, 28);
    song.press(SectionRequest::ending, 27);
    play(song, 28, 40);
    using S = Section;
    const std::vector<Section> expected{S::intro, S::intro, S::intro, S::intro, S::intro, S::intro, S::intro, S::intro,
                                        S::mainA, S::mainA, S::mainA, S::mainA, S::fillB, S::fillB, S::fillB, S::fillB,
                                        S::mainB, S::mainB, S::mainB, S::mainB, S::breakBar, S::breakBar, S::breakBar,
                                        S::breakBar, S::mainB, S::mainB, S::mainB, S::mainB, S::ending, S::ending,
                                        S::ending, S::ending, S::ending, S::ending, S::ending, S::ending, S(-1),
                                        S(-1), S(-1), S(-1)};
    EXPECT_EQ(heard, expected);
    EXPECT_FALSE(song.running());

    SectionSequencer plain;
    plain.setStyle({0, 1, 0, 0, 0, 0, 0}, 4, 1);
    plain.press(SectionRequest::intro, 0);
    plain.start(0);
    heard.clear();
    play(plain, 0, 2);
    for (SectionRequest request : {SectionRequest::fill, SectionRequest::mainB, SectionRequest::breakBar})
        plain.press(request, 1);
    play(plain, 2, 5);
    plain.press(SectionRequest::ending, 5);
    play(plain, 5, 10);
    EXPECT_EQ(heard, (std::vector<Section>{S::mainA, S::mainA, S::mainA, S::mainA, S::mainA, S::mainA, S::mainA,
                                           S::mainA, S(-1), S(-1)}));
}

}  // namespace
}  // namespace brio
