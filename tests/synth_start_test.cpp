#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <mutex>

#include "platform/BuiltInSynth.h"
#include "platform/DeferredSynth.h"
#include "platform/SoundFontChoice.h"

namespace brio {
namespace {

// An engine whose start waits until the test lets it finish, and that logs what reaches it.
class SlowEngine : public SynthEngine {
public:
    bool open() override {
        std::unique_lock guard(lock);
        ++opens;
        if (opens == 1) released.wait(guard, [this] { return letGo; });
        log.push_back(succeeds ? "open" : "failed open");
        return succeeds;
    }
    void send(uint32_t packed) override {
        std::lock_guard guard(lock);
        log.push_back(std::to_string(packed & 0xFF) + " " + std::to_string((packed >> 8) & 0xFF) + " " +
                      std::to_string((packed >> 16) & 0xFF));
    }
    void reset() override {
        std::lock_guard guard(lock);
        log.push_back("reset");
    }
    void close() override {
        std::lock_guard guard(lock);
        log.push_back("close");
    }
    void finishStart() {
        std::lock_guard guard(lock);
        letGo = true;
        released.notify_all();
    }
    std::vector<std::string> entries() {
        std::lock_guard guard(lock);
        return log;
    }

    bool succeeds = true;
    int opens = 0;

private:
    std::mutex lock;
    std::condition_variable released;
    bool letGo = false;
    std::vector<std::string> log;
};

uint32_t message(int status, int data1, int data2) { return uint32_t(status | data1 << 8 | data2 << 16); }

TEST(DeferredSynth, WhatIsSentWhileStartingPlaysInOrderTheMomentItIsReady) {
    SlowEngine engine;
    std::vector<bool> settled;
    DeferredSynth synth(engine, [&](bool ok) { settled.push_back(ok); });
    EXPECT_TRUE(synth.open());
    EXPECT_EQ(synth.state(), DeferredSynth::State::starting);
    // The start-up programs and volumes, then a key pressed and released before the sound is
    // there, and a reset of the reopened device.
    synth.send(message(0xC0, 5, 0));
    synth.send(message(0xB0, 7, 102));
    synth.send(message(0x90, 60, 100));
    synth.send(message(0x90, 60, 0));
    synth.reset();
    EXPECT_TRUE(synth.open());  // the running start serves it
    synth.send(message(0x90, 62, 100));
    EXPECT_EQ(engine.entries(), std::vector<std::string>{});
    engine.finishStart();
    synth.waitUntilSettled();
    EXPECT_EQ(synth.state(), DeferredSynth::State::ready);
    synth.send(message(0x90, 62, 0));  // after the start: straight through
    EXPECT_EQ(engine.entries(), (std::vector<std::string>{"open", "192 5 0", "176 7 102", "144 60 100", "144 60 0",
                                                          "reset", "144 62 100", "144 62 0"}));
    EXPECT_EQ(settled, std::vector<bool>{true});
    // A ready synth opened again is reset in place on the caller's thread.
    synth.open();
    EXPECT_EQ(engine.entries().back(), "open");
    EXPECT_EQ(engine.opens, 2);
}

TEST(DeferredSynth, AStartThatFailsOrIsClosedMeanwhileDeliversNothing) {
    for (const bool closedMeanwhile : {false, true}) {
        SlowEngine engine;
        engine.succeeds = closedMeanwhile;
        std::vector<bool> settled;
        DeferredSynth synth(engine, [&](bool ok) { settled.push_back(ok); });
        synth.open();
        synth.send(message(0x90, 60, 100));
        if (closedMeanwhile) synth.close();
        engine.finishStart();
        synth.waitUntilSettled();
        synth.send(message(0x90, 61, 100));
        synth.reset();
        const std::vector<std::string> expected =
            closedMeanwhile ? std::vector<std::string>{"open", "close"} : std::vector<std::string>{"failed open"};
        EXPECT_EQ(engine.entries(), expected) << closedMeanwhile;
        EXPECT_EQ(synth.state(), closedMeanwhile ? DeferredSynth::State::closed : DeferredSynth::State::failed);
        EXPECT_EQ(settled, std::vector<bool>{closedMeanwhile});
    }
}

TEST(SoundFontChoice, TheEnvironmentThenTheOptionThenTheInstalledSetsBestFirst) {
    const std::vector<std::string> installed = installedSoundFonts();
    const std::vector<std::string> files = {"FluidR3_GM", "MuseScore_General", "TimGM6mb", "default-GM"};
    ASSERT_EQ(installed.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) EXPECT_NE(installed[i].find(files[i]), std::string::npos) << i;
    const auto with = [&](std::vector<std::string> first) {
        for (const std::string& path : installed) {
            if (std::find(first.begin(), first.end(), path) == first.end()) first.push_back(path);
        }
        return first;
    };
    struct Case {
        std::string environment, option;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"", "", installed},
        {"/a.sf2", "", with({"/a.sf2"})},
        {"", "/b.sf2", with({"/b.sf2"})},
        {"/a.sf2", "/b.sf2", with({"/a.sf2", "/b.sf2"})},
        {installed[2], "", with({installed[2]})},  // listed once
    };
    for (const Case& c : cases) EXPECT_EQ(soundFontCandidates(c.environment, c.option, installed), c.expected);
}

TEST(AudioAttempts, JackTriesEveryPeriodFrom128UpAndEachSdlDriverOneBufferOf256) {
    using Attempt = BuiltInSynth::AudioAttempt;
    EXPECT_EQ(BuiltInSynth::audioAttempts({"jack", "pulseaudio", "alsa"}),
              (std::vector<Attempt>{{"jack", 128}, {"jack", 256}, {"jack", 512}, {"jack", 1024},
                                    {"pulseaudio", 256}, {"alsa", 256}}));
    EXPECT_EQ(BuiltInSynth::sampleRate, 48000);
    EXPECT_EQ(BuiltInSynth::periodCount, 2);
}

TEST(AudioAttempts, ARunningJackComesFirstThenSdlsDriversOrThoseTheUserNamed) {
    struct Case {
        const char* asked;  // SDL_AUDIODRIVER, or nullptr
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {nullptr, {"jack", "pipewire", "pulseaudio", "alsa"}},
        {"", {"jack", "pipewire", "pulseaudio", "alsa"}},
        {"pulseaudio", {"jack", "pulseaudio"}},
        {"alsa,,jack,dsp", {"jack", "alsa", "dsp"}},
    };
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::string kept = before != nullptr ? before : "";
    for (const Case& c : cases) {
        if (c.asked != nullptr) {
            ::setenv("SDL_AUDIODRIVER", c.asked, 1);
        } else {
            ::unsetenv("SDL_AUDIODRIVER");
        }
        EXPECT_EQ(BuiltInSynth::defaultAudioDrivers(), c.expected) << (c.asked ? c.asked : "unset");
    }
    if (before != nullptr) {
        ::setenv("SDL_AUDIODRIVER", kept.c_str(), 1);
    } else {
        ::unsetenv("SDL_AUDIODRIVER");
    }
}

}  // namespace
}  // namespace brio
