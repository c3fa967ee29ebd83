#include <gtest/gtest.h>

#include "FakeDialogs.h"
#include "StationFixture.h"
#include "midi/Recorder.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;
using test::FakeDialogs;

Text_ linesOf(std::initializer_list<const char*> texts) {
    Text_ lines;
    for (const char* text : texts) lines.append(text);
    return lines;
}

using RecorderTest = test::RecorderStation;

TEST_F(RecorderTest, ReadingKeepsOnlyWellFormedEventLines) {
    Recorder& rec = recorder();
    ASSERT_TRUE(rec.readLines(linesOf({Recorder::magic, "1520;144;60;100;", "12;144;60;100", ";144;60;100;",
                                       " -3;+144;60;300;", "7;a;b;c;", "junk"})));
    ASSERT_EQ(rec.events.count(), 3);
    EXPECT_EQ(rec.events.getConst(0).time, 1520);
    EXPECT_EQ(rec.events.getConst(1).time, uint32_t(-3));  // the 32 bits a negative time has
    EXPECT_EQ(rec.events.getConst(1).data2, 300 & 0xFF);  // the low eight bits
    EXPECT_EQ(rec.events.getConst(2).status, 0);           // no digits give 0
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(RecorderTest, ABadFileSaysWhyAndKeepsThePreviousRecording) {
    Recorder& rec = recorder();
    ASSERT_TRUE(rec.readLines(linesOf({Recorder::magic, "0;144;60;100;"})));
    EXPECT_FALSE(rec.readLines(linesOf({Recorder::magic})));
    EXPECT_FALSE(rec.readLines(linesOf({Recorder::magic, "junk", "12;144;60", ";144;60;100;"})));
    EXPECT_FALSE(rec.readLines(linesOf({"velmorandine midi recording", "0;144;60;100;"})));
    EXPECT_FALSE(rec.readLines(Text_()));
    EXPECT_EQ(dialogs.notices,
              (std::vector<std::string>{"File contains no recording data.", "File contains no recording data.",
                                        "Invalid file format.", "Invalid file format."}));
    EXPECT_EQ(rec.events.count(), 1);
}

TEST_F(RecorderTest, EveryUnsigned32BitTimeReadsBackAsWritten) {
    Recorder& rec = recorder();
    const Text_ file = linesOf({Recorder::magic, "0;144;60;100;", "2147483647;144;60;0;",
                                "2147483648;144;61;100;", "3000000000;144;61;0;", "4294967295;176;7;0;"});
    ASSERT_TRUE(rec.readLines(file));
    EXPECT_EQ(rec.events.getConst(3).time, 3000000000u);
    Text_ written;
    ASSERT_TRUE(rec.writeLines(written));
    EXPECT_EQ(std::vector<std::string>(written.begin(), written.end()),
              std::vector<std::string>(file.begin(), file.end()));
}

TEST_F(RecorderTest, AFailedSaveKeepsTheRecordingUnsavedAndOutOfTheRecentList) {
    fixture.options->warnRecDelete = true;
    station.startRecording();
    station.keyDown('Z');
    runFor(3);
    station.stopRecordingOrPlayback();
    dialogs.saveAnswer = fixture.folder.path("no such folder/take");
    station.saveRecordingAs();
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{"     Failed to save file.     "});
    EXPECT_TRUE(recorder().isUnsaved());
    EXPECT_TRUE(fixture.recordingFiles->entries.empty());
    EXPECT_FALSE(station.confirmDiscardRecording());  // leaving still asks

    dialogs.saveAnswer = fixture.folder.path("take");
    station.saveRecordingAs();
    EXPECT_FALSE(recorder().isUnsaved());
    EXPECT_EQ(fixture.recordingFiles->entries.count(), 1);
}

TEST_F(RecorderTest, OpeningARecentRecordingWhileRecordingStopsTheRecorderFirst) {
    const std::string path = fixture.folder.path("take.prc");
    ASSERT_TRUE(test::writeFile(path, std::string(Recorder::magic) + "\r\n0;144;60;100;\r\n40;144;60;0;\r\n"));
    for (int round = 0; round < 2; ++round) {  // while recording, then while that file plays
        if (round == 0) station.startRecording();
        station.keyDown('Z');
        runFor(3);
        station.keyUp('Z');
        station.openRecentRecording(path);
        EXPECT_TRUE(dialogs.notices.empty()) << round;
        EXPECT_TRUE(station.playing) << round;
        EXPECT_EQ(recorder().events.count(), 2) << round;
    }
    sent.clear();
    runFor(300);  // the 250 ms pause after the end comes in the tick
    EXPECT_FALSE(station.playing);
    EXPECT_EQ(recorder().events.count(), 2);
}

TEST_F(RecorderTest, SavingWithoutARecordingGivesBothMessagesInOrder) {
    dialogs.saveAnswer = fixture.folder.path("take");
    station.saveRecordingAs();
    EXPECT_EQ(dialogs.notices,
              (std::vector<std::string>{"No recording data to save.", "     Failed to save file.     "}));
    EXPECT_TRUE(fixture.recordingFiles->entries.empty());
}

TEST_F(RecorderTest, ARecordingOpensWithTheMixAndEndsWithTheChannel15Marker) {
    station.recording = true;
    station.controlChanged(&station.recording);
    ASSERT_TRUE(station.recording);
    station.keyDown('Z');
    runFor(10);
    station.keyUp('Z');
    station.recording = false;
    station.controlChanged(&station.recording);
    const Recorder& rec = recorder();
    ASSERT_GT(rec.events.count(), 16);
    EXPECT_EQ(rec.events.getConst(0).status, 0xC0);  // the programs come first
    const MidiEvent& last = rec.events.getConst(rec.events.last);
    EXPECT_EQ(last.status, 0xBF);
    EXPECT_EQ(last.data1, 7);
    EXPECT_EQ(last.data2, 0);
    EXPECT_EQ(last.time, 10);
    EXPECT_FALSE(station.recording);
}

TEST_F(RecorderTest, ARecordingKeepsFewerThan999000Events) {
    Recorder& rec = recorder();
    ASSERT_TRUE(rec.startRecording());
    for (int i = 0; i < 999000; ++i) MidiOut::noteOn(60, 100, 0);
    EXPECT_EQ(rec.events.count(), 998999);
    EXPECT_EQ(rec.state, Recorder::State::idle);
    EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"Midi recording buffer is full. Recording stopped."}));
    station.recording = true;  // the switch still shows recording: the next tick notices
    station.tick(true);
    EXPECT_FALSE(station.recording);
}

TEST_F(RecorderTest, AReplayReproducesEveryMessageAtItsRecordedTime) {
    station.recording = true;
    station.controlChanged(&station.recording);
    runFor(5);
    station.keyDown('Z');
    runFor(120);
    station.keyUp('Z');
    station.instruments[0].playTimed(40, 90, 1);
    runFor(300);
    station.recording = false;
    station.controlChanged(&station.recording);
    std::vector<MidiEvent> recorded(recorder().events.begin(), recorder().events.end());

    station.playing = true;
    station.controlChanged(&station.playing);
    const uint32_t start = fixture.clock.now;
    const size_t first = sent.size();  // what stopping the idle recorder sent comes before
    station.tick(true);
    runFor(500);
    ASSERT_GE(sent.size(), first + recorded.size());
    for (size_t i = 0; i < recorded.size(); ++i) {
        const Message& replayed = sent[first + i];
        EXPECT_EQ(replayed.time - start, uint32_t(recorded[i].time)) << "event " << i;
        EXPECT_EQ(replayed.status, recorded[i].status) << "event " << i;
        EXPECT_EQ(replayed.data1, recorded[i].data1) << "event " << i;
        const bool volume = (recorded[i].status & 0xF0) == 0xB0 && recorded[i].data1 == 7;
        EXPECT_EQ(replayed.data2, volume ? int(recorded[i].data2 * 1.0) : recorded[i].data2) << "event " << i;
    }
    EXPECT_FALSE(station.playing);  // playback ended by itself
}

TEST_F(RecorderTest, ANegativeTimeIsDueAtOnceAndThePlaybackEnds) {
    ASSERT_TRUE(recorder().readLines(linesOf({Recorder::magic, "-5;144;60;100;", "10;144;60;0;"})));
    station.startPlayback();
    runFor(20);
    EXPECT_FALSE(station.playing);
}

TEST_F(RecorderTest, DuringPlaybackLivePlayingIsSilentAndMuteScalesTheRecordedVolumes) {
    ASSERT_TRUE(recorder().readLines(linesOf({Recorder::magic, "0;176;7;100;", "0;177;7;127;", "100000;144;60;100;"})));
    station.volume = 0.5;
    station.startPlayback();
    runFor(2);
    const std::vector<Message> scaled{{10001, 0xB0, 7, 50}, {10001, 0xB1, 7, 63}};
    EXPECT_EQ(std::vector<Message>(sent.end() - 2, sent.end()), scaled);

    sent.clear();
    station.keyDown('Z');  // live playing: neither sounds nor is recorded
    EXPECT_TRUE(sent.empty());
    station.mute = true;
    station.controlChanged(&station.mute);
    for (int channel = 0; channel < 16; ++channel) EXPECT_EQ(sent[size_t(channel)].data2, 0);
    sent.clear();
    station.mute = false;
    station.controlChanged(&station.mute);
    EXPECT_EQ(sent[0], (Message{10002, 0xB0, 7, 50}));
    EXPECT_EQ(sent[1], (Message{10002, 0xB1, 7, 63}));
}

TEST_F(RecorderTest, AfterPlaybackTheStationsOwnMixComesBackAfter250Ms) {
    ASSERT_TRUE(recorder().readLines(linesOf({Recorder::magic, "0;192;40;0;", "5;176;10;0;"})));
    station.startPlayback();
    sent.clear();
    runFor(10);
    EXPECT_FALSE(station.playing);
    bool restored = false;
    for (const Message& m : sent) {
        if (m.status == 0xB0 && m.data1 == 10 && m.data2 == 82) {
            restored = true;
            EXPECT_GE(m.time, 10005u + 250u);
        }
    }
    EXPECT_TRUE(restored);
}

TEST_F(RecorderTest, ARecordingSavedAndOpenedAgainPlaysAndJoinsTheRecentList) {
    station.startRecording();
    station.keyDown('Z');
    runFor(3);
    station.stopRecordingOrPlayback();
    dialogs.saveAnswer = fixture.folder.path("take");
    station.saveRecordingAs();
    const std::string saved = fixture.folder.path("take.prc");
    EXPECT_EQ(test::readFile(saved).rfind("VELMORANDINE MIDI RECORDING\r\n", 0), 0u);
    EXPECT_FALSE(recorder().isUnsaved());
    dialogs.openAnswer = saved;
    station.openRecording();
    EXPECT_TRUE(station.playing);
    EXPECT_EQ(fixture.recordingFiles->entries.getConst(0), saved);
    station.stopRecordingOrPlayback();

    station.openRecentRecording(fixture.folder.path("gone.prc"));
    EXPECT_EQ(dialogs.notices.back(), "     File does not exist.     ");
}

TEST_F(RecorderTest, AnUnsavedRecordingIsOnlyGuardedWhenTheOptionAsks) {
    station.startRecording();
    station.stopRecordingOrPlayback();
    EXPECT_TRUE(station.confirmDiscardRecording());
    fixture.options->warnRecDelete = true;
    EXPECT_FALSE(station.confirmDiscardRecording());
    EXPECT_EQ(dialogs.questions.back(), "You have an unsaved recording. Continue without saving?");
    station.requestQuit();
    EXPECT_FALSE(station.quitRequested);
    dialogs.questionAnswer = 0;
    station.requestQuit();
    EXPECT_TRUE(station.quitRequested);
}

}  // namespace
}  // namespace brio
