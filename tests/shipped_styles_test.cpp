#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
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
            ASSERT_TRUE(StyleLibrary::validPattern(pattern)) << style.name << " part " << part;
            EXPECT_GE(pattern, 100) << style.name << ": style parts use patterns 100..399";
            EXPECT_FALSE(library.pattern(pattern).isEmpty()) << style.name << " part " << part;
            EXPECT_GE(style.vol[size_t(part)], 1) << style.name << " part " << part;
            EXPECT_LE(style.vol[size_t(part)], 100) << style.name << " part " << part;
        }
        EXPECT_NE(style.mode[0], partOff) << style.name << " has no rhythm";
    }
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The shipped library is exactly what the generator writes, so every check the generator makes
// (tempos in their genre's range, drum phrases of whole bars ending in a fill, no drums shared,
// no notes that clash under a fingered chord) holds for it.
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
    std::set<std::vector<std::tuple<int, int>>> drumPatterns;
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        const BaseStyle& style = library.style(i);
        if (style.isEmpty() || style.name.find("Metronome") != std::string::npos) continue;
        SCOPED_TRACE(style.name);
        int playing = 0;
        for (int part = 1; part < BaseStyle::partCount; ++part) {
            if (style.mode[size_t(part)] == partOff) continue;
            const ArpeggioStyle& pattern = library.pattern(style.arp[size_t(part)]);
            playing += pattern.notes.empty() ? 0 : 1;
            for (const ArpeggioNote& note : pattern.notes) {
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
        EXPECT_GE(playing, 2);
        std::vector<std::tuple<int, int>> drums;
        for (const ArpeggioNote& note : library.pattern(style.arp[0]).notes) drums.emplace_back(note.key, note.pos);
        EXPECT_FALSE(drums.empty());
        EXPECT_TRUE(drumPatterns.insert(drums).second) << "drums shared with another style";
    }
}

}  // namespace
}  // namespace brio
