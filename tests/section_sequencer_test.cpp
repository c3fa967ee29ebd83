#include <gtest/gtest.h>

#include "accompaniment/SectionSequencer.h"

namespace brio {
namespace {

using Playing = SectionSequencer::Playing;

// A style with every section: intro 2 bars, fills and break 1, ending 2.
constexpr SectionBars everySection{2, 1, 1, 1, 1, 1, 2};

// Every request pressed at every step of the second bar, in 4/4, 3/4 and 6/8: a change starts on
// the next bar line, a fill on the next beat (the whole next bar from the last beat), and a fill
// plays its own bar's steps, then its main from the bar line.
TEST(SectionSequencer, EveryChangeFallsOnTheNextBarLineAndAFillOnTheNextBeat) {
    const struct {
        int32_t bar, beat;
    } meters[] = {{16, 4}, {12, 4}, {12, 6}};
    const struct {
        SectionRequest request;
        Section expected;
        bool onBeat;
    } requests[] = {
        {SectionRequest::fill, Section::fillA, true},     {SectionRequest::mainB, Section::fillB, true},
        {SectionRequest::breakBar, Section::breakBar, false}, {SectionRequest::ending, Section::ending, false},
        {SectionRequest::intro, Section::intro, false},
    };
    for (const auto& meter : meters) {
        for (const auto& r : requests) {
            for (int32_t at = 0; at < meter.bar; ++at) {
                SectionSequencer sequencer;
                sequencer.setStyle(everySection, meter.bar, meter.beat);
                const int32_t start = 5, pressed = start + meter.bar + at;
                sequencer.start(start);
                for (int32_t n = start; n <= pressed; ++n) ASSERT_TRUE(sequencer.advance(n));
                sequencer.press(r.request, pressed);
                const int32_t barLine = start + 2 * meter.bar;
                const int32_t beat = start + meter.bar + (at / meter.beat + 1) * meter.beat;
                const int32_t first = r.onBeat ? beat : barLine;
                SCOPED_TRACE(testing::Message() << meter.bar << "/" << meter.beat << " request " << int(r.request)
                                                << " at " << at);
                for (int32_t n = pressed + 1; n < first; ++n) EXPECT_EQ(sequencer.advance(n)->section, Section::mainA);
                EXPECT_EQ(sequencer.advance(first), (Playing{r.expected, first - (r.onBeat ? first - (first - start) % meter.bar : first)}));
                if (r.onBeat) {
                    for (int32_t n = first + 1; n < barLine + (first == barLine ? meter.bar : 0); ++n) sequencer.advance(n);
                    const int32_t next = barLine + (first == barLine ? meter.bar : 0);
                    const Section main = r.request == SectionRequest::mainB ? Section::mainB : Section::mainA;
                    EXPECT_EQ(sequencer.advance(next), (Playing{main, 0}));
                }
            }
        }
    }
}

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
