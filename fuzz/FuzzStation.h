// A station built as the program builds it, in a fresh folder (in memory where the system
// offers one), on the manual clock and a MIDI device that sends nowhere.
#pragma once

#include <unistd.h>

#include <memory>
#include <string>

#include "accompaniment/StyleLibrary.h"
#include "foundation/Clock.h"
#include "foundation/TextUtils.h"
#include "main/MidiSynth.h"
#include "midi/MidiOut.h"
#include "midi/NullMidiBackend.h"
#include "midi/Recorder.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio::fuzz {

// A folder of its own for the target's files; every save to /tmp would be flushed to disk.
inline std::string makeFolder() {
    char pattern[] = "/dev/shm/brio-fuzz-XXXXXX";
    char fallback[] = "/tmp/brio-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : mkdtemp(fallback);
}

struct Station {
    Station() : folder(makeFolder()) {
        setProgramFolder(folder + "/");
        installClock(&clock);
        MidiOut::installBackend(&device);
        workspaces = std::make_unique<RecentFiles>("recentS.cfg", 10);
        recordings = std::make_unique<RecentFiles>("recentR.cfg", 10);
        library = std::make_unique<StyleLibrary>();
        options = std::make_unique<Options>(1920);
        station = std::make_unique<MidiSynth>(*library, *options, *workspaces, *recordings);
    }

    std::string folder;
    ManualClock clock{1000};
    NullMidiBackend device;
    std::unique_ptr<RecentFiles> workspaces, recordings;
    std::unique_ptr<StyleLibrary> library;
    std::unique_ptr<Options> options;
    std::unique_ptr<MidiSynth> station;
};

// The manual clock and a MIDI device that sends nowhere, installed on the first call, for the
// targets that need the MIDI layer but no station. Returns the clock.
inline ManualClock& quietMidiClock() {
    static ManualClock clock;
    static NullMidiBackend device;
    static const bool opened = [] {
        installClock(&clock);
        MidiOut::installBackend(&device);
        return MidiOut::open(0);
    }();
    (void)opened;
    return clock;
}

// Plays what the recorder holds to its end, a second at a time (64 seconds at the most).
inline void replayRecording() {
    ManualClock& clock = quietMidiClock();
    Recorder& rec = recorder();
    rec.startPlayback();
    for (int tick = 0; tick < 64 && rec.state == Recorder::State::playing; ++tick) {
        clock.advance(997);
        rec.pump();
    }
    rec.stop();
}

}  // namespace brio::fuzz
