#pragma once

// The program's global objects around a station, for the benchmarks that run it.
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "accompaniment/StyleLibrary.h"
#include "foundation/Clock.h"
#include "foundation/TextUtils.h"
#include "main/MidiSynth.h"
#include "midi/CaptureMidiBackend.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio {

inline constexpr int closedHat = 42;

// A library whose style 0 plays a hi-hat on every step at 120 bpm and four parts with notes
// on every step.
inline void fillLibrary(StyleLibrary& library) {
    for (int p = 100; p <= 104; ++p) {
        ArpeggioStyle& pattern = library.pattern(p);
        pattern.name = "every step";
        pattern.length = 16;
        for (int step = 0; step < 16; ++step) pattern.notes.append(ArpeggioNote{p == 100 ? closedHat : 48 + step % 5, 90, step, 0.9});
    }
    BaseStyle& style = library.style(0);
    style.name = "Bench";
    style.bpm = 120;
    for (int part = 0; part < BaseStyle::partCount; ++part) {
        style.mode[size_t(part)] = 1;
        style.arp[size_t(part)] = 100 + part;
        style.prog[size_t(part)] = 0;
    }
}

// The program's global objects in a throw-away folder, on a capture device.
struct Program {
    // `device` replaces the capture device when given.
    explicit Program(Clock& clock, MidiBackend* device = nullptr) {
        char pattern[] = "/tmp/brio-bench-XXXXXX";
        folder = mkdtemp(pattern);
        setProgramFolder(folder + "/");
        installClock(&clock);
        MidiOut::installBackend(device ? device : &midi);
        workspaces = std::make_unique<RecentFiles>("recentS.cfg", 10);
        recordings = std::make_unique<RecentFiles>("recentR.cfg", 10);
        library = std::make_unique<StyleLibrary>();
        fillLibrary(*library);
        options = std::make_unique<Options>(1920);
        station = std::make_unique<MidiSynth>(*library, *options, *workspaces, *recordings);
        station->selectStyle(0, true);
    }
    ~Program() {
        station.reset();
        options.reset();
        MidiOut::installBackend(nullptr);
        installClock(nullptr);
        setProgramFolder("");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    // Rhythm, the four parts on the bass key C, and tone A arpeggiating a held chord.
    void playEverything() {
        station->keyDown(120);  // F9: bass
        station->keyDown(121);  // F10: rhythm
        station->arpeggioSwitch = true;
        station->controlChanged(&station->arpeggioSwitch);
        for (int key : {36, 40, 43}) station->pressPianoKey(key, 100);
    }

    std::string folder;
    CaptureMidiBackend midi;
    std::unique_ptr<RecentFiles> workspaces, recordings;
    std::unique_ptr<StyleLibrary> library;
    std::unique_ptr<Options> options;
    std::unique_ptr<MidiSynth> station;
};

}  // namespace brio
