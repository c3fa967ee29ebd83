// The SoundFont box of the Options page: what it offers, and what a file the user chose comes to.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "TestFiles.h"
#include "platform/BuiltInSynth.h"
#include "platform/SoundFontChoice.h"
#include "platform/SoundFontFile.h"
#include "settings/SoundFontMenu.h"

namespace brio {
namespace {

namespace fs = std::filesystem;
using Verdict = SoundFontCheck::Verdict;

TEST(SoundFontPicker, TheMenuOffersTheSetsThatExistWithTheirCostAndTheUsersOwnFile) {
    const std::vector<SoundFontSet> sets{{"FluidR3", "/sf/FluidR3.sf2", 65},
                                         {"MuseScore General", "/sf/MuseScore.sf3", 290},
                                         {"TimGM6mb", "/sf/Tim.sf2", 36}};
    const std::string fluid = "FluidR3 (141 MB, about 65 MB in use)", tim = "TimGM6mb (5 MB, about 36 MB in use)";
    struct Row {
        std::map<std::string, uint64_t> files;
        std::string current;
        std::vector<std::string> names;
        int shown;
    };
    const std::map<std::string, uint64_t> all{
        {"/sf/FluidR3.sf2", 148398306}, {"/sf/MuseScore.sf3", 85967114}, {"/sf/Tim.sf2", 5969788}};
    const Row rows[] = {
        {all, "", {fluid, "MuseScore General (81 MB, about 290 MB in use)", tim, "Other..."}, 0},
        {all, "/sf/Tim.sf2", {fluid, "MuseScore General (81 MB, about 290 MB in use)", tim, "Other..."}, 2},
        {{{"/sf/Tim.sf2", 5969788}, {"/home/u/big.sf2", uint64_t(2) << 30}}, "/home/u/big.sf2",
         {tim, "big.sf2 (2.0 GB)", "Other..."}, 1},
        {{{"/sf/FluidR3.sf2", 148398306}}, "/gone/old.sf2", {fluid, "old.sf2 (not found)", "Other..."}, 1},
        {{}, "", {"None installed", "Other..."}, 0},
    };
    for (const Row& row : rows) {
        SoundFontMenu menu;
        menu.build(sets, row.current, [&](const std::string& path) -> std::optional<uint64_t> {
            const auto found = row.files.find(path);
            return found == row.files.end() ? std::nullopt : std::optional(found->second);
        });
        EXPECT_EQ(std::vector<std::string>(menu.names.begin(), menu.names.end()), row.names) << row.current;
        EXPECT_EQ(menu.shown, row.shown) << row.current;
        EXPECT_TRUE(menu.isOther(menu.names.count() - 1));
        // The first set is the default, kept in the options as "".
        EXPECT_EQ(menu.optionFor(menu.paths.front()), "");
        if (menu.paths.size() > 1) {
            EXPECT_EQ(menu.optionFor(menu.paths[1]), menu.paths[1]);
        }
    }
}

// Each file is chosen in turn on one synthesizer: a bad one is refused at sight or fails to
// load, with a message naming it, and the set in use plays on; a good one takes its place.
TEST(SoundFontPicker, ABadFileIsToldAndTheSetInUsePlaysOn) {
    const std::string timGM = knownSoundFonts().back().path;
    if (access(timGM.c_str(), R_OK) != 0) GTEST_SKIP() << "TimGM6mb is not installed";
    test::TempDir folder;
    const auto file = [&](const std::string& name) { return folder.folder() + "/" + name; };
    std::ofstream(file("notes.sf2")) << "not a SoundFont\n";
    fs::create_directory(file("folder.sf2"));
    fs::resize_file((std::ofstream(file("huge.sf2")), file("huge.sf2")), uint64_t(2) << 30);  // sparse
    fs::copy_file(timGM, file("copy.sf2"));
    fs::copy_file(timGM, file("cut.sf2"));
    fs::resize_file(file("cut.sf2"), fs::file_size(timGM) / 2);
    const std::string kept = " The SoundFont in use plays on.     ";
    struct Row {
        std::string name;
        Verdict verdict;
        std::string message;
    };
    const Row rows[] = {
        {"none.sf2", Verdict::unreadable, "     \"none.sf2\" cannot be read (No such file or directory)." + kept},
        {"folder.sf2", Verdict::unreadable, "     \"folder.sf2\" cannot be read (it is not a file)." + kept},
        {"notes.sf2", Verdict::notSoundFont, "     \"notes.sf2\" is not a SoundFont." + kept},
        {"huge.sf2", Verdict::tooLarge,
         "     \"huge.sf2\" is too large (2.0 GB): the built-in synthesizer takes SoundFonts of up to 1 GB." + kept},
        {"cut.sf2", Verdict::loadFailed, "     \"cut.sf2\" could not be loaded: it is damaged or cut short." + kept},
        {"copy.sf2", Verdict::loaded, ""},
    };
    BuiltInSynth synth({timGM}, {});
    ASSERT_TRUE(synth.openOffline());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SoundFontCheck check = inspectSoundFontFile(file(row.name));
        if (!check.refused()) {
            synth.chooseSoundFont(file(row.name));
            ASSERT_TRUE(synth.openOffline());
            check = synth.soundFontOutcome().value();
            EXPECT_FALSE(synth.soundFontOutcome());  // told once
        }
        EXPECT_EQ(check.verdict, row.verdict);
        EXPECT_EQ(soundFontMessage(check), row.message);
        EXPECT_EQ(synth.soundFont(), row.message.empty() ? file(row.name) : timGM);
        EXPECT_EQ(synth.soundFontLoads(), row.message.empty() ? 2 : 1);
        synth.send(0x90 | 60 << 8 | 100 << 16);
        std::vector<float> left(4096), right(4096);
        synth.render(left.data(), right.data(), 4096);
        EXPECT_GT(*std::max_element(left.begin(), left.end()), 0.01f) << "silent after the choice";
    }
    // A set that loads but lacks part of General MIDI says what.
    SoundFontCheck lacking = SoundFontCheck::of("/sf/small.sf2");
    lacking.hasDrumKit = false;
    EXPECT_EQ(soundFontMessage(lacking), "     \"small.sf2\" has no drum kit: the drums will be silent.     ");
    lacking.missingPrograms = 12;
    EXPECT_EQ(soundFontMessage(lacking), "     \"small.sf2\" has no drum kit: the drums will be silent, and it lacks 12 of "
                                         "the 128 General MIDI programs: those instruments will be silent.     ");
}

}  // namespace
}  // namespace brio
