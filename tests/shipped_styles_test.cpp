#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "accompaniment/Chord.h"
#include "accompaniment/StyleLibrary.h"

namespace brio {
namespace {

const StyleLibrary& shippedLibrary() {
    static const StyleLibrary library(std::string(BRIO_SOURCE_DIR) + "/data/styles.cfg");
    return library;
}

TEST(ShippedStyles, OfferManyNamedStylesAndKeyboardArpeggios) {
    const StyleLibrary& library = shippedLibrary();
    int styles = 0;
    for (int i = 0; i < StyleLibrary::styleCount; ++i) styles += library.style(i).isEmpty() ? 0 : 1;
    EXPECT_GE(styles, 24);
    int arpeggios = 0;
    for (int i = 0; i < 100; ++i) arpeggios += (!library.pattern(i).name.empty() && !library.pattern(i).isEmpty()) ? 1 : 0;
    EXPECT_GE(arpeggios, 16);
    EXPECT_FALSE(library.style(11).isEmpty()) << "the style selected at start";
    bool metronome = false;
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        if (library.style(i).name.find("Metronome") != std::string::npos) metronome = true;
    }
    EXPECT_TRUE(metronome);
}

bool isMetronome(const BaseStyle& style) { return style.name.find("Metronome") != std::string::npos; }

// The sections other than Main A.
constexpr std::array<Section, 6> otherSections{Section::intro, Section::mainB, Section::fillA,
                                               Section::fillB, Section::breakBar, Section::ending};

// True when the part plays in some section other than Main A.
bool playsInASection(const BaseStyle& style, int part) {
    return std::any_of(otherSections.begin(), otherSections.end(), [&](Section section) {
        return style.patternOf(section, part) != BaseStyle::noPattern;
    });
}

TEST(ShippedStyles, EveryPlayingPartHasAPatternWithNotesAndAValidProgram) {
    const StyleLibrary& library = shippedLibrary();
    std::set<std::string> names;
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        const BaseStyle& style = library.style(i);
        if (style.isEmpty()) continue;
        EXPECT_TRUE(names.insert(style.name).second) << "two styles named " << style.name;
        EXPECT_GE(style.bpm, 20) << style.name;
        EXPECT_LE(style.bpm, 220) << style.name;
        for (int part = 0; part < BaseStyle::partCount; ++part) {
            EXPECT_GE(style.prog[size_t(part)], 0) << style.name;
            EXPECT_LE(style.prog[size_t(part)], 127) << style.name;
            if (style.mode[size_t(part)] == partOff) continue;
            const int pattern = style.arp[size_t(part)];
            EXPECT_GE(style.vol[size_t(part)], 1) << style.name << " part " << part;
            EXPECT_LE(style.vol[size_t(part)], 100) << style.name << " part " << part;
            if (pattern == BaseStyle::noPattern && part > 0) {
                EXPECT_TRUE(playsInASection(style, part)) << style.name << " part " << part << " never plays";
                continue;
            }
            ASSERT_TRUE(StyleLibrary::validPattern(pattern)) << style.name << " part " << part;
            EXPECT_GE(pattern, 100) << style.name << ": style parts use patterns 100..3999";
            EXPECT_FALSE(library.pattern(pattern).isEmpty()) << style.name << " part " << part;
        }
        EXPECT_NE(style.mode[0], partOff) << style.name << " has no rhythm";
    }
}

// Every musical style has every section, of bars in its range, and in each a pattern with notes
// for every part its main plays (Main B's for Main B and Fill B, Main A's for the others; Main B
// holds every part of Main A), from 100 on; the metronomes have none.
TEST(ShippedStyles, EveryMusicalStyleHasEverySectionWithAPatternForEveryPartItsMainPlays) {
    const StyleLibrary& library = shippedLibrary();
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        const BaseStyle& style = library.style(i);
        if (style.isEmpty()) continue;
        SCOPED_TRACE(style.name);
        EXPECT_TRUE(style.partProblem.empty()) << style.partProblem;
        EXPECT_GE(style.beats, 1);
        const SectionBars bars = style.sectionBars();
        if (isMetronome(style)) {
            for (const Section section : otherSections) EXPECT_EQ(bars[size_t(section)], 0);
            continue;
        }
        for (int part = 0; part < BaseStyle::partCount; ++part) {
            if (style.mode[size_t(part)] == partOff || style.patternOf(Section::mainA, part) == BaseStyle::noPattern)
                continue;
            EXPECT_NE(style.patternOf(Section::mainB, part), BaseStyle::noPattern) << "part " << part;
        }
        for (const Section section : otherSections) {
            SCOPED_TRACE(BaseStyle::sectionKey(section));
            const int count = bars[size_t(section)];
            EXPECT_GE(count, 1);
            EXPECT_LE(count, BaseStyle::mostBars(section));
            const bool mainB = section == Section::mainB || section == Section::fillB;
            const Section main = mainB ? Section::mainB : Section::mainA;
            for (int part = 0; part < BaseStyle::partCount; ++part) {
                if (style.mode[size_t(part)] == partOff || style.patternOf(main, part) == BaseStyle::noPattern) continue;
                const int pattern = style.patternOf(section, part);
                ASSERT_TRUE(StyleLibrary::validPattern(pattern)) << "part " << part;
                EXPECT_GE(pattern, 100) << "part " << part;
                EXPECT_FALSE(library.pattern(pattern).isEmpty()) << "part " << part;
            }
        }
    }
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The shipped library is exactly what the generator writes, so every check the generator makes
// (tempos in their genre's range, drum phrases and sections of whole bars, fills that differ
// from the mains, no drums shared, no notes that clash under a fingered chord) holds for it.
TEST(ShippedStyles, AreWhatTheGeneratorWritesWithAllItsChecksPassing) {
    test::TempDir dir;
    const std::string written = dir.path("styles.cfg");
    const std::string command = "python3 " + std::string(BRIO_SOURCE_DIR) + "/tools/make-styles.py " + written;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(fileText(written) == fileText(std::string(BRIO_SOURCE_DIR) + "/data/styles.cfg"))
        << "data/styles.cfg is not what tools/make-styles.py writes: run it";
}

// Every named style over every bass key, as a single key and under every fingered chord: drums
// and at least two parts, every note in the MIDI range, and from the bass key E up no bass
// below E1.
TEST(ShippedStyles, PlayInRangeOverEveryBassKeyAndChord) {
    const StyleLibrary& library = shippedLibrary();
    constexpr int bassKeys = 24, lowestBass = 28, bassKeyE = 4, instrumentOffset = 24;
    std::map<std::vector<std::tuple<int, int, int>>, std::string> drumPatterns;
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        const BaseStyle& style = library.style(i);
        if (style.isEmpty() || isMetronome(style)) continue;
        SCOPED_TRACE(style.name);
        int playing = 0;
        for (int part = 1; part < BaseStyle::partCount; ++part) {
            if (style.mode[size_t(part)] == partOff) continue;
            std::set<int> patterns;  // every pattern the part plays, in any section
            for (int s = 0; s < sectionCount; ++s) patterns.insert(style.patternOf(Section(s), part));
            patterns.erase(BaseStyle::noPattern);
            if (style.arp[size_t(part)] != BaseStyle::noPattern)
                playing += library.pattern(style.arp[size_t(part)]).notes.empty() ? 0 : 1;
            for (const int index : patterns) {
                for (const ArpeggioNote& note : library.pattern(index).notes) {
                    for (int type = 0; type < chordTypeCount; ++type) {
                        const int mapped = 48 + mapPatternOffset(note.key - 48, ChordType(type));
                        for (int bassKey = 0; bassKey < bassKeys; ++bassKey) {
                            const int sounding = mapped + bassKey - 48 + instrumentOffset + style.key[size_t(part)];
                            ASSERT_TRUE(sounding >= 0 && sounding <= 127) << "part " << part << " key " << bassKey;
                            if (part == 1 && bassKey >= bassKeyE) {
                                ASSERT_GE(sounding, lowestBass) << "bass key " << bassKey << " chord " << type;
                            }
                        }
                    }
                }
            }
        }
        EXPECT_GE(playing, 2);
        // No drum pattern of any section is another style's.
        for (int s = 0; s < sectionCount; ++s) {
            const int index = style.patternOf(Section(s), 0);
            if (index == BaseStyle::noPattern) continue;
            std::vector<std::tuple<int, int, int>> drums;
            for (const ArpeggioNote& note : library.pattern(index).notes) drums.emplace_back(note.key, note.vel, note.pos);
            EXPECT_FALSE(drums.empty());
            const auto [at, added] = drumPatterns.emplace(drums, style.name);
            EXPECT_TRUE(added || at->second == style.name) << "drums shared with " << at->second;
        }
    }
}

}  // namespace
}  // namespace brio
