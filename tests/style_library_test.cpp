#include <gtest/gtest.h>

#include <memory>

#include "StationFixture.h"
#include "accompaniment/DrumMachine.h"
#include "accompaniment/Instrument.h"
#include "accompaniment/StyleLibrary.h"
#include "foundation/RealFormat.h"

namespace brio {
namespace {

using test::SeparatorScope;


struct StyleLibraryTest : ::testing::Test {
    test::StationEnvironment env;
    std::string file = env.folder.path(StyleLibrary::fileName);

    std::unique_ptr<StyleLibrary> loaded(const std::string& content) {
        EXPECT_TRUE(test::writeFile(file, content));
        return std::make_unique<StyleLibrary>();
    }
    std::unique_ptr<StyleLibrary> savedAndReloaded(StyleLibrary& library) {
        EXPECT_TRUE(library.save());
        return std::make_unique<StyleLibrary>();
    }
    // The pattern steps 0..15 on which pattern 0 sounds a drum note.
    std::vector<int> soundingSteps(StyleLibrary& library) {
        Instrument drums(Instrument::drumChannel);
        drums.active = true;
        DrumMachine machine(library, &drums);
        machine.active = true;
        std::vector<int> steps;
        for (int n = 0; n < 16; ++n) {
            machine.step(n);
            if (!drums.notes.empty()) steps.push_back(n);
            drums.notes.clear();
        }
        return steps;
    }
    static void expectDefaults(const StyleLibrary& library) {
        for (int i = 0; i < StyleLibrary::patternCount; ++i) {
            const ArpeggioStyle& pattern = library.pattern(i);
            ASSERT_TRUE(pattern.name.empty() && pattern.length == 16 && pattern.isEmpty()) << i;
        }
        for (int i = 0; i < StyleLibrary::styleCount; ++i) {
            const BaseStyle& style = library.style(i);
            ASSERT_TRUE(style.isEmpty() && style.bpm == 120 && style.shuffle == 0.0) << i;
            ASSERT_EQ(style.stepsPerBeat, 4);
            ASSERT_EQ(style.vol, (std::array<int32_t, 5>{100, 100, 100, 100, 100}));
            ASSERT_EQ(style.arp, (std::array<int32_t, 5>{}));
        }
    }
};

TEST_F(StyleLibraryTest, AMissingOrForeignFileLeavesEveryRecordAtItsDefaults) {
    auto missing = std::make_unique<StyleLibrary>();
    expectDefaults(*missing);
    EXPECT_FALSE(missing->load(file));

    auto foreign = loaded("<Other Styles>\n<arp0>\nname=x\n36;100;0;1\n</arp0>\n</Other Styles>\n");
    expectDefaults(*foreign);
    auto binary = loaded(std::string("\0\xff\x01<arp0>;;;\n\n", 14));
    expectDefaults(*binary);
}

TEST_F(StyleLibraryTest, GarbageInsideTheRootLoadsWhatCanBeRead) {
    auto library = loaded(
        "<Pelmora Base Styles>\n<arp3>\nname=Odd\nlength=abc\n;\nx;y\n-5;300;2000000000;zz;9\n"
        "no separator here\n</arp3>\n<arp4>\nlength=2000000000\n42;100;7;1\n</arp4>\n"
        "<style9>\nname=Junk\nbpm=\nshuffle=fast\nvol2=-40\nmode4=7x\n<style9>\n"
        "<style10>\nstepsPerBeat=5000000\nkind1=drone\nkind2=phrase\npan3=1.5\npan4=0\nglide2=1001\nglide4=30\n</style10>\n"
        "<style11>\nstepsPerBeat=0\nlow3=80\nhigh3=60\nlow4=40\n</style11>\n"
        "<style12>\nintroBars=0\nintroArp0=3\nendingBars=100\nendingArp0=3\n</style12>\n"
        "<style13>\nfillABars=1\nfillAArp0=3999\nbreakBars=1\nbreakArp0=3\nbreakArp1=-1\nbeats=99\n</style13>\n"
        "</Pelmora Base Styles>\n");
    const ArpeggioStyle& odd = library->pattern(3);
    EXPECT_EQ(odd.name, "Odd");
    EXPECT_EQ(odd.length, 0);
    ASSERT_EQ(odd.notes.count(), 3);
    const ArpeggioNote& blank = odd.notes.getConst(0);
    EXPECT_EQ((std::vector<int>{blank.key, blank.vel, blank.pos}), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(blank.len, 1.0);
    const ArpeggioNote& wild = odd.notes.getConst(2);
    EXPECT_EQ((std::vector<int>{wild.key, wild.vel, wild.pos}), (std::vector<int>{-5, 300, 2000000000}));
    EXPECT_EQ(wild.len, 1.0);
    EXPECT_EQ(library->pattern(4).length, 2000000000);
    EXPECT_EQ((std::vector<int>{library->style(10).stepsPerBeat, library->style(11).stepsPerBeat}),
              (std::vector<int>{64, 1}));
    // An unknown kind or a register upside down or half given plays as if it were absent.
    EXPECT_EQ(library->style(10).kind, (std::array{PartKind::unset, PartKind::unset, PartKind::phrase, PartKind::unset,
                                                   PartKind::unset}));
    EXPECT_EQ(library->style(11).range, (std::array<PartRegister, BaseStyle::partCount>{}));
    EXPECT_EQ(library->style(10).partProblem, "part 1 has the unknown kind \"drone\"");
    // So does a pan beyond 0..1 or a glide beyond MIDI; the ends themselves hold.
    EXPECT_EQ(library->style(10).pan, (std::array{-1.0, -1.0, -1.0, -1.0, 0.0}));
    EXPECT_EQ(library->style(10).glide, (std::array{0, 0, 0, 0, 30}));
    // Sections of no bars or a pattern the library lacks are left out, too many bars cut to the
    // most, a bar of too many beats read from the rhythm; the first fault is told.
    const auto bars = [&](int style) { return library->style(style).sectionBars(); };
    EXPECT_EQ(bars(12), (SectionBars{0, 1, 0, 0, 0, 0, 4}));
    EXPECT_EQ(bars(13), (SectionBars{0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(library->style(13).beats, 0);
    EXPECT_EQ(library->style(12).partProblem, "the intro lasts 0 bars, not 1 to 4");
    EXPECT_EQ(library->style(13).partProblem, "the bar has 99 beats, not 1 to 16");

    // The unclosed style section is not found: the style keeps its defaults.
    EXPECT_TRUE(library->style(9).isEmpty());
    EXPECT_EQ(library->style(9).vol[2], 100);
}

TEST_F(StyleLibraryTest, TheFileListsPatternsThenStylesWithTheirKeysInOrder) {
    StyleLibrary library;
    library.pattern(7).name = "Beat";
    library.pattern(7).notes.append({36, 100, 0, 0.5});
    library.pattern(7).notes.append({38, 90, 4, 1.0});
    BaseStyle& pop = library.style(0);
    pop.name = "Pop";
    pop.shuffle = 0.25;
    pop.prog = {1, 2, 3, 4, 5};
    pop.key = {0, -12, 0, 0, 7};
    pop.mode = {1, 2, 3, 0, 1};
    pop.arp = {7, 8, 9, 10, 399};
    pop.kind[1] = PartKind::bass;
    pop.range[2] = {53, 81};
    pop.pan[2] = 0.35;
    pop.glide[1] = 40;
    pop.beats = 3;
    pop.sections[size_t(Section::mainB)] = {2, {7, -1, 7, -1, -1}};
    ASSERT_TRUE(library.save());

    std::string expected =
        "<Pelmora Base Styles>\r\n<arp7>\r\nname=Beat\r\nlength=16\r\n36;100;0;0.5\r\n38;90;4;1\r\n"
        "</arp7>\r\n<style0>\r\nname=Pop\r\nbpm=120\r\nshuffle=0.25\r\nstepsPerBeat=4\r\n";
    const char* parts[] = {"prog0=1\r\nvol0=100\r\nkey0=0\r\nmode0=1\r\narp0=7\r\n",
                           "prog1=2\r\nvol1=100\r\nkey1=-12\r\nmode1=2\r\narp1=8\r\nkind1=bass\r\nglide1=40\r\n",
                           "prog2=3\r\nvol2=100\r\nkey2=0\r\nmode2=3\r\narp2=9\r\nlow2=53\r\nhigh2=81\r\npan2=0.35\r\n",
                           "prog3=4\r\nvol3=100\r\nkey3=0\r\nmode3=0\r\narp3=10\r\n",
                           "prog4=5\r\nvol4=100\r\nkey4=7\r\nmode4=1\r\narp4=399\r\n"};
    for (const char* part : parts) expected += part;
    expected += "beats=3\r\nmainBBars=2\r\nmainBArp0=7\r\nmainBArp1=-1\r\nmainBArp2=7\r\nmainBArp3=-1\r\nmainBArp4=-1\r\n";
    expected += "</style0>\r\n</Pelmora Base Styles>\r\n";
    EXPECT_EQ(test::readFile(file), expected);

    auto reloaded = std::make_unique<StyleLibrary>();
    EXPECT_EQ(reloaded->style(0).arp, pop.arp);
    EXPECT_EQ(reloaded->style(0).shuffle, 0.25);
    EXPECT_EQ(reloaded->style(0).kind, pop.kind);
    EXPECT_EQ(reloaded->style(0).range, pop.range);
    EXPECT_EQ(reloaded->style(0).pan, pop.pan);
    EXPECT_EQ(reloaded->style(0).glide, pop.glide);
    EXPECT_EQ(reloaded->style(0).sectionBars(), pop.sectionBars());
    ASSERT_EQ(reloaded->pattern(7).notes.count(), 2);
    EXPECT_EQ(reloaded->pattern(7).notes.getConst(1).pos, 4);
}

TEST_F(StyleLibraryTest, EmptyPatternsAndUnnamedStylesAreNotSaved) {
    auto library = std::make_unique<StyleLibrary>();
    library->pattern(2).name = "Named but silent";
    library->pattern(2).length = 3;
    library->style(5).bpm = 90;
    library->style(5).vol[1] = 20;
    auto reloaded = savedAndReloaded(*library);
    expectDefaults(*reloaded);
    EXPECT_EQ(test::readFile(file), "<Pelmora Base Styles>\r\n</Pelmora Base Styles>\r\n");
}

TEST_F(StyleLibraryTest, LengthsBelowOneAreKeptButPlayAsOneStep) {
    auto library = std::make_unique<StyleLibrary>();
    library->pattern(0).notes.append({36, 100, 0, 1.0});
    for (int length : {0, -5}) {
        library->pattern(0).length = length;
        auto reloaded = savedAndReloaded(*library);
        EXPECT_EQ(reloaded->pattern(0).length, length);
        std::vector<int> every(16);
        for (int n = 0; n < 16; ++n) every[size_t(n)] = n;
        EXPECT_EQ(soundingSteps(*reloaded), every) << length;
    }
}

TEST_F(StyleLibraryTest, ANoteAtOrPastTheLengthStaysInTheFileButNeverSounds) {
    auto library = loaded("<Pelmora Base Styles>\n<arp0>\nlength=4\n36;100;4;1\n38;100;7;1\n40;100;1;1\n"
                          "</arp0>\n</Pelmora Base Styles>\n");
    EXPECT_EQ(soundingSteps(*library), (std::vector<int>{1, 5, 9, 13}));
    auto reloaded = savedAndReloaded(*library);
    EXPECT_EQ(reloaded->pattern(0).notes.count(), 3);
}

TEST_F(StyleLibraryTest, AHalfStepNoteRoundTripsUnderBothDecimalSeparators) {
    const std::string content =
        "<Pelmora Base Styles>\n<arp7>\n36;100;0;0.5\n</arp7>\n</Pelmora Base Styles>\n";
    for (char separator : {',', '.'}) {
        SeparatorScope scope(separator);
        auto library = loaded(content);
        ASSERT_EQ(library->pattern(7).notes.count(), 1);
        const ArpeggioNote& note = library->pattern(7).notes.getConst(0);
        EXPECT_EQ((std::vector<int>{note.key, note.vel, note.pos}), (std::vector<int>{36, 100, 0}));
        EXPECT_EQ(note.len, 0.5);

        auto reloaded = savedAndReloaded(*library);
        const std::string line = separator == ',' ? "\r\n36;100;0;0,5\r\n" : "\r\n36;100;0;0.5\r\n";
        EXPECT_NE(test::readFile(file).find(line), std::string::npos) << separator;
        ASSERT_EQ(reloaded->pattern(7).notes.count(), 1);
        EXPECT_EQ(reloaded->pattern(7).notes.getConst(0).len, 0.5);
    }
}

TEST_F(StyleLibraryTest, AMissingSectionKeepsTheRecordButEmptiesThePatternNotes) {
    auto library = loaded(
        "<Pelmora Base Styles>\n<arp1>\nname=Kept\nlength=5\n36;100;0;1\n</arp1>\n"
        "<style2>\nname=Waltz\nbpm=90\n</style2>\n</Pelmora Base Styles>\n");
    ASSERT_TRUE(test::writeFile(file, "<Pelmora Base Styles>\n</Pelmora Base Styles>\n"));
    ASSERT_TRUE(library->load(file));
    EXPECT_EQ(library->pattern(1).name, "Kept");
    EXPECT_EQ(library->pattern(1).length, 5);
    EXPECT_TRUE(library->pattern(1).isEmpty());
    EXPECT_EQ(library->style(2).name, "Waltz");
    EXPECT_EQ(library->style(2).bpm, 90);
}

TEST_F(StyleLibraryTest, ANameWithTheSeparatorNeverBecomesANote) {
    StyleLibrary library;
    ArpeggioStyle& pattern = library.pattern(3);
    pattern.name = "Rock; Pop;";
    pattern.notes.append(ArpeggioNote{36, 100, 0, 1.0});
    // Saved and loaded three times: the note count must not grow.
    std::unique_ptr<StyleLibrary> reloaded = savedAndReloaded(library);
    reloaded = savedAndReloaded(*reloaded);
    reloaded = savedAndReloaded(*reloaded);
    const ArpeggioStyle& back = reloaded->pattern(3);
    EXPECT_EQ(back.name, "Rock, Pop,");
    ASSERT_EQ(back.notes.count(), 1);
    EXPECT_EQ(back.notes.getConst(0).key, 36);
    EXPECT_EQ(pattern.name, "Rock; Pop;");  // saving does not change the pattern in memory
}

}  // namespace
}  // namespace brio
