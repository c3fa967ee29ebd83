#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "foundation/FileIo.h"
#include "midi/LevelCorrection.h"
#include "midi/SoundFontLevelStore.h"
#include "platform/BuiltInSynth.h"

namespace brio {
namespace {

// A set whose program p plays (p % 13 - 6) dB off the reference in every phrase, whose drum key
// k plays (k % 7 - 3) dB off, and which lacks program 127 and key 81.
std::pair<SoundFontLevels, SoundFontLevels> referenceAndSet() {
    SoundFontLevels reference, set;
    for (size_t p = 0; p < reference.programs.size(); ++p) {
        for (size_t i = 0; i < SoundFontLevels::phraseCount; ++i) {
            reference.programs[p][i] = -20.0 - double(i);
            set.programs[p][i] = p == 127 ? -INFINITY : reference.programs[p][i] + double(p % 13) - 6.0;
        }
    }
    for (size_t k = 0; k < reference.drumKeys.size(); ++k) {
        reference.drumKeys[k] = -18.0;
        set.drumKeys[k] = k + 1 == reference.drumKeys.size() ? -INFINITY : -18.0 + double(k % 7) - 3.0;
    }
    return {reference, set};
}

TEST(LevelCorrection, BringsEveryProgramAndKeyToTheReferenceAndTurnsMostDown) {
    const auto [reference, set] = referenceAndSet();
    const LevelCorrection c = LevelCorrection::between(reference, set);
    int turnedUp = 0;
    for (size_t p = 0; p < 127; ++p) {
        EXPECT_NEAR(c.masterDb + c.programDb[p], 6.0 - double(p % 13), 1e-9) << p;
        turnedUp += c.programDb[p] > 0;
    }
    EXPECT_EQ(c.programDb[127], 0.0);  // lacking: the whole set's gain alone
    EXPECT_LE(turnedUp, 127 / 4 + 1);
    for (size_t k = 0; k + 1 < set.drumKeys.size(); ++k) {
        EXPECT_NEAR(c.masterDb + c.kitDb + c.drumKeyDb[k], 3.0 - double(k % 7), 1e-9) << k;
    }
    EXPECT_EQ(c.drumKeyDb.back(), 0.0);
    EXPECT_EQ(LevelCorrection::between(reference, reference), LevelCorrection{});
}

uint32_t message(int status, int data1, int data2) { return uint32_t(status | data1 << 8 | data2 << 16); }

TEST(LevelCorrector, VolumesFollowTheProgramAndDrumVelocitiesTheKey) {
    LevelCorrection correction;
    correction.programDb[33] = -6.0;
    correction.programDb[48] = 4.0;
    correction.kitDb = -40.0 * std::log10(2.0);  // half the volume
    correction.drumKeyDb[38 - SoundFontLevels::firstDrumKey] = 40.0 * std::log10(1.5);
    LevelCorrector corrector;
    corrector.setCorrection(correction);
    using M = std::vector<uint32_t>;
    const auto rewrite = [&](uint32_t packed) {
        const LevelCorrector::Messages m = corrector.rewrite(packed);
        return M(m.packed.begin(), m.packed.begin() + m.count);
    };
    const struct {
        uint32_t in;
        M out;
    } cases[] = {
        {message(0xB1, 7, 100), {message(0xB1, 7, 100)}},                          // program 0: as it is
        {message(0xC1, 33, 0), {message(0xC1, 33, 0), message(0xB1, 7, 71)}},     // 100 at -6 dB
        {message(0xB1, 7, 127), {message(0xB1, 7, 90)}},
        {message(0xB1, 7, 0), {message(0xB1, 7, 0)}},                             // off stays off
        {message(0xB1, 121, 0), {message(0xB1, 121, 0), message(0xB1, 7, 71)}},   // back to 100
        {message(0xC2, 48, 0), {message(0xC2, 48, 0), message(0xB2, 7, 126)}},    // turned up
        {message(0xB2, 7, 127), {message(0xB2, 7, 127)}},                         // up to the top
        {message(0xB9, 7, 100), {message(0xB9, 7, 50)}},                          // the kit
        {message(0x99, 38, 80), {message(0x99, 38, 120)}},
        {message(0x99, 38, 100), {message(0x99, 38, 127)}},
        {message(0x99, 36, 1), {message(0x99, 36, 1)}},                           // never silenced
        {message(0x99, 38, 0), {message(0x99, 38, 0)}},                           // a note off
        {message(0x91, 38, 80), {message(0x91, 38, 80)}},                         // not the drums
        {message(0x99, 20, 80), {message(0x99, 20, 80)}},                         // not a GM key
    };
    for (const auto& c : cases) EXPECT_EQ(rewrite(c.in), c.out) << std::hex << c.in;
    corrector.powerOn();
    for (int channel = 0; channel < LevelCorrector::channelCount; ++channel) {
        EXPECT_EQ(corrector.volumeMessage(channel), message(0xB0 | channel, 7, channel == 9 ? 50 : 100));
    }
}

TEST(SoundFontLevels, TextRoundTripsAndAnythingButACompleteTableIsRefused) {
    SoundFontLevels levels = referenceAndSet().second;
    levels.fingerprint = 0x0123456789abcdefull;
    const std::string text = levels.toText();
    const std::optional<SoundFontLevels> back = SoundFontLevels::fromText(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->fingerprint, levels.fingerprint);
    EXPECT_NEAR(back->programs[5][2], levels.programs[5][2], 0.005);
    EXPECT_TRUE(std::isinf(back->programs[127][0]) && std::isinf(back->drumKeys.back()));
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string bad = text;
        bad.replace(bad.find(from), from.size(), to);
        return bad;
    };
    for (const std::string& bad : {text.substr(0, text.size() / 2), text.substr(0, text.size() - 12),
                                   replaced("version = 1", "version = 2"), replaced("program 3 =", "program 4 ="),
                                   replaced("program 3 = ", "program 3 = 99 "), replaced("drum 40 = ", "drum 40 = x"),
                                   replaced("program 9 = -", "program 9 = nan -"), text + "drum 82 = -20\n",
                                   std::string("\0\0\0", 3), std::string()}) {
        EXPECT_FALSE(SoundFontLevels::fromText(bad)) << bad.substr(0, 80);
    }
}

// The installed small set measured through the program: its levels are kept in the cache and
// found there by the next synthesizer; as the reference itself it is corrected by nothing.
TEST(SoundFontLeveller, AnUnknownSetIsMeasuredOnceKeptAndFoundAgain) {
    const std::string set = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!isReadableFile(set)) GTEST_SKIP() << "no TimGM6mb";
    test::TempDir folder;
    const std::string shipped = folder.path("shipped/"), cache = folder.path("cache/");
    std::filesystem::create_directories(shipped + "SoundFonts");
    std::string text;
    ASSERT_TRUE(readWholeFile(BRIO_SOURCE_DIR "/data/SoundFonts/TimGM6mb.levels", text));
    std::optional<SoundFontLevels> reference = SoundFontLevels::fromText(text);
    ASSERT_TRUE(reference);
    reference->fingerprint = 1;  // of no file: the set is not known
    ASSERT_TRUE(replaceFile(shipped + "SoundFonts/" + SoundFontLevelStore::referenceFile, reference->toText()));
    // Measured again, the reference differs from its table by the table's rounding alone.
    const auto unchanged = [](const LevelCorrection& c) {
        double largest = std::fabs(c.masterDb) + std::fabs(c.kitDb);
        for (double db : c.programDb) largest = std::max(largest, std::fabs(db));
        for (double db : c.drumKeyDb) largest = std::max(largest, std::fabs(db));
        return largest < 0.02;
    };
    for (int run = 0; run < 2; ++run) {
        BuiltInSynth synth({set}, {});
        synth.setLevelFolders(shipped, cache, true);
        ASSERT_TRUE(synth.openOffline());
        EXPECT_TRUE(synth.waitUntilLevelled());
        EXPECT_TRUE(unchanged(synth.levelCorrection())) << run;
        const auto entries = std::distance(std::filesystem::directory_iterator(cache + "SoundFonts"), {});
        EXPECT_EQ(entries, 1) << run;
    }
    for (const auto& entry : std::filesystem::directory_iterator(cache + "SoundFonts")) {
        replaceFile(entry.path().string(), "version = 1\nfingerprint = 0\nprogram 0 = -2");  // corrupt: measured again
    }
    BuiltInSynth synth({set}, {});
    synth.setLevelFolders(shipped, cache, true);
    ASSERT_TRUE(synth.openOffline());
    EXPECT_TRUE(synth.waitUntilLevelled());
    EXPECT_TRUE(unchanged(synth.levelCorrection()));
}

}  // namespace
}  // namespace brio
