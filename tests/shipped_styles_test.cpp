#include <gtest/gtest.h>

#include <set>
#include <string>

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

}  // namespace
}  // namespace brio
