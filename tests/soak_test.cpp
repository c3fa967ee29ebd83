// A soak of the station: a seeded random player works the computer keys, the MIDI input, the
// mouse, the tone switches, styles, tempo, recordings and workspaces for simulated minutes in
// 1 ms ticks on the shipped style library. Every few minutes and at the end it lets go of
// everything: then no note may still sound. An accompaniment note may never outlast its
// pattern note (its length in steps, eight times that in the long mode, half a step for a drum)
// at the tempo it started at.
//
// BRIO_SOAK_MINUTES (default 1) sets the simulated time per seed, BRIO_SOAK_SEEDS (default "1")
// the seeds, separated by commas; `make soak` runs an hour each of five seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <iomanip>
#include <iostream>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FakeDialogs.h"
#include "StationFixture.h"
#include "accompaniment/Tempo.h"
#include "midi/MidiInputQueue.h"
#include "midi/Recorder.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

// The capture, with every reset of the device written in as a port receives it: all sound
// off and reset all controllers on each channel.
struct ResetMarkingCapture : CaptureMidiBackend {
    void reset() override {
        CaptureMidiBackend::reset();
        const uint32_t now = systemClock().milliseconds();
        for (int channel = 0; channel < 16; ++channel) {
            messages.push_back({now, uint8_t(0xB0 | channel), 120, 0});
            messages.push_back({now, uint8_t(0xB0 | channel), 121, 0});
        }
    }
};

struct Fault {
    uint32_t noteOn;  // when the note (or the pedal) began
    std::string what;
};

// Follows the sounding notes of the capture: a note-on sounds until a note-off of its channel
// and key, or an all-notes-off or all-sound-off of its channel.
class NoteLedger {
public:
    // `limitFor(channel)`: the longest a note starting now on the channel may last (0: any).
    template <typename Limit>
    void take(const std::vector<Message>& sent, Limit&& limitFor) {
        for (const Message& m : sent) {
            const int channel = m.status & 0x0F, kind = m.status & 0xF0;
            if (kind == 0x90 && m.data2 > 0) {
                Open& open = notes[size_t(channel)][m.data1];
                const uint32_t limit = limitFor(channel);
                if (open.count == 0) {
                    open.since = m.time;
                    open.limit = limit;
                } else if (open.limit > 0) {  // struck again while sounding: ends by the later bound
                    open.limit = limit > 0 ? uint32_t(elapsedMs(open.since, m.time)) + limit : 0;
                }
                ++open.count;
                ++checked;
            } else if (kind == 0x80 || kind == 0x90) {
                end(channel, m.data1, m.time);
            } else if (kind == 0xB0 && (m.data1 == 120 || m.data1 == 123)) {
                for (int key = 0; key < 128; ++key) end(channel, key, m.time);
            } else if (kind == 0xB0 && (m.data1 == 64 || m.data1 == 121)) {
                const bool down = m.data1 == 64 && m.data2 >= 64;
                if (down && !pedal[size_t(channel)]) pedalSince[size_t(channel)] = m.time;
                pedal[size_t(channel)] = down;
            }
        }
    }
    int sounding() const {
        int count = 0;
        for (const auto& channel : notes)
            for (const Open& open : channel) count += open.count > 0;
        return count;
    }
    // Every note still sounding, and a keyboard pedal still down, is a fault; they are
    // forgotten so that each is told once.
    void expectSilence(uint32_t now) {
        for (int channel = 0; channel < 16; ++channel) {
            for (int key = 0; key < 128; ++key) {
                Open& open = notes[size_t(channel)][size_t(key)];
                if (open.count == 0) continue;
                std::ostringstream what;
                what << "stuck note: channel " << channel << " key " << key << " sounding since " << open.since
                     << ", still at " << now << " with every key, pedal and switch let go";
                faults.push_back({open.since, what.str()});
                open.count = 0;
            }
            if (channel < 4 && pedal[size_t(channel)]) {
                std::ostringstream what;
                what << "stuck pedal: channel " << channel << " sustain down since " << pedalSince[size_t(channel)]
                     << ", still at " << now;
                faults.push_back({pedalSince[size_t(channel)], what.str()});
                pedal[size_t(channel)] = false;
            }
        }
    }

    uint64_t checked = 0;          // note-ons seen
    uint32_t longestAccompaniment = 0;
    double longestShare = 0.0;     // of its limit, the largest share an accompaniment note used
    std::vector<Fault> faults;

private:
    struct Open {
        int count = 0;
        uint32_t since = 0;
        uint32_t limit = 0;
    };
    void end(int channel, int key, uint32_t now) {
        Open& open = notes[size_t(channel)][size_t(key)];
        if (open.count == 0) return;
        const uint32_t lasted = uint32_t(elapsedMs(open.since, now));
        if (open.limit > 0) {
            longestAccompaniment = std::max(longestAccompaniment, lasted);
            longestShare = std::max(longestShare, double(lasted) / open.limit);
            if (lasted > open.limit) {
                std::ostringstream what;
                what << "accompaniment note too long: channel " << channel << " key " << key << " from "
                     << open.since << " to " << now << " (" << lasted << " ms, its pattern allows " << open.limit
                     << " ms)";
                faults.push_back({open.since, what.str()});
            }
        }
        open.count = 0;
    }

    std::array<std::array<Open, 128>, 16> notes{};
    std::array<bool, 16> pedal{};
    std::array<uint32_t, 16> pedalSince{};
};

// The station on the shipped library and the capture, with the MIDI input attached.
struct SoakRig {
    test::FakeDialogs dialogs;
    test::StationEnvironment environment;
    ResetMarkingCapture midi;
    RecentFiles workspaceFiles{"recentS.cfg", 10};
    RecentFiles recordingFiles{"recentR.cfg", 10};
    StyleLibrary library{std::string(BRIO_SOURCE_DIR) + "/data/styles.cfg"};
    Options options{1920};
    MidiInputQueue input;
    std::unique_ptr<MidiSynth> station;

    SoakRig() {
        MidiOut::installBackend(&midi);
        recorder().stop();
        recorder().events.clear();  // no recording of an earlier run plays back here
        recorder().unsaved = false;
        station = std::make_unique<MidiSynth>(library, options, workspaceFiles, recordingFiles);
        station->attachMidiInput(&input);
    }
    ~SoakRig() {
        station->newWorkspace(true);  // the process-wide tempo, shift and recorder as they were
        station->attachMidiInput(nullptr);
        station.reset();
        MidiOut::installBackend(nullptr);
    }
};

class Soak {
public:
    explicit Soak(uint32_t seed) : random(seed) {
        for (int i = 0; i < StyleLibrary::styleCount; ++i)
            if (!rig.library.style(i).isEmpty()) styles.push_back(i);
        for (int code = 0; code < MidiSynth::virtualKeyCount; ++code)
            if (station.panel.piano.keyForCode(code) >= 0) playingCodes.push_back(code);
        collect(false);
    }

    void run(uint32_t minutes) {
        const uint32_t end = uint32_t(minutes) * 60000u, quietEvery = 5 * 60000u;
        uint32_t nextStyle = 0, nextQuiet = quietEvery;
        for (uint32_t ms = 0; ms < end; ++ms) {
            if (ms == nextStyle) {
                const int index = styles[pick(styles.size())];
                const bool withTempo = chance(0.5);
                journal("selectStyle " + std::to_string(index) + (withTempo ? " with tempo" : ""));
                act([&] { station.selectStyle(index, withTempo); });
                nextStyle += 30000;
            }
            if (ms == nextQuiet && ms + 60000 < end) {
                letGo();
                nextQuiet += quietEvery;
            }
            if (chance(0.012)) randomAction();
            tick();
        }
        letGo();
        if (recorder().state != Recorder::State::idle) {
            journal("stop recording");
            act([&] { station.stopRecordingOrPlayback(); });
        }
        for (int i = 0; i < 2000; ++i) tick();
        ledger.expectSilence(now());
    }

    // The faults with the player's actions around each (the first few).
    std::string report() const {
        std::ostringstream out;
        for (size_t i = 0; i < ledger.faults.size() && i < 5; ++i) {
            const Fault& fault = ledger.faults[i];
            out << fault.what << "\n  actions from " << fault.noteOn - std::min(fault.noteOn, 3000u) << ":\n";
            int lines = 0;
            for (const auto& [time, what] : actions) {
                if (elapsedMs(fault.noteOn, time) < -3000 || elapsedMs(fault.noteOn, time) > 20000 || ++lines > 60)
                    continue;
                out << "    " << time << " " << what << "\n";
            }
        }
        return out.str();
    }

    SoakRig rig;
    NoteLedger ledger;

private:
    enum Action { keyDown, keyUp, functionKey, space, inputOn, inputOff, inputPedal, mouse, arpeggio, hold, tone,
                  tempoFader, shuffleFader, keepTempo, fingered, record, stop, play, saveRecording, openRecording,
                  saveWorkspace, openWorkspace, background, actionCount };

    void randomAction() {
        static const std::array<double, actionCount> weights{
            30, 28, 6, 2, 15, 14, 0.5, 2, 1, 1, 0.5, 0.7, 0.5, 0.2, 0.3, 0.3, 0.3, 0.3, 0.1, 0.1, 0.15, 0.15, 0.1};
        std::discrete_distribution<int> choose(weights.begin(), weights.end());
        MidiSynth& s = station;
        test::FakeDialogs& dialogs = rig.dialogs;
        dialogs.questionAnswer = chance(0.7) ? 0 : 1;  // mostly "continue", sometimes Cancel
        switch (choose(random)) {
            case keyDown: {
                if (heldCodes.size() >= 8) return releaseCode(*std::next(heldCodes.begin(), long(pick(heldCodes.size()))));
                const int code = playingCodes[pick(playingCodes.size())];
                heldCodes.insert(code);
                journal("keyDown " + std::to_string(code));
                return act([&] { s.keyDown(code); });
            }
            case keyUp:
                if (!heldCodes.empty()) releaseCode(*std::next(heldCodes.begin(), long(pick(heldCodes.size()))));
                return;
            case functionKey: {
                static const int codes[] = {112, 113, 114, 116, 117, 118, 120, 121, 33, 34};
                const int code = codes[pick(std::size(codes))];
                journal("press " + std::to_string(code));
                return act([&] {
                    s.keyDown(code);
                    s.keyUp(code);
                });
            }
            case space:
                spaceDown = !spaceDown;
                journal(spaceDown ? "Space down" : "Space up");
                return act([&] { spaceDown ? s.keyDown(32) : s.keyUp(32); });
            case inputOn: {
                const int note = chance(0.8) ? 21 + int(pick(88)) : int(pick(128));
                heldNotes.insert(note);
                return send(0x90 | int(pick(16)), note, 1 + int(pick(127)));
            }
            case inputOff:
                if (heldNotes.empty()) return;
                return releaseNote(*std::next(heldNotes.begin(), long(pick(heldNotes.size()))));
            case inputPedal:
                inputPedalDown = !inputPedalDown;
                return send(0xB0, 64, inputPedalDown ? 127 : 0);
            case mouse: return mouseKey < 0 ? mousePress(int(pick(size_t(s.panel.piano.keyCount())))) : mouseRelease();
            case arpeggio: return setSwitch(s.arpeggioSwitch, !s.arpeggioSwitch, "arpeggio");
            case hold: return setSwitch(s.holdSwitch, !s.holdSwitch, "hold");
            case tone: {
                const int t = int(pick(3));
                journal("selectTone " + std::to_string(t));
                return act([&] { s.selectTone(t); });
            }
            case tempoFader: return setFader(tempo, "tempo");
            case shuffleFader: return setFader(shuffle, "shuffle");
            case keepTempo: return setSwitch(s.drumMachine.keepDefaultTempo, true, "keepDefaultTempo");
            case fingered:
                rig.options.chordMode = ChordMode((int(rig.options.chordMode) + 1) % 3);
                journal("chordMode " + std::to_string(int(rig.options.chordMode)));
                return act([&] { s.applyChordMode(); });
            case record: journal("startRecording"); return act([&] { s.startRecording(); });
            case stop: journal("stopRecordingOrPlayback"); return act([&] { s.stopRecordingOrPlayback(); });
            case play: journal("startPlayback"); return act([&] { s.startPlayback(); });
            case saveRecording:
                dialogs.saveAnswer = rig.environment.folder.path(chance(0.5) ? "take.prc" : "take.mid");
                journal("saveRecordingAs " + *dialogs.saveAnswer);
                return act([&] { s.saveRecordingAs(); });
            case openRecording:
                dialogs.openAnswer = rig.environment.folder.path(chance(0.5) ? "take.prc" : "take.mid");
                journal("openRecording " + *dialogs.openAnswer);
                return act([&] { s.openRecording(); });
            case saveWorkspace:
                dialogs.saveAnswer = rig.environment.folder.path("set" + std::to_string(pick(3)));
                journal("saveWorkspaceAs " + *dialogs.saveAnswer);
                return act([&] { s.saveWorkspaceAs(); });
            case openWorkspace: {
                const std::string path = rig.environment.folder.path("set" + std::to_string(pick(3)) + ".pws");
                const bool viaBox = chance(0.5);
                dialogs.openAnswer = path;
                journal("openWorkspace " + path + (viaBox ? " (box)" : ""));
                return act([&] { s.openWorkspace(viaBox ? "" : path); });
            }
            case background: journal("tick in the background"); return act([&] { s.tick(false); });
            default: return;
        }
    }

    // Lets go of every key, the pedals, the switches, the bass and the rhythm (a playback is
    // stopped), then ticks until the last note ends: nothing may sound after that.
    void letGo() {
        MidiSynth& s = station;
        journal("let go of everything");
        if (recorder().state == Recorder::State::playing) act([&] { s.stopRecordingOrPlayback(); });
        while (!heldCodes.empty()) releaseCode(*heldCodes.begin());
        while (!heldNotes.empty()) releaseNote(*heldNotes.begin());
        if (spaceDown) act([&] { s.keyUp(32); });
        spaceDown = false;
        if (inputPedalDown) send(0xB0, 64, 0);
        inputPedalDown = false;
        if (mouseKey >= 0) mouseRelease();
        tick();  // the input's messages are taken
        for (int t = 0; t < 3; ++t) {
            act([&] { s.selectTone(t); });
            if (s.holdSwitch) setSwitch(s.holdSwitch, false, "hold");
            if (s.arpeggioSwitch) setSwitch(s.arpeggioSwitch, false, "arpeggio");
        }
        for (const int code : {121, 120}) {  // F10 and F9: rhythm and bass off
            if (code == 121 ? !s.rhythm : !s.bass) continue;
            act([&] {
                s.keyDown(code);
                s.keyUp(code);
            });
        }
        for (int ms = 0; ms < 120000 && ledger.sounding() > 0; ++ms) tick();
        for (int ms = 0; ms < 1000; ++ms) tick();
        ledger.expectSilence(now());
    }

    void releaseCode(int code) {
        heldCodes.erase(code);
        journal("keyUp " + std::to_string(code));
        act([&] { station.keyUp(code); });
    }
    void releaseNote(int note) {
        heldNotes.erase(note);
        if (chance(0.5)) send(0x80 | int(pick(16)), note, 64);
        else send(0x90 | int(pick(16)), note, 0);
    }
    void send(int status, int data1, int data2) {
        std::ostringstream what;
        what << "input " << std::hex << status << std::dec << " " << data1 << " " << data2;
        journal(what.str());
        rig.input.push(uint32_t(status) | uint32_t(data1) << 8 | uint32_t(data2) << 16);  // taken at the next tick
    }
    void mousePress(int key) {
        const Rect r = station.panel.piano.keyRect(key);
        mouseX = station.panel.keyboardLeft + (r.left + r.right) / 2;
        mouseY = station.panel.keyboardTop + r.bottom - 10;
        mouseKey = key;
        journal("mouseDown on key " + std::to_string(key));
        act([&] { station.mouseDown(mouseX, mouseY, 1); });
    }
    void mouseRelease() {
        journal("mouseUp");
        mouseKey = -1;
        act([&] { station.mouseUp(mouseX, mouseY, 1, false); });
    }
    void setSwitch(bool& variable, bool on, const char* name) {
        journal(std::string(name) + (on ? " on" : " off"));
        act([&] {
            variable = on;
            station.controlChanged(&variable);
        });
    }
    void setFader(double& variable, const char* name) {
        const double value = std::uniform_real_distribution<double>(0.0, 1.0)(random);
        journal(std::string(name) + " " + std::to_string(value));
        act([&] {
            variable = value;
            station.controlChanged(&variable);
        });
    }

    void tick() {
        act([&] {
            station.tick(true);
            rig.environment.clock.advance(1);
        });
    }
    // Runs `f` and takes what it sent; notes a playback sends have no pattern limit.
    template <typename F>
    void act(F&& f) {
        const bool wasPlaying = recorder().state == Recorder::State::playing;
        f();
        collect(wasPlaying || recorder().state == Recorder::State::playing);
    }
    void collect(bool replaying) {
        if (rig.midi.messages.empty()) return;
        ledger.take(rig.midi.messages, [&](int channel) { return replaying ? 0u : limitFor(channel); });
        rig.midi.messages.clear();
    }
    // The longest note the accompaniment may start now on `channel` (0: no limit).
    uint32_t limitFor(int channel) const {
        if (channel < MidiSynth::firstAccompaniment || channel > MidiSynth::drumInstrument) return 0;
        double steps = 0.5;  // a drum note
        if (channel != MidiSynth::drumInstrument) {
            const Arpeggio& player = station.arpeggios[size_t(channel)];
            steps = 0.0;
            if (StyleLibrary::validPattern(player.arpIdx))
                for (const ArpeggioNote& note : rig.library.pattern(player.arpIdx).notes)
                    steps = std::max(steps, note.len > 0.0 ? note.len : 1.0);
            if (player.mode == partLong) steps *= 8.0;
        }
        return uint32_t(steps * stepLengthMs()) + 2;  // the tick that sends the note-off
    }

    void journal(std::string what) {
        actions.emplace_back(now(), std::move(what));
        if (actions.size() > 50000) actions.pop_front();
    }
    uint32_t now() const { return rig.environment.clock.now; }
    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }

    std::mt19937 random;
    MidiSynth& station = *rig.station;
    std::vector<int> styles, playingCodes;
    std::set<int> heldCodes, heldNotes;
    bool spaceDown = false, inputPedalDown = false;
    int mouseKey = -1, mouseX = 0, mouseY = 0;
    std::deque<std::pair<uint32_t, std::string>> actions;
};

std::vector<uint32_t> soakSeeds() {
    std::vector<uint32_t> seeds;
    std::istringstream list(std::getenv("BRIO_SOAK_SEEDS") ? std::getenv("BRIO_SOAK_SEEDS") : "1");
    for (std::string seed; std::getline(list, seed, ',');)
        if (!seed.empty()) seeds.push_back(uint32_t(std::stoul(seed)));
    return seeds;
}

TEST(Soak, ARandomPlayerLeavesNoNoteSoundingAndNoAccompanimentNoteTooLong) {
    const char* minutesText = std::getenv("BRIO_SOAK_MINUTES");
    const uint32_t minutes = minutesText ? uint32_t(std::stoul(minutesText)) : 1;
    for (const uint32_t seed : soakSeeds()) {
        const auto started = std::chrono::steady_clock::now();
        Soak soak(seed);
        soak.run(minutes);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::cout << "soak seed " << seed << ": " << minutes << " simulated min in " << seconds << " s, "
                  << soak.ledger.checked << " note-ons checked, longest accompaniment note "
                  << soak.ledger.longestAccompaniment << " ms (the longest share of a limit used "
                  << std::fixed << std::setprecision(1) << soak.ledger.longestShare * 100 << " %), " << soak.ledger.faults.size() << " faults" << std::endl;
        EXPECT_TRUE(soak.ledger.faults.empty()) << "seed " << seed << ":\n" << soak.report();
    }
}

// A note of the input beyond the drawn keys must end at its note-off after its tone was switched
// off (F1), or took the arpeggio switch before the octave moved (Page Up), as a drawn key does.
TEST(StationInputBeyondTheKeys, EndsAtItsNoteOffAfterTheToneStopsPlayingKeys) {
    for (const bool byArpeggio : {false, true}) {
        MidiInputQueue input;
        test::StationFixture fixture;
        MidiSynth& station = *fixture.station;
        station.attachMidiInput(&input);
        station.setMasterKeyShift(0);  // note 87 is key 87, beyond the last key
        input.push(0x90 | 87 << 8 | 100 << 16);
        station.tick(true);
        const int code = byArpeggio ? 33 : 112;  // Page Up, F1
        if (byArpeggio) {
            station.arpeggioSwitch = true;
            station.controlChanged(&station.arpeggioSwitch);
        }
        station.keyDown(code);
        station.keyUp(code);
        input.push(0x80 | 87 << 8);
        station.tick(true);
        NoteLedger ledger;
        ledger.take(fixture.midi.messages, [](int) { return 0u; });
        ledger.expectSilence(fixture.clock.now);
        EXPECT_EQ(ledger.checked, 1u);
        EXPECT_TRUE(ledger.faults.empty()) << (byArpeggio ? "arpeggio on, Page Up: " : "F1: ")
                                           << (ledger.faults.empty() ? "" : ledger.faults[0].what);
    }
}

}  // namespace
}  // namespace brio
