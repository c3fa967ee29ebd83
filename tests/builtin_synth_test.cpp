#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <cmath>
#include <string>
#include <vector>

#include "platform/BuiltInSynth.h"
#include "platform/RenderGate.h"
#include "platform/SystemMidi.h"

namespace brio {
namespace {

constexpr int rate = BuiltInSynth::sampleRate;
constexpr int tenMs = rate / 100;
constexpr int block = 64;               // frames the synth renders at a time
constexpr float audible = 0.01f;        // -40 dBFS: a note at velocity 100 peaks near 0.04
constexpr float silent = 1e-4f;         // -80 dBFS
constexpr uint32_t churchOrgan = 19;    // sustains for as long as the key is held
constexpr int organAttack = rate / 10;  // the organ reaches its level within 100 ms

uint32_t message(int status, int data1, int data2) {
    return uint32_t(status | data1 << 8 | data2 << 16);
}

bool anySoundFontInstalled() {
    for (const std::string& path : BuiltInSynth::defaultSoundFonts()) {
        if (access(path.c_str(), R_OK) == 0) return true;
    }
    return false;
}

// The system's SoundFont is large (a load takes about half a second), so one synth serves the
// whole suite; every test starts from a fresh offline open. Its only audio driver does not
// exist, so no test depends on sound hardware.
class BuiltInSynthOffline : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (anySoundFontInstalled()) {
            synth = new BuiltInSynth(BuiltInSynth::defaultSoundFonts(), {"no-such-driver"});
        }
    }
    static void TearDownTestSuite() {
        delete synth;
        synth = nullptr;
    }
    void SetUp() override {
        if (synth == nullptr) GTEST_SKIP() << "no GM SoundFont installed";
        ASSERT_TRUE(synth->openOffline());
        peakOf(rate / 2);  // the reverb's tail of the previous test's sound (under 300 ms)
    }

    // Renders at least `frames` frames and returns the largest magnitude on either side. Whole
    // blocks of the synth's 64 frames are rendered, so that a message sent between two calls
    // takes effect at the start of the second (a partial block would still hold earlier sound).
    static float peakOf(int frames) {
        float left[block];
        float right[block];
        float peak = 0.0f;
        for (int done = 0; done < frames; done += block) {
            synth->render(left, right, block);
            for (int i = 0; i < block; ++i)
                peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
        }
        return peak;
    }

    // Renders `seconds` and returns the peak of the last 100 ms.
    static float peakOfLast100MsOf(double seconds) {
        peakOf(int(seconds * rate) - rate / 10);
        return peakOf(rate / 10);
    }

    static void holdOrganNote(int channel) {
        synth->send(message(0xC0 + channel, churchOrgan, 0));
        synth->send(message(0x90 + channel, 60, 100));
    }

    static BuiltInSynth* synth;
};

BuiltInSynth* BuiltInSynthOffline::synth = nullptr;

TEST_F(BuiltInSynthOffline, ANoteOnSoundsWithinTheFirstTenMillisecondsOfSilence) {
    EXPECT_LT(peakOf(tenMs), silent);
    synth->send(message(0xC0, 0, 0));
    synth->send(message(0x90, 60, 100));
    EXPECT_GT(peakOf(tenMs - block), audible);  // whole blocks: 384 frames, 8.7 ms
}

TEST_F(BuiltInSynthOffline, AllNotesOffBringsSilenceAfterTheReleaseTail) {
    holdOrganNote(0);
    EXPECT_GT(peakOfLast100MsOf(1.0), audible);  // still held: the organ does not decay
    synth->send(message(0xB0, 123, 0));
    EXPECT_LT(peakOfLast100MsOf(3.0), silent);
}

TEST_F(BuiltInSynthOffline, ANoteOnAtVelocityZeroEndsTheNote) {
    holdOrganNote(3);
    peakOf(tenMs);
    synth->send(message(0x93, 60, 0));
    EXPECT_LT(peakOfLast100MsOf(3.0), silent);
}

TEST_F(BuiltInSynthOffline, ControlChangesReachTheirChannelOnly) {
    synth->send(message(0xE1, 0, 64));  // 14-bit bends, data1 | data2 << 7: the centre, the top
    synth->send(message(0xE2, 127, 127));
    EXPECT_EQ(std::vector<int>({synth->pitchBend(1), synth->pitchBend(2)}), std::vector<int>({8192, 16383}));
    synth->send(message(0xB1, 7, 0));  // channel 1 volume 0
    holdOrganNote(1);
    EXPECT_LT(peakOf(organAttack), silent);
    holdOrganNote(2);
    EXPECT_GT(peakOf(organAttack), audible);
}

TEST_F(BuiltInSynthOffline, ResetEndsEveryNoteAtOnce) {
    holdOrganNote(0);
    holdOrganNote(5);
    const float playing = peakOf(organAttack);
    ASSERT_GT(playing, audible);
    synth->reset();
    // All sound off cuts the voices without a release (which would hold about half the level
    // for tens of milliseconds); only the reverb's tail, near a tenth of the level, follows.
    EXPECT_LT(peakOf(tenMs * 5), playing / 4);
    EXPECT_LT(peakOfLast100MsOf(2.0), silent);
}

TEST_F(BuiltInSynthOffline, EveryNoteAtFullStrengthAtOnceIsRoundedOffUnderFullScale) {
    // Sixteen channels of organ chords: far past full scale without the limit.
    for (int channel = 0; channel < 16; ++channel) {
        synth->send(message(0xC0 + channel, churchOrgan, 0));
        for (int note : {36, 48, 55, 60, 64, 67, 72, 76}) synth->send(message(0x90 + channel, note, 127));
    }
    const float peak = peakOf(rate / 2);
    EXPECT_GT(peak, 0.8f);
    EXPECT_LE(peak, 0.841f);  // -1.5 dBFS
    synth->reset();
}

TEST_F(BuiltInSynthOffline, OpeningAgainSilencesTheSynthButKeepsTheLoadedSoundFont) {
    holdOrganNote(0);
    const float playing = peakOf(organAttack);
    ASSERT_GT(playing, audible);
    ASSERT_TRUE(synth->openOffline());
    EXPECT_LT(peakOf(tenMs * 5), playing / 20);
    EXPECT_LT(peakOfLast100MsOf(1.0), silent);
    EXPECT_EQ(synth->soundFontLoads(), 1);
    EXPECT_FALSE(synth->soundFont().empty());
}

TEST_F(BuiltInSynthOffline, WithoutAnAudioDriverOpenFailsAndTheSynthStaysUsableOffline) {
    EXPECT_FALSE(synth->open());
    EXPECT_FALSE(synth->isOpen());
    EXPECT_TRUE(synth->audioDriver().empty());
    EXPECT_TRUE(synth->openOffline());
    EXPECT_EQ(synth->soundFontLoads(), 1);
}

TEST_F(BuiltInSynthOffline, AfterCloseMessagesAreDroppedAndRenderingGivesSilence) {
    synth->close();
    EXPECT_FALSE(synth->isOpen());
    synth->send(message(0x90, 60, 100));
    std::vector<float> left(tenMs, 1.0f), right(tenMs, 1.0f);
    synth->render(left.data(), right.data(), tenMs);
    EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0.0f);
    EXPECT_EQ(*std::max_element(right.begin(), right.end()), 0.0f);
}

// A note with its release and reverb, rendered by two fresh synthesizers, one gated and one
// not: sample for sample the same until the gate closes, after which the ungated one only
// renders what nobody hears; the next note-on sounds in the next block.
TEST(BuiltInSynthGate, ClosesAfterTheTailWithoutCuttingItAndOpensForTheNextNote) {
    if (!anySoundFontInstalled()) GTEST_SKIP() << "no GM SoundFont installed";
    const int total = 3 * rate, releaseAt = rate / 4 / block * block;
    auto play = [&](bool gated, int& closedAt) {
        BuiltInSynth synth(BuiltInSynth::defaultSoundFonts(), {});
        EXPECT_TRUE(synth.openOffline());
        synth.setRenderGate(gated);
        std::vector<float> left(total), right(total);
        closedAt = -1;
        for (int done = 0; done < total; done += block) {
            if (done == 0) synth.send(message(0x90, 60, 100));
            if (done == releaseAt) synth.send(message(0x80, 60, 0));
            synth.render(&left[size_t(done)], &right[size_t(done)], block);
            if (closedAt < 0 && !synth.rendering()) closedAt = done + block;
        }
        // Silence, then a note-on: sound within the next block.
        synth.send(message(0x90, 64, 100));
        float next[block], other[block];
        synth.render(next, other, block);
        EXPECT_GT(*std::max_element(next, next + block), 0.0f);
        EXPECT_TRUE(synth.rendering());
        return left;
    };
    int closedAt = -1, neverClosed = -1;
    const std::vector<float> gated = play(true, closedAt);
    const std::vector<float> full = play(false, neverClosed);
    EXPECT_EQ(neverClosed, -1);
    ASSERT_GT(closedAt, releaseAt) << "the gate closed while the note was sounding";
    ASSERT_LT(closedAt, total) << "the gate never closed";
    for (int i = 0; i < closedAt; ++i) ASSERT_EQ(gated[size_t(i)], full[size_t(i)]) << "frame " << i;
    for (int i = closedAt; i < total; ++i) {
        ASSERT_EQ(gated[size_t(i)], 0.0f);
        ASSERT_LT(std::fabs(full[size_t(i)]), 1e-5f) << "frame " << i << ": the gate cut an audible tail";
    }
}

TEST(BuiltInSynthGate, AMessageDuringThePeriodThatWouldCloseKeepsItOpen) {
    RenderGate gate(100);
    ASSERT_TRUE(gate.open());
    gate.rendered(64, 0, 0.0f);
    gate.wake();  // a note-on arrives while the period that reaches the limit is rendered
    gate.rendered(64, 0, 0.0f);
    EXPECT_TRUE(gate.isRendering());
    EXPECT_TRUE(gate.open());
    gate.rendered(128, 0, 0.0f);
    EXPECT_FALSE(gate.isRendering());  // quiet long enough, nothing woke it
    EXPECT_FALSE(gate.open());
    gate.rendered(64, 0, 0.0f);
    gate.wake();
    EXPECT_TRUE(gate.open());
    gate.rendered(64, 1, 0.0f);        // a voice sounds: the quiet count starts again
    gate.rendered(64, 0, 0.5f);        // a tail still audible
    EXPECT_TRUE(gate.isRendering());
}

// While closed the audio thread waits instead of feeding the server silence, and a message
// ends the wait at once.
TEST(BuiltInSynthGate, ASilentWaitEndsWithTheNextMessage) {
    RenderGate gate(64);
    gate.rendered(64, 0, 0.0f);
    ASSERT_FALSE(gate.open());
    const auto start = std::chrono::steady_clock::now();
    std::thread audio([&gate] { gate.sleepWhileClosed(std::chrono::seconds(30)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    gate.wake();
    audio.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(gate.open());
}

TEST(BuiltInSynth, AMissingSoundFontMakesEveryOpenFailWithoutCrashing) {
    BuiltInSynth synth({"/nonexistent/folder/none.sf2"}, {});
    EXPECT_FALSE(synth.open());
    EXPECT_FALSE(synth.openOffline());
    EXPECT_FALSE(synth.isOpen());
    EXPECT_EQ(synth.soundFontLoads(), 0);
    EXPECT_TRUE(synth.soundFont().empty());
    synth.send(message(0x90, 60, 100));
    synth.reset();
    float left[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    float right[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    synth.render(left, right, 8);
    EXPECT_EQ(*std::max_element(left, left + 8), 0.0f);
    synth.close();
}

TEST(BuiltInSynth, AFileThatIsNoSoundFontIsPassedOverForTheNextInTheList) {
    if (!anySoundFontInstalled()) GTEST_SKIP() << "no GM SoundFont installed";
    char garbage[] = "/tmp/brio-not-a-soundfont-XXXXXX";
    const int fd = mkstemp(garbage);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "not a SoundFont\n", 16), 16);
    ::close(fd);
    std::vector<std::string> list = {garbage};
    for (const std::string& path : BuiltInSynth::defaultSoundFonts()) list.push_back(path);

    BuiltInSynth synth(list, {});
    EXPECT_TRUE(synth.openOffline());
    EXPECT_NE(synth.soundFont(), garbage);
    EXPECT_EQ(synth.soundFontLoads(), 1);
    unlink(garbage);
}

TEST(BuiltInSynthSystemMidi, WithoutAGoodSoundFontTheMapperPlaysSilentAndSaysSoOnce) {
    // Missing, empty and not-a-SoundFont files, from the environment and the option alike.
    char empty[] = "/tmp/brio-empty-sf2-XXXXXX";
    const int fd = mkstemp(empty);
    ASSERT_GE(fd, 0);
    ::close(fd);
    setenv("BRIOLETTA_SOUNDFONT", empty, 1);
    SystemMidi midi({"/nonexistent/folder/none.sf2"}, {"no-such-driver"}, "/nonexistent/seq");
    midi.preferSoundFont("/nonexistent/option.sf2");
    unsetenv("BRIOLETTA_SOUNDFONT");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(midi.open(MidiBackend::mapperDevice));  // open at once: it starts in the background
    midi.send(message(0x90, 60, 100));
    midi.waitForSynth();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, std::string("Brioletta: no General MIDI SoundFont could be loaded (tried ") + empty +
                        ", /nonexistent/folder/none.sf2); playing silent.\n");
    EXPECT_FALSE(midi.synthReady());
    midi.send(message(0x90, 60, 100));
    midi.reset();
    midi.close();
    EXPECT_TRUE(midi.open(MidiBackend::mapperDevice));  // tried again, still nothing, no crash
    midi.waitForSynth();
    EXPECT_FALSE(midi.synthReady());
    unlink(empty);
}

}  // namespace
}  // namespace brio
