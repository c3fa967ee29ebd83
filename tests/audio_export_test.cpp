// Recordings rendered to audio files: read back with libsndfile, measured after EBU R128.
#include <gtest/gtest.h>

#include <ebur128.h>
#include <sndfile.h>

#include <filesystem>
#include <memory>

#include "FakeDialogs.h"
#include "StationFixture.h"
#include "main/CommandWindows.h"
#include "midi/AudioExport.h"
#include "platform/RecordingRender.h"

namespace brio {
namespace {

// A piano chord for three seconds, each of its notes released on time.
std::vector<MidiEvent> threeSecondChord() {
    std::vector<MidiEvent> events{{0, 0xC0, 0, 0}, {0, 0xB0, 7, 100}};
    for (uint8_t note : {60, 64, 67}) events.push_back({0, 0x90, note, 96});
    for (uint8_t note : {60, 64, 67}) events.push_back({3000, 0x90, note, 0});
    return events;
}

struct ReadBack {
    SF_INFO info{};
    double lufs = 0;
};

ReadBack readBack(const std::string& path) {
    ReadBack result;
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_READ, &result.info), sf_close);
    if (!file) return result;
    std::vector<float> frames(size_t(result.info.frames) * 2);
    sf_readf_float(file.get(), frames.data(), result.info.frames);
    ebur128_state* meter = ebur128_init(2, unsigned(result.info.samplerate), EBUR128_MODE_I);
    ebur128_add_frames_float(meter, frames.data(), size_t(result.info.frames));
    ebur128_loudness_global(meter, &result.lufs);
    ebur128_destroy(&meter);
    return result;
}

// Each format holds the recording and its release at 48 kHz in stereo: WAV and FLAC the same
// 16-bit samples, Ogg Vorbis within half a loudness unit of them.
TEST(AudioExport, EachFormatHoldsTheRecordingAndItsRelease) {
    test::TempDir folder;
    std::vector<ReadBack> files;
    for (const auto& [name, format, type] : {std::tuple{"take.wav", AudioFormat::wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                                             {"take.flac", AudioFormat::flac, SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
                                             {"take.ogg", AudioFormat::ogg, SF_FORMAT_OGG | SF_FORMAT_VORBIS}}) {
        RenderControl control;
        const RenderOutcome outcome = renderRecording({threeSecondChord(), folder.path(name), format, ""}, control);
        ASSERT_EQ(outcome.end, AudioRenderer::State::done) << outcome.failure;
        files.push_back(readBack(folder.path(name)));
        const SF_INFO& info = files.back().info;
        EXPECT_EQ(std::tuple(info.samplerate, info.channels, info.format), std::tuple(48000, 2, type)) << name;
        EXPECT_EQ(info.frames, outcome.frames) << name;
        EXPECT_GT(info.frames, 3 * 48000 + 4800) << name;  // the release follows the last note-off
        EXPECT_LT(info.frames, 8 * 48000) << name;         // and ends
        EXPECT_EQ(control.progress, 1.0);
    }
    EXPECT_NEAR(files[1].lufs, files[0].lufs, 1e-3);
    EXPECT_NEAR(files[2].lufs, files[0].lufs, 0.5);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.folder()), {}), 3);  // no temporaries
}

// Too long, empty, unwritable, cancelled: a reason in words, and no file.
TEST(AudioExport, WhatCannotBeRenderedLeavesNoFile) {
    test::TempDir folder;
    const std::vector<MidiEvent> fortyNineDays{{0, 0x90, 60, 100}, {49u * 86400000u, 0x90, 60, 0}};
    const std::tuple<std::vector<MidiEvent>, std::string, std::string> cases[] = {
        {{}, folder.path("a.wav"), "The recording is empty: there is nothing to make an audio file of."},
        {fortyNineDays, folder.path("a.wav"), "The recording lasts 1176 hours; audio files are made of recordings up to 6 hours long."},
        {threeSecondChord(), folder.path("none/a.ogg"), "The audio file a.ogg cannot be made in " + folder.path("none") + "."}};
    for (const auto& [events, path, why] : cases) {
        RenderControl control;
        const RenderOutcome outcome = renderRecording({events, path, AudioFormat::wav, ""}, control);
        EXPECT_EQ(std::pair(outcome.end, outcome.failure), std::pair(AudioRenderer::State::failed, why));
    }
    RecordingRenderer renderer;
    std::vector<MidiEvent> hour = threeSecondChord();
    hour.push_back({3600000, 0xB0, 7, 100});
    ASSERT_TRUE(renderer.start({hour, folder.path("hour.flac"), AudioFormat::flac, ""}));
    EXPECT_FALSE(renderer.start({hour, folder.path("again.flac"), AudioFormat::flac, ""}));  // one at a time
    renderer.cancel();
    while (renderer.state() == AudioRenderer::State::running) std::this_thread::yield();
    EXPECT_EQ(renderer.state(), AudioRenderer::State::cancelled);
    EXPECT_TRUE(std::filesystem::is_empty(folder.folder()));
}

// Save As with an audio file's name hands the recording to the renderer and shows its progress
// while it runs; a failure is told.
TEST(AudioExport, SavingARecordingAsAudioRendersItWithAProgressPage) {
    struct Renderer : AudioRenderer {
        bool start(AudioRenderJob given) override { return job = std::move(given), current = next, true; }
        State state() const override { return current; }
        double progress() const override { return 0.5; }
        void cancel() override { current = State::cancelled; }
        std::string failure() const override { return "The disk is full."; }
        AudioRenderJob job;
        State current = State::idle, next = State::running;
    } renderer;
    struct Pages : DialogPages {
        void showOptions() override {}
        void showAbout() override {}
        void showHotKeys() override {}
        void showProgress(const std::string& text, ProgressWatch watch) override {
            shown.push_back(text + " " + std::to_string(watch.progress()));
            watch.cancel();
        }
        std::vector<std::string> shown;
    } pages;
    installAudioRenderer(&renderer);
    test::PlayedStation played;
    played.station.attachCommandWindows(nullptr, &pages, nullptr);
    played.fixture.options->soundFont = "/sets/own.sf2";
    const auto saveAs = [&](const char* name) {
        played.dialogs.saveAnswer = name;
        played.station.saveRecordingAs();
    };
    saveAs("/music/take.ogg");  // nothing recorded
    recorder().events.append(MidiEvent{5, 0x90, 60, 100});
    saveAs("/music/take.ogg");
    renderer.next = AudioRenderer::State::failed;
    saveAs("/music/take.WAV");
    installAudioRenderer(nullptr);
    EXPECT_EQ(played.dialogs.notices, (std::vector<std::string>{
        "The recording is empty: there is nothing to make an audio file of.", "The disk is full."}));
    EXPECT_EQ(pages.shown, std::vector<std::string>{"Rendering take.ogg 0.500000"});
    EXPECT_EQ(std::tuple(renderer.job.path, renderer.job.format, renderer.job.soundFont, renderer.job.events.size()),
              std::tuple(std::string("/music/take.WAV"), AudioFormat::wav, std::string("/sets/own.sf2"), size_t(1)));
}

}  // namespace
}  // namespace brio
