#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakeDialogs.h"
#include "TestFiles.h"
#include "accompaniment/StyleLibrary.h"
#include "foundation/Clock.h"
#include "foundation/TextUtils.h"
#include "main/MidiSynth.h"
#include "FaultyMidiBackend.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio::test {

// The pieces the program puts in place before the station: a manual clock, a capture MIDI
// device and a fresh program folder. Everything is undone when the object goes away.
struct StationEnvironment {
    explicit StationEnvironment(uint32_t startMs = 10000) : clock(startMs) {
        setProgramFolder(folder.folder() + "/");
        installClock(&clock);
        MidiOut::installBackend(&midi);
    }
    ~StationEnvironment() {
        MidiOut::installBackend(nullptr);
        installClock(nullptr);
        setProgramFolder("");
    }

    TempDir folder;
    ManualClock clock;
    FaultyMidiBackend midi;  // works until a test makes it fail
};

// A station built as the program builds it, on the capture device.
struct StationFixture : StationEnvironment {
    explicit StationFixture(uint32_t startMs = 10000) : StationEnvironment(startMs) {
        workspaceFiles = std::make_unique<RecentFiles>("recentS.cfg", 10);
        recordingFiles = std::make_unique<RecentFiles>("recentR.cfg", 10);
        library = std::make_unique<StyleLibrary>();
        options = std::make_unique<Options>(1920);
        station = std::make_unique<MidiSynth>(*library, *options, *workspaceFiles, *recordingFiles);
    }
    ~StationFixture() {
        station.reset();
        options.reset();
        library.reset();
        recordingFiles.reset();
        workspaceFiles.reset();
    }

    std::unique_ptr<RecentFiles> workspaceFiles;
    std::unique_ptr<RecentFiles> recordingFiles;
    std::unique_ptr<StyleLibrary> library;
    std::unique_ptr<Options> options;
    std::unique_ptr<MidiSynth> station;
};

// The station with fake message and file boxes and a fresh recorder, ticked a millisecond at a
// time: for recording and playback, and for devices and disks that fail.
struct PlayedStation {
    PlayedStation() { recorder() = Recorder(); }
    ~PlayedStation() { recorder() = Recorder(); }

    FakeDialogs dialogs;
    StationFixture fixture;
    MidiSynth& station = *fixture.station;

    void runFor(uint32_t ms) {
        for (uint32_t i = 0; i < ms; ++i) {
            fixture.clock.advance(1);
            station.tick(true);
        }
    }
};

struct RecorderStation : ::testing::Test, PlayedStation {
    std::vector<CaptureMidiBackend::Message>& sent = fixture.midi.messages;
};

}  // namespace brio::test
