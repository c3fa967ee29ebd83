#include <gtest/gtest.h>

#include "accompaniment/SectionSequencer.h"

namespace brio {
namespace {

// A style without sections: no fill, no break, the intro never arms, and Ending stops at the
// next bar line.
TEST(SectionSequencer, APlainStyleFallsBack) {
    std::vector<Section> heard;
    const auto play = [&](SectionSequencer& s, int32_t from, int32_t to) {
        for (int32_t n = from; n < to; ++n) {
            const auto playing = s.advance(n);
            heard.push_back(playing ? playing->section : Section(-1));
        }
    };
    using S = Section;
    SectionSequencer plain;
    plain.setStyle({0, 1, 0, 0, 0, 0, 0}, 4, 1);
    plain.press(SectionRequest::intro, 0);
    EXPECT_FALSE(plain.introArmed());
    plain.start(0);
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
