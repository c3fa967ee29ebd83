// Renders every named style of the style library offline through the built-in synthesizer:
// Main A for 8 bars, the bass key C (piano key 12) for 4 bars, then F (piano key 17), into
// <out>/<index>-<name>.wav (16-bit stereo 48000 Hz) with its spectrogram (<index>-<name>.png,
// drawn by sox), and prints level figures per render. Each part is also rendered alone in Main A
// for its loudness (EBU R128).
//
// Every other section a style has is rendered too, its mix measured for loudness and true peak;
// each plays its own patterns from its first step, as the section player gives them:
//   intro   its bars once, on C;
//   Main B  the fewest bars, half on C and half on F, that last 4 seconds (2 at least);
//   fills   the fill's bar whole (the most a fill plays: it starts on the beat after the press),
//           repeated until it has lasted 2.4 seconds (six gating blocks of EBU R128), on C;
//   break   the same, so that its hit and pickup are measured, not the silence between them
//           (the gate of EBU R128 leaves that out);
//   ending  its bars once, on C, then the accompaniment stops and the measure goes on while its
//           last chord rings (a bar more and the tail).
// The sections follow each other in <out>/<index>-<name>-sections.wav (no spectrogram);
// <out>/summary.md and summary.csv list every style's figures.
//
// --calibrate instead plays test phrases (triads in three octaves, a bass line in two, a held
// triad) on every General MIDI program, and every percussion key alone, at volume 100 and prints
// the loudness and true peak of each (the bass lines' and drums' share of power under 120 Hz, the
// middle triad's and the drums' lean to the right) as Python dicts, also written to <out>/program-loudness.py.
//
// --levels FILE measures how loud the SoundFont plays every program and percussion key (as the
// program does for a set it does not know) and writes the table the program ships for that set.
//
// Renders go through the program's level correction: a set other than the reference is played
// at the reference's levels, its table taken from data/SoundFonts (or measured first).
//
// Usage: render-styles [--styles FILE] [--out FOLDER] [--soundfont FILE] [--calibrate] [--levels FILE]
//                      [--recordings] [style index ...]
//        render-styles --measure AUDIOFILE
// (--soundfont renders with that SoundFont instead of the program's first choice; --recordings
// keeps each mix's messages as <index>-<name>.prc, to render with `brioletta --render`;
// --measure prints an audio file's loudness and true peak as the renders are measured).

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sndfile.h>
#include <string>
#include <vector>

#include "GrooveAgreement.h"
#include "Loudness.h"
#include "MixBalance.h"
#include "StyleSummary.h"
#include "WavWriter.h"
#include "accompaniment/Arpeggio.h"
#include "accompaniment/DrumMachine.h"
#include "accompaniment/Instrument.h"
#include "accompaniment/SectionPlayer.h"
#include "accompaniment/StepControl.h"
#include "accompaniment/StyleLibrary.h"
#include "accompaniment/Tempo.h"
#include "foundation/Clock.h"
#include "midi/MidiBackend.h"
#include "midi/MidiOut.h"
#include "midi/Recorder.h"
#include "foundation/FileFingerprint.h"
#include "platform/BuiltInSynth.h"
#include "platform/SoundFontMeasure.h"
#include "platform/ProcessLauncher.h"

#ifndef BRIO_STYLES_FILE
#define BRIO_STYLES_FILE "data/styles.cfg"
#endif
#ifndef BRIO_RENDER_DIR
#define BRIO_RENDER_DIR "renders"
#endif

namespace brio {
namespace {

constexpr int channelCount = 16;
constexpr int firstPartInstrument = 4;  // parts 1..4 play on instruments 4..7
constexpr int lastAccompaniment = 8;    // instruments 4..8 are silenced when a style is applied
constexpr int blockFrames = 64;         // the synth takes messages at block boundaries
constexpr int barsPerRoot = 4;
constexpr int rootC = 12;
constexpr int rootF = 17;
constexpr double groupLevel = 0.8;  // the station's default accompaniment and drum levels
constexpr uint32_t tailMs = 1500;   // releases and reverb after the last bar
constexpr double shortestRepeatSeconds = 2.4;  // a fill or break repeats until it lasts this
constexpr double shortestMainBSeconds = 4.0;   // Main B: 2 bars or more, half on C, half on F

// A drum note-on: the frame it sounds from and the clock's step when it was sent.
struct Onset {
    uint64_t frame;
    int32_t step;
};

// Forwards every message of the MIDI layer to the synthesizer, counts the note-ons and notes
// when each drum note-on sounds.
class SynthBackend : public MidiBackend {
public:
    explicit SynthBackend(BuiltInSynth& synth) : synth(synth) {}

    std::vector<std::string> deviceNames() override { return {"Built-in offline"}; }
    bool open(int) override { return true; }
    void send(uint32_t packed) override {
        const uint32_t status = packed & 0xF0;
        const uint32_t velocity = (packed >> 16) & 0x7F;
        const uint32_t channel = packed & 0x0F;
        if (status == 0x90 && velocity > 0) {
            ++noteOns[channel];
            if (channel == Instrument::drumChannel && steps)
                drumOnsets.push_back({frame, steps->step});
        }
        if (sent) {
            sent->push_back(MidiEvent{uint32_t(frame * 1000 / BuiltInSynth::sampleRate), uint8_t(packed & 0xFF),
                                      uint8_t((packed >> 8) & 0x7F), uint8_t((packed >> 16) & 0x7F)});
        }
        synth.send(packed);
    }
    void reset() override { synth.reset(); }
    void close() override {}

    std::array<int, channelCount> noteOns{};
    std::vector<Onset> drumOnsets;
    uint64_t frame = 0;                  // where a message sent now takes effect
    const StepControl* steps = nullptr;  // the clock whose steps the drums play
    std::vector<MidiEvent>* sent = nullptr;  // every message, as a recording keeps it

private:
    BuiltInSynth& synth;
};

// The part of the station that plays a style: instruments, players and the step clock.
class Accompaniment {
public:
    explicit Accompaniment(StyleLibrary& library)
        : drums(library, &instruments[Instrument::drumChannel]) {
        for (int i = 0; i < channelCount; ++i) {
            Instrument& instrument = instruments[size_t(i)];
            instrument.channel = i;
            instrument.reset();
            arpeggios.push_back(std::make_unique<Arpeggio>(library, &instrument));
            clock.targets.push_back(arpeggios.back().get());
        }
        clock.targets.push_back(&drums);
    }

    // Applies the style as the station does when one is selected with its tempo; the players
    // take the patterns of `section` (a part that rests there plays none).
    void apply(const BaseStyle& style, Section section) {
        stepsPerBeat = style.stepsPerBeat;
        for (int i = firstPartInstrument; i <= lastAccompaniment; ++i)
            silence(instruments[size_t(i)]);
        setTempoFromBpm(style.bpm);
        shuffle = style.shuffle;
        drums.arpIdx = style.patternOf(section, 0);
        for (size_t part = 1; part < BaseStyle::partCount; ++part) applyPart(style, part, section);
        Instrument& drumInstrument = instruments[Instrument::drumChannel];
        drumInstrument.active = style.mode[0] != 0;
        drumInstrument.volume = style.vol[0] * 0.01;
        for (Instrument& instrument : instruments) {
            instrument.sendVolume(groupLevel);
            MidiOut::setPan(midiValue(instrument.pan), instrument.channel);
        }
    }

    // Starts the rhythm and the parts on one bass key.
    void start(int root) {
        drums.active = true;
        for (int i = firstPartInstrument; i < firstPartInstrument + 4; ++i) {
            arpeggios[size_t(i)]->active = true;
        }
        holdRoot(root);
        clock.resetPosition();
        clock.running = true;
    }

    void holdRoot(int root) {
        for (int i = firstPartInstrument; i < firstPartInstrument + 4; ++i) {
            Llist<int32_t>& keys = arpeggios[size_t(i)]->heldKeys;
            keys.clear();
            keys.append(root);
        }
    }

    // Players off, pedals up; sounding notes still end in time.
    void stop() {
        drums.active = false;
        for (auto& arpeggio : arpeggios) arpeggio->active = false;
        for (int i = firstPartInstrument; i < firstPartInstrument + 4; ++i) {
            MidiOut::setSustain(false, i);
        }
    }

    // One millisecond of the station's tick.
    void tick() {
        clock.tick();
        for (Instrument& instrument : instruments) instrument.service();
    }

    void cutAll() {
        for (Instrument& instrument : instruments) instrument.cutAll();
    }

    StepControl clock;

private:
    void silence(Instrument& instrument) {
        instrument.cutAll();
        instrument.sustain = false;
        MidiOut::setSustain(false, instrument.channel);
    }

    void applyPart(const BaseStyle& style, size_t part, Section section) {
        Instrument& instrument = instruments[firstPartInstrument - 1 + part];
        const bool on = style.mode[part] != partOff;
        instrument.sustain = style.mode[part] == partSustained;
        MidiOut::setSustain(instrument.sustain, instrument.channel);
        instrument.active = on;
        instrument.setProgram(style.prog[part]);
        instrument.volume = on ? style.vol[part] * 0.01 : 0.0;
        instrument.pan = style.placeOf(int(part));
        MidiOut::setPortamento(style.glide[part], instrument.channel);
        instrument.transpose = style.key[part];
        Arpeggio& arpeggio = *arpeggios[firstPartInstrument - 1 + part];
        arpeggio.forgetRoot();
        arpeggio.arpIdx = style.patternOf(section, int(part));
        arpeggio.mode = style.mode[part];
        arpeggio.kind = style.kind[part];
        arpeggio.range = style.range[part];
    }

    std::array<Instrument, channelCount> instruments;
    std::vector<std::unique_ptr<Arpeggio>> arpeggios;
    DrumMachine drums;
};

// "<index>-<name>", every run of characters other than letters and digits as one dash.
std::string baseName(int index, const std::string& name) {
    std::string text = std::to_string(index) + "-";
    bool dash = false;
    for (const char c : name) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (plain)
            text += c;
        else if (!dash)
            text += '-';
        dash = !plain;
    }
    while (!text.empty() && text.back() == '-') text.pop_back();
    return text;
}

struct Levels {
    double rmsDb = -200.0;
    double silentShare = 0.0;  // share of 50 ms windows of the 8 bars below -50 dBFS
};

double decibels(double value) {
    return value > 1e-10 ? 20.0 * std::log10(value) : -200.0;
}

Levels measure(const std::vector<float>& left, const std::vector<float>& right,
               size_t musicFrames) {
    constexpr size_t window = BuiltInSynth::sampleRate / 20;
    Levels levels;
    double sum = 0.0;
    size_t windows = 0;
    size_t silent = 0;
    for (size_t start = 0; start + window <= musicFrames; start += window) {
        double windowSum = 0.0;
        for (size_t i = start; i < start + window; ++i) {
            const double l = left[i];
            const double r = right[i];
            windowSum += l * l + r * r;
        }
        sum += windowSum;
        ++windows;
        if (decibels(std::sqrt(windowSum / (2.0 * window))) < -50.0) ++silent;
    }
    if (windows == 0) return levels;
    levels.rmsDb = decibels(std::sqrt(sum / (2.0 * window * windows)));
    levels.silentShare = double(silent) / double(windows);
    return levels;
}

// Renders in blocks of 64 frames, first advancing the clock to the block's start one
// millisecond at a time and ticking the station at each; the messages of those ticks sound
// from the block's first frame.
class Renderer {
public:
    Renderer(BuiltInSynth& synth, SynthBackend& backend, ManualClock& clock)
        : synth(synth), backend(backend), clock(clock) {}

    // Runs until the clock reaches `untilMs`; `beforeTick` sees the clock before each tick.
    template <typename BeforeTick>
    void run(Accompaniment& station, uint32_t untilMs, BeforeTick beforeTick) {
        std::array<float, blockFrames> blockLeft{};
        std::array<float, blockFrames> blockRight{};
        while (clock.now < untilMs) {
            const uint32_t target = uint32_t(frames * 1000 / BuiltInSynth::sampleRate);
            backend.frame = frames;
            while (clock.now < target) {
                clock.advance(1);
                beforeTick();
                station.tick();
            }
            synth.render(blockLeft.data(), blockRight.data(), blockFrames);
            left.insert(left.end(), blockLeft.begin(), blockLeft.end());
            right.insert(right.end(), blockRight.begin(), blockRight.end());
            frames += blockFrames;
        }
    }

    std::vector<float> left;
    std::vector<float> right;

private:
    BuiltInSynth& synth;
    SynthBackend& backend;
    ManualClock& clock;
    uint64_t frames = 0;
};

// What one render plays: a section's patterns for `bars` bars, the first `barsOnC` on the bass
// key C and the rest on F; after them the notes ring out when `ringOut`, and the measure takes
// that ringing in when `measureRing`.
struct Plan {
    Section section = Section::mainA;
    int bars = 2 * barsPerRoot;
    int barsOnC = barsPerRoot;
    bool ringOut = false;
    bool measureRing = false;
    uint32_t ringMs = tailMs;
};

// The plan of each section (see the head of this file); bars: the style's bars of it, `beats`
// the beats of its bar.
Plan planOf(Section section, int bars, const BaseStyle& style, int beats) {
    Plan plan;
    plan.section = section;
    const double barSeconds = beats * 60.0 / std::max(style.bpm, 1);
    switch (section) {
        case Section::mainA:
            plan.ringOut = true;
            return plan;
        case Section::mainB:
            plan.barsOnC = std::max(1, int(std::ceil(shortestMainBSeconds / 2.0 / barSeconds)));
            plan.bars = 2 * plan.barsOnC;
            return plan;
        case Section::fillA:
        case Section::fillB:
        case Section::breakBar:
            plan.bars = std::max(1, int(std::ceil(shortestRepeatSeconds / barSeconds)));
            break;
        case Section::ending:
            plan.bars = bars;
            plan.ringOut = plan.measureRing = true;
            plan.ringMs = tailMs + uint32_t(barSeconds * 1000.0);
            break;
        case Section::intro:
            plan.bars = bars;
            break;
    }
    plan.barsOnC = plan.bars;
    return plan;
}

// One performance of a style: its sound, how much of it is measured, and what was played.
struct Take {
    std::vector<float> left;
    std::vector<float> right;
    size_t musicFrames = 0;
    int beats = 4;
    uint32_t firstTickMs = 0;  // where step 0 lies on the ideal grid
    std::array<int, channelCount> noteOns{};
    std::vector<Onset> drumOnsets;
    std::vector<MidiEvent> sent;  // what reached the synthesizer, with its time
};

// Plays the plan's section for its bars (C, then F) and lets the notes ring out after them
// when the plan says so.
void play(Accompaniment& station, Renderer& renderer, const BaseStyle& style, const Plan& plan,
          Take& take) {
    station.apply(style, plan.section);
    station.start(rootC);
    const double stepsPerBar = double(take.beats * std::max(style.stepsPerBeat, 1));
    // Half a step before the bar lines, so that the bar after barsOnC starts on F and the bar
    // after the last does not start.
    const double switchAt = plan.barsOnC * stepsPerBar - 0.5;
    const double stopAt = plan.bars * stepsPerBar - 0.5;
    const uint32_t musicMs = uint32_t(plan.bars * take.beats * 60000.0 / bpmFromFraction(tempo));
    bool started = false;
    bool switched = false;
    bool stopped = false;
    renderer.run(station, musicMs, [&] {
        if (!started) {
            take.firstTickMs = systemClock().milliseconds();
            started = true;
        }
        const double position = station.clock.position;
        if (!switched && plan.barsOnC < plan.bars && position >= switchAt) {
            station.holdRoot(rootF);
            switched = true;
        }
        if (!stopped && position >= stopAt) {
            station.stop();
            stopped = true;
        }
    });
    take.musicFrames = renderer.left.size();
    if (!stopped) station.stop();
    if (plan.ringOut) renderer.run(station, musicMs + plan.ringMs, [] {});
    if (plan.measureRing) take.musicFrames = renderer.left.size();
    station.cutAll();
}

// Seconds spent in each step of a run.
struct Timings {
    double synthesis = 0.0;
    double loudness = 0.0;
    double spectrograms = 0.0;
    double files = 0.0;
};

// Adds the time from its creation to its end to `total`.
class Timer {
public:
    explicit Timer(double& total) : total(total), start(std::chrono::steady_clock::now()) {}
    ~Timer() {
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

private:
    double& total;
    std::chrono::steady_clock::time_point start;
};

// What every render shares: the synthesizer, the MIDI layer's way to it and the time spent.
struct Studio {
    explicit Studio(std::vector<std::string> soundFonts) : synth(std::move(soundFonts)) {
        synth.setLevelFolders(BRIO_DATA_DIR, "", true);  // the source tree's levels; none measured is kept
        synth.loadWholeSets();  // a compressed set would decode its presets again for every render
    }

    BuiltInSynth synth;
    SynthBackend backend{synth};
    Timings timings;
};

// Renders the plan's section of the style from the synthesizer's power-on state.
Take perform(Studio& studio, StyleLibrary& library, const BaseStyle& style, const Plan& plan) {
    const Timer timer(studio.timings.synthesis);
    studio.synth.openOffline();
    SynthBackend& backend = studio.backend;
    backend.noteOns = {};
    backend.drumOnsets.clear();
    ManualClock clock;
    installClock(&clock);
    Take take;
    backend.frame = 0;
    backend.sent = &take.sent;  // from the station's first message on
    Accompaniment station(library);
    backend.steps = &station.clock;
    Renderer renderer(studio.synth, backend, clock);
    take.beats = beatsInBar(library, style);  // the bar the station plays
    play(station, renderer, style, plan, take);
    backend.sent = nullptr;
    backend.steps = nullptr;
    installClock(nullptr);
    take.left = std::move(renderer.left);
    take.right = std::move(renderer.right);
    take.noteOns = backend.noteOns;
    take.drumOnsets = std::move(backend.drumOnsets);
    return take;
}

// The loudness of the measured frames; with the peaks when `peaks` is set.
Loudness loudnessOf(Studio& studio, const Take& take, bool peaks) {
    const Timer timer(studio.timings.loudness);
    return measureLoudness(take.left, take.right, take.musicFrames, BuiltInSynth::sampleRate,
                           peaks);
}

// Milliseconds from step 0 to step `n` on the style's ideal grid: straight steps at its tempo,
// swung by its shuffle in groups of four, the second half of each group starting at
// 1/2 + shuffle/6 of it (a triplet swing at shuffle 1).
double idealStepMs(const BaseStyle& style, int32_t n) {
    const double swing = std::clamp(0.5 + style.shuffle / 6.0, 0.5, 0.5 + 1.0 / 6.0);
    const std::array<double, 4> inGroup{0.0, 2.0 * swing, 4.0 * swing, 2.0 + 2.0 * swing};
    const double steps = 4.0 * (n / 4) + inGroup[size_t(n % 4)];
    return steps * 60000.0 / (double(style.bpm) * std::max(style.stepsPerBeat, 1));
}

// How far the drum note-ons sounded from the ideal grid that starts at the clock's first tick.
void measureDrumGrid(const Take& take, const BaseStyle& style, StyleFigures& figures) {
    double sum = 0.0;
    double largest = 0.0;
    for (const Onset& onset : take.drumOnsets) {
        const double soundedMs = double(onset.frame) * 1000.0 / BuiltInSynth::sampleRate;
        const double idealMs = take.firstTickMs + idealStepMs(style, onset.step);
        const double deviation = std::fabs(soundedMs - idealMs);
        sum += deviation;
        largest = std::max(largest, deviation);
    }
    figures.drumOnsets = int(take.drumOnsets.size());
    figures.onsetMeanMs = take.drumOnsets.empty() ? 0.0 : sum / double(take.drumOnsets.size());
    figures.onsetMaxMs = largest;
}

// The style with every part but `part` off.
BaseStyle solo(const BaseStyle& style, size_t part) {
    BaseStyle alone = style;
    for (size_t other = 0; other < BaseStyle::partCount; ++other) {
        if (other != part) alone.mode[other] = partOff;
    }
    return alone;
}

// The loudness of every part that plays in Main A, played alone.
void measureParts(Studio& studio, StyleLibrary& library, const BaseStyle& style,
                  StyleFigures& figures) {
    for (size_t part = 0; part < BaseStyle::partCount; ++part) {
        if (style.mode[part] == partOff) continue;
        figures.restsInMainA[part] = style.arp[part] == BaseStyle::noPattern;
        if (figures.restsInMainA[part]) continue;
        const Take take = perform(studio, library, solo(style, part), Plan{});
        figures.partLufs[part] = loudnessOf(studio, take, false).lufs;
    }
}

// Draws the spectrogram of a WAV file, both channels mixed, with sox; false when sox is missing
// or fails.
bool drawSpectrogram(Studio& studio, const std::string& wav, const std::string& png,
                     const std::string& title) {
    const Timer timer(studio.timings.spectrograms);
    PosixProcessLauncher launcher;
    const auto result =
        launcher.run({"sox", wav, "-n", "remix", "-", "spectrogram", "-t", title, "-o", png});
    return result && result->exitStatus == 0;
}

// Writes <path>.wav and draws <path>.png; false when either is missing.
bool saveMix(Studio& studio, const Take& take, const std::string& path, const std::string& title) {
    bool written = false;
    {
        const Timer timer(studio.timings.files);
        written = writeWav(path + ".wav", take.left, take.right, BuiltInSynth::sampleRate);
    }
    if (!written) {
        std::printf("  %s.wav not written\n", path.c_str());
        return false;
    }
    if (drawSpectrogram(studio, path + ".wav", path + ".png", title)) return true;
    std::printf("  %s.png not drawn (is sox installed?)\n", path.c_str());
    return false;
}

// One line per style: tempo, metre, levels of the 8 bars, note-ons of drums and parts 1..4,
// and the limits it breaks.
void report(const std::string& name, const BaseStyle& style, const Take& take,
            const StyleFigures& figures) {
    const Levels levels = measure(take.left, take.right, take.musicFrames);
    std::printf(
        "%-34s %3d bpm %2d beats  %6.1f LUFS  peak %5.1f dBTP  rms %6.1f dBFS  quiet %3.0f%%"
        "  notes d%d",
        name.c_str(), style.bpm, take.beats, figures.mix.lufs, figures.mix.truePeakDb, levels.rmsDb,
        levels.silentShare * 100.0, take.noteOns[Instrument::drumChannel]);
    for (int i = firstPartInstrument; i < firstPartInstrument + 4; ++i) {
        std::printf(" %d", take.noteOns[size_t(i)]);
    }
    const std::string flags = limitFlags(figures);
    std::printf("%s%s\n", flags.empty() ? "" : "  ! ", flags.c_str());
}

// The sections other than Main A, in the order a song plays them.
constexpr std::array<Section, 6> otherSections{Section::intro, Section::mainB, Section::fillA,
                                               Section::fillB, Section::breakBar, Section::ending};

// Renders every other section the style has, adds its loudness to `figures` and to `line` (in
// words) and writes them one after another to <path>-sections.wav (none when the style has no
// section); false when that file was not written.
bool renderSections(Studio& studio, StyleLibrary& library, const BaseStyle& style, int beats,
                    const std::string& path, StyleFigures& figures, std::string& line) {
    const SectionBars bars = style.sectionBars();
    Take song;
    for (const Section section : otherSections) {
        if (bars[size_t(section)] <= 0) continue;
        Take take = perform(studio, library, style, planOf(section, bars[size_t(section)], style, beats));
        const Loudness loudness = loudnessOf(studio, take, true);
        figures.sections[size_t(section)] = loudness;
        char cell[64];
        std::snprintf(cell, sizeof cell, "  %s %.1f/%.1f", BaseStyle::sectionKey(section), loudness.lufs,
                      loudness.truePeakDb);
        line += cell;
        song.left.insert(song.left.end(), take.left.begin(), take.left.end());
        song.right.insert(song.right.end(), take.right.begin(), take.right.end());
    }
    if (line.empty()) return true;
    const Timer timer(studio.timings.files);
    if (writeWav(path + "-sections.wav", song.left, song.right, BuiltInSynth::sampleRate)) return true;
    std::printf("  %s-sections.wav not written\n", path.c_str());
    return false;
}

// Whether renderStyle keeps each mix's messages as a recording (--recordings).
bool recordingsWanted = false;

// The mix's messages as a recording file, for rendering it as the program renders recordings.
void saveRecording(const Take& take, const std::string& path) {
    Recorder recording;
    for (const MidiEvent& event : take.sent) recording.events.append(event);
    Text_ lines;
    if (!recording.writeLines(lines) || !lines.writeTextFile(path)) std::printf("  %s not written\n", path.c_str());
}

// The loudness of an audio file as the renders are measured (--measure).
int measureFile(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file || info.channels != 2) {
        std::fprintf(stderr, "%s: not a stereo audio file\n", path.c_str());
        if (file) sf_close(file);
        return 1;
    }
    std::vector<float> frames(size_t(info.frames) * 2), left, right;
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    for (size_t i = 0; i < frames.size(); i += 2) left.push_back(frames[i]), right.push_back(frames[i + 1]);
    const Loudness loudness = measureLoudness(left, right, left.size(), info.samplerate, true);
    std::printf("%s: %.2f LUFS, %.2f dBTP, %.3f s\n", path.c_str(), loudness.lufs, loudness.truePeakDb,
                double(info.frames) / info.samplerate);
    return 0;
}

// Renders the style, its parts alone and its other sections, saves the mixes and adds the
// style's figures to `table`; false when a file was not saved.
bool renderStyle(Studio& studio, StyleLibrary& library, int index, const std::string& folder,
                 std::vector<StyleFigures>& table) {
    const BaseStyle& style = library.style(index);
    const Take mix = perform(studio, library, style, Plan{Section::mainA, 2 * barsPerRoot, barsPerRoot, true});
    StyleFigures figures;
    figures.index = index;
    figures.name = style.name;
    figures.mix = loudnessOf(studio, mix, true);
    figures.balance = measureMixBalance(mix.left, mix.right, mix.musicFrames, BuiltInSynth::sampleRate);
    measureDrumGrid(mix, style, figures);
    measureParts(studio, library, style, figures);
    const std::string name = baseName(index, style.name);
    std::string line;
    const bool sections = renderSections(studio, library, style, mix.beats, folder + "/" + name, figures, line);
    report(name, style, mix, figures);
    if (!line.empty()) std::printf("  sections LUFS/dBTP:%s\n", line.c_str());
    table.push_back(figures);
    if (recordingsWanted) saveRecording(mix, folder + "/" + name + ".prc");
    const bool saved = saveMix(studio, mix, folder + "/" + name, style.name);
    return sections && saved;
}

// --- Calibration ---------------------------------------------------------------------------------

constexpr int programCount = 128;
constexpr int calibrationBpm = 120;
constexpr int calibrationVelocity = 100;
constexpr int partTranspose = 12;  // the parts' usual transposition: keys sound as written
constexpr double noteGate = 0.92;  // share of its beat a note sounds, as the style generator writes
constexpr int stepsPerQuarter = 4;
constexpr int barSteps = 4 * stepsPerQuarter;
constexpr int firstDrumKey = 35;  // the General MIDI percussion keys 35..81
constexpr int lastDrumKey = 81;

// A test phrase and the name of its dict in the printed table.
struct Phrase {
    const char* dictName;
    std::vector<std::vector<int>> strikes;  // the MIDI notes of each strike on the root C
    int strikeSteps;                        // steps from one strike to the next
};

const std::array<Phrase, 6> phrases{{
    {"PROGRAM_LOUDNESS", {{60, 64, 67}}, stepsPerQuarter},  // the triad C4 E4 G4 every beat
    {"LOW_PROGRAM_LOUDNESS", {{48, 52, 55}}, stepsPerQuarter},   // an octave lower
    {"HIGH_PROGRAM_LOUDNESS", {{72, 76, 79}}, stepsPerQuarter},  // an octave higher
    {"BASS_PROGRAM_LOUDNESS", {{36}, {43}}, stepsPerQuarter},  // root and fifth C2 G2 in turn
    {"HELD_PROGRAM_LOUDNESS", {{60, 64, 67}}, barSteps},       // the triad held for a bar
    {"HIGH_BASS_PROGRAM_LOUDNESS", {{48}, {55}}, stepsPerQuarter},  // the bass line an octave up
}};

// The phrases whose share of power under the low-end cutoff is tabled as well, and those whose
// lean (dB to the right, centred) is.
bool tablesLowEnd(const std::string& dictName) { return dictName.find("BASS") != std::string::npos; }
bool tablesLean(const std::string& dictName) { return dictName == "PROGRAM_LOUDNESS"; }

// A bar of strikes, the chords of the phrase in turn, each sounding for noteGate of its span.
ArpeggioStyle phrasePattern(const Phrase& phrase) {
    ArpeggioStyle pattern;
    pattern.name = phrase.dictName;
    pattern.length = barSteps;
    for (int strike = 0; strike * phrase.strikeSteps < barSteps; ++strike) {
        for (const int key : phrase.strikes[size_t(strike) % phrase.strikes.size()]) {
            pattern.notes.append({key, calibrationVelocity, strike * phrase.strikeSteps,
                                  noteGate * phrase.strikeSteps});
        }
    }
    return pattern;
}

// A bar of one percussion key on every beat, as the style generator writes drum notes.
ArpeggioStyle drumPattern(int key) {
    ArpeggioStyle pattern;
    pattern.name = "DRUM_KEY_LOUDNESS";
    pattern.length = barSteps;
    for (int beat = 0; beat < 4; ++beat) {
        pattern.notes.append({key, calibrationVelocity, beat * stepsPerQuarter, 0.5});
    }
    return pattern;
}

// A style that plays pattern `pattern` alone on part 1 with `program` at volume 100.
BaseStyle calibrationStyle(int program, int pattern) {
    BaseStyle style;  // every part at volume 100
    style.name = "Calibration";
    style.bpm = calibrationBpm;
    style.mode = {partOff, partOn, partOff, partOff, partOff};
    style.arp = {pattern, pattern, 0, 0, 0};
    style.prog[1] = program;
    style.key[1] = partTranspose;
    style.pan[1] = 0.5;  // centred, so that the program's own lean shows
    return style;
}

// A style that plays pattern `pattern` alone on the drums at volume 100.
BaseStyle drumCalibrationStyle(int pattern) {
    BaseStyle style;
    style.name = "Calibration";
    style.bpm = calibrationBpm;
    style.mode = {partOn, partOff, partOff, partOff, partOff};
    style.arp = {pattern, 0, 0, 0, 0};
    return style;
}

// The loudness of each key (program or percussion key) from `first` on.
struct KeyLoudness {
    int first = 0;
    std::vector<double> lufs;
};

std::string pythonNumber(double lufs, int decimals = 1) {
    if (std::isinf(lufs)) return "float(\"-inf\")";
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, lufs);
    return text;
}

// `NAME = {key: value, ...}`, eight keys a line.
std::string pythonDict(const std::string& name, const KeyLoudness& table, int decimals = 1) {
    std::string text = name + " = {";
    for (size_t i = 0; i < table.lufs.size(); ++i) {
        if (i % 8 == 0) text += "\n    ";
        text += std::to_string(table.first + int(i)) + ": " + pythonNumber(table.lufs[i], decimals) + ",";
        if (i % 8 != 7 && i + 1 < table.lufs.size()) text += " ";
    }
    return text + "\n}\n";
}

// "# NAME: quietest -30.1 (program 47), loudest -12.3 (program 30), spread 17.8 LU".
std::string spreadComment(const std::string& name, const char* what, const KeyLoudness& table) {
    const auto [quietest, loudest] = std::minmax_element(table.lufs.begin(), table.lufs.end());
    char text[200];
    std::snprintf(text, sizeof text,
                  "# %s: quietest %s (%s %d), loudest %s (%s %d), spread %.1f LU\n",
                  name.c_str(), pythonNumber(*quietest).c_str(), what,
                  table.first + int(quietest - table.lufs.begin()),
                  pythonNumber(*loudest).c_str(), what,
                  table.first + int(loudest - table.lufs.begin()), *loudest - *quietest);
    return text;
}

// What a calibration style measures: loudness, true peak, low-end share and lean.
struct CalibrationTables {
    KeyLoudness lufs, peaks, lowShares, leans;
};

void measureCalibration(Studio& studio, StyleLibrary& library, const BaseStyle& style, CalibrationTables& tables) {
    const Take take = perform(studio, library, style, Plan{});
    const Loudness loudness = loudnessOf(studio, take, true);
    const MixBalance balance = measureMixBalance(take.left, take.right, take.musicFrames, BuiltInSynth::sampleRate);
    tables.lufs.lufs.push_back(loudness.lufs);
    tables.peaks.lufs.push_back(loudness.truePeakDb);
    tables.lowShares.lufs.push_back(balance.lowShare);
    tables.leans.lufs.push_back(balance.leanDb);
}

// Plays each phrase on every program and every percussion key alone, prints the loudness and
// true peak tables and writes them to <folder>/program-loudness.py as well.
int calibrate(Studio& studio, const std::string& folder) {
    StyleLibrary library{std::string()};  // empty: it holds the phrases alone
    std::string table =
        "# Integrated loudness (LUFS, EBU R128) of every General MIDI program at volume 100 "
        "through the\n# built-in synthesizer: velocity 100, " +
        std::to_string(calibrationBpm) +
        " bpm, 4 bars on C, then 4 on F.\n# PROGRAM_LOUDNESS: the triad C4 E4 G4 in quarter "
        "notes (LOW_ an octave lower, HIGH_ an octave\n# higher); BASS_PROGRAM_LOUDNESS: C2 "
        "and G2 in turn in quarter notes; HELD_PROGRAM_LOUDNESS:\n# the triad held for each "
        "bar; DRUM_KEY_LOUDNESS: each percussion key alone in quarter notes on\n# the drums. "
        "*_PEAK: the true peak (dBTP) of each.\n";
    std::string dicts;
    for (size_t p = 0; p < phrases.size(); ++p) {
        library.pattern(int(p)) = phrasePattern(phrases[p]);
        CalibrationTables tables;
        for (int program = 0; program < programCount; ++program) {
            measureCalibration(studio, library, calibrationStyle(program, int(p)), tables);
        }
        const std::string name = phrases[p].dictName;
        const std::string stem = name.substr(0, name.rfind("_LOUDNESS"));
        table += spreadComment(name, "program", tables.lufs);
        dicts += pythonDict(name, tables.lufs);
        dicts += pythonDict(stem + "_PEAK", tables.peaks);
        if (tablesLowEnd(name)) dicts += pythonDict(stem + "_LOW_SHARE", tables.lowShares, 3);
        if (tablesLean(name)) dicts += pythonDict(stem + "_LEAN", tables.leans);
    }
    const int drumSlot = int(phrases.size());
    CalibrationTables drums;
    drums.lufs.first = drums.peaks.first = drums.lowShares.first = drums.leans.first = firstDrumKey;
    for (int key = firstDrumKey; key <= lastDrumKey; ++key) {
        library.pattern(drumSlot) = drumPattern(key);
        measureCalibration(studio, library, drumCalibrationStyle(drumSlot), drums);
    }
    table += spreadComment("DRUM_KEY_LOUDNESS", "key", drums.lufs);
    dicts += pythonDict("DRUM_KEY_LOUDNESS", drums.lufs);
    dicts += pythonDict("DRUM_KEY_PEAK", drums.peaks);
    dicts += pythonDict("DRUM_KEY_LOW_SHARE", drums.lowShares, 3);
    dicts += pythonDict("DRUM_KEY_LEAN", drums.leans);
    table += dicts;
    std::fputs(table.c_str(), stdout);
    const std::string path = folder + "/program-loudness.py";
    std::ofstream file(path, std::ios::binary);
    file << table;
    if (file.flush()) return 0;
    std::fprintf(stderr, "%s not written\n", path.c_str());
    return 1;
}

// --- Style library ----------------------------------------------------------------------------

struct Arguments {
    std::string styles = BRIO_STYLES_FILE;
    std::string folder = BRIO_RENDER_DIR;
    std::string soundFont;  // "": the program's own choice among the installed sets
    std::vector<int> indices;
    bool calibrate = false;
    std::string levels;  // where to write the set's measured levels, "" for none
    bool recordings = false;  // each mix also as the recording of its messages (<name>.prc)
    std::string measure;      // an audio file whose loudness is only measured
};

bool parseArguments(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--styles" || arg == "--out" || arg == "--soundfont") && i + 1 < argc) {
            (arg == "--styles" ? args.styles : arg == "--out" ? args.folder : args.soundFont) = argv[++i];
        } else if (arg == "--calibrate") {
            args.calibrate = true;
        } else if (arg == "--recordings") {
            args.recordings = true;
        } else if (arg == "--measure" && i + 1 < argc) {
            args.measure = argv[++i];
        } else if (arg == "--levels" && i + 1 < argc) {
            args.levels = argv[++i];
        } else if (!arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos) {
            args.indices.push_back(std::atoi(arg.c_str()));
        } else {
            std::fprintf(stderr,
                         "usage: render-styles [--styles FILE] [--out FOLDER] [--soundfont FILE] "
                         "[--calibrate] [--levels FILE] [--recordings] [index ...] | --measure FILE\n");
            return false;
        }
    }
    return true;
}

// Renders the chosen styles (all named ones when none is chosen) and writes the summary.
int renderLibrary(Studio& studio, Arguments& args) {
    StyleLibrary library(args.styles);
    if (args.indices.empty()) {
        for (int i = 0; i < StyleLibrary::styleCount; ++i) {
            if (!library.style(i).isEmpty()) args.indices.push_back(i);
        }
    }
    if (args.indices.empty()) {
        std::fprintf(stderr, "no named style in %s\n", args.styles.c_str());
        return 1;
    }
    int failures = 0;
    std::vector<StyleFigures> table;
    for (const int index : args.indices) {
        if (!StyleLibrary::validStyle(index) || library.style(index).isEmpty()) continue;
        if (!renderStyle(studio, library, index, args.folder, table)) ++failures;
    }
    const Timer timer(studio.timings.files);
    const std::string summary = args.folder + "/summary";
    const ClosestPair closest = closestGrooves(library);
    if (!writeSummaryMarkdown(summary + ".md", table, closest) ||
        !writeSummaryCsv(summary + ".csv", table)) {
        std::printf("%s.md or .csv not written\n", summary.c_str());
        ++failures;
    }
    std::printf("Summary: %s.md, %s.csv\n", summary.c_str(), summary.c_str());
    return failures == 0 ? 0 : 1;
}

void printTimings(const Timings& timings, double totalSeconds) {
    std::printf(
        "Took %.1f s: synthesis %.1f s, loudness %.1f s, spectrograms %.1f s, files "
        "%.1f s\n",
        totalSeconds, timings.synthesis, timings.loudness, timings.spectrograms, timings.files);
}

// Measures the levels of the SoundFont at `soundFont` and writes them to `path` (for the
// program's shipped levels).
int writeLevels(const std::string& soundFont, const std::string& path) {
    const auto started = std::chrono::steady_clock::now();
    const std::atomic<bool> never{false};
    std::optional<SoundFontLevels> levels = measureSoundFont(soundFont, never);
    const std::optional<uint64_t> fingerprint = fileFingerprint(soundFont);
    if (!levels || !fingerprint) {
        std::fprintf(stderr, "%s could not be measured\n", soundFont.c_str());
        return 1;
    }
    levels->fingerprint = *fingerprint;
    std::ofstream file(path, std::ios::binary);
    file << levels->toText();
    std::printf("%s: levels measured in %.1f s, written to %s\n", soundFont.c_str(),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), path.c_str());
    return file.flush() ? 0 : 1;
}

// Waits for the set's level correction and says what it is.
void reportCorrection(BuiltInSynth& synth) {
    if (!synth.waitUntilLevelled()) {
        std::printf("%s: no level correction (the reference levels are missing)\n", synth.soundFont().c_str());
        return;
    }
    const LevelCorrection c = synth.levelCorrection();
    const auto [low, high] = std::minmax_element(c.programDb.begin(), c.programDb.end());
    std::printf("%s: gain %+.1f dB, programs %+.1f..%+.1f dB, drum kit %+.1f dB\n", synth.soundFont().c_str(),
                c.masterDb, *low, *high, c.kitDb);
}

int run(int argc, char** argv) {
    Arguments args;
    if (!parseArguments(argc, argv, args)) return 2;
    if (!args.measure.empty()) return measureFile(args.measure);
    recordingsWanted = args.recordings;
    std::error_code error;
    std::filesystem::create_directories(args.folder, error);
    if (!args.levels.empty()) {
        return writeLevels(args.soundFont.empty() ? BuiltInSynth::defaultSoundFonts().front() : args.soundFont,
                           args.levels);
    }
    const auto started = std::chrono::steady_clock::now();
    Studio studio(args.soundFont.empty() ? BuiltInSynth::defaultSoundFonts()
                                         : std::vector<std::string>{args.soundFont});
    if (!studio.synth.openOffline()) {
        std::fprintf(stderr, "the built-in synthesizer has no SoundFont%s%s\n", args.soundFont.empty() ? "" : ": ",
                     args.soundFont.c_str());
        return 1;
    }
    reportCorrection(studio.synth);
    MidiOut::installBackend(&studio.backend);
    MidiOut::open(0);
    const int status =
        args.calibrate ? calibrate(studio, args.folder) : renderLibrary(studio, args);
    MidiOut::installBackend(nullptr);
    printTimings(studio.timings,
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    return status;
}

}  // namespace
}  // namespace brio

int main(int argc, char** argv) {
    return brio::run(argc, argv);
}
