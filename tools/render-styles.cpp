// Renders every named style of the style library offline through the built-in synthesizer:
// 8 bars, the bass key C (piano key 12) for 4 bars, then F (piano key 17), into
// <out>/<index>-<name>.wav (16-bit stereo 44100 Hz), and prints level figures per render.
//
// Usage: render-styles [--styles FILE] [--out FOLDER] [style index ...]

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "WavWriter.h"
#include "accompaniment/Arpeggio.h"
#include "accompaniment/DrumMachine.h"
#include "accompaniment/Instrument.h"
#include "accompaniment/StepControl.h"
#include "accompaniment/StyleLibrary.h"
#include "accompaniment/Tempo.h"
#include "foundation/Clock.h"
#include "midi/MidiBackend.h"
#include "midi/MidiOut.h"
#include "platform/BuiltInSynth.h"

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
constexpr std::array<double, 5> partPan{0.5, 0.38, 0.9, 0.17, 0.75};

// Forwards every message of the MIDI layer to the synthesizer and counts the note-ons.
class SynthBackend : public MidiBackend {
public:
    explicit SynthBackend(BuiltInSynth& synth) : synth(synth) {}

    std::vector<std::string> deviceNames() override { return {"Built-in offline"}; }
    bool open(int) override { return true; }
    void send(uint32_t packed) override {
        const uint32_t status = packed & 0xF0;
        const uint32_t velocity = (packed >> 16) & 0x7F;
        if (status == 0x90 && velocity > 0) ++noteOns[packed & 0x0F];
        synth.send(packed);
    }
    void reset() override { synth.reset(); }
    void close() override {}

    std::array<int, channelCount> noteOns{};

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

    // Applies the style as the station does when one is selected with its tempo.
    void apply(const BaseStyle& style) {
        stepsPerBeat = style.stepsPerBeat;
        for (int i = firstPartInstrument; i <= lastAccompaniment; ++i)
            silence(instruments[size_t(i)]);
        setTempoFromBpm(style.bpm);
        shuffle = style.shuffle;
        drums.arpIdx = style.arp[0];
        for (size_t part = 1; part < BaseStyle::partCount; ++part) applyPart(style, part);
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

    void applyPart(const BaseStyle& style, size_t part) {
        Instrument& instrument = instruments[firstPartInstrument - 1 + part];
        const bool on = style.mode[part] != partOff;
        instrument.sustain = style.mode[part] == partSustained;
        MidiOut::setSustain(instrument.sustain, instrument.channel);
        instrument.active = on;
        instrument.setProgram(style.prog[part]);
        instrument.volume = on ? style.vol[part] * 0.01 : 0.0;
        instrument.pan = partPan[part];
        instrument.transpose = style.key[part];
        Arpeggio& arpeggio = *arpeggios[firstPartInstrument - 1 + part];
        arpeggio.forgetRoot();
        arpeggio.arpIdx = style.arp[part];
        arpeggio.mode = style.mode[part];
    }

    std::array<Instrument, channelCount> instruments;
    std::vector<std::unique_ptr<Arpeggio>> arpeggios;
    DrumMachine drums;
};

// 3 beats to the bar when the rhythm is a waltz (12 or 24 steps at 4 steps per beat), else 4.
int beatsPerBar(const StyleLibrary& library, const BaseStyle& style) {
    if (!StyleLibrary::validPattern(style.arp[0]) || style.stepsPerBeat != 4) return 4;
    const int length = library.pattern(style.arp[0]).playingLength();
    return (length % 12 == 0 && length % 16 != 0) ? 3 : 4;
}

std::string fileName(int index, const std::string& name) {
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
    return text + ".wav";
}

struct Levels {
    double peakDb = -200.0;
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
    double peak = 0.0;
    size_t windows = 0;
    size_t silent = 0;
    for (size_t start = 0; start + window <= musicFrames; start += window) {
        double windowSum = 0.0;
        for (size_t i = start; i < start + window; ++i) {
            const double l = left[i];
            const double r = right[i];
            peak = std::max({peak, std::fabs(l), std::fabs(r)});
            windowSum += l * l + r * r;
        }
        sum += windowSum;
        ++windows;
        if (decibels(std::sqrt(windowSum / (2.0 * window))) < -50.0) ++silent;
    }
    if (windows == 0) return levels;
    levels.peakDb = decibels(peak);
    levels.rmsDb = decibels(std::sqrt(sum / (2.0 * window * windows)));
    levels.silentShare = double(silent) / double(windows);
    return levels;
}

// Renders in blocks of 64 frames, first advancing the clock to the block's start one
// millisecond at a time and ticking the station at each.
class Renderer {
public:
    Renderer(BuiltInSynth& synth, ManualClock& clock) : synth(synth), clock(clock) {}

    // Runs until the clock reaches `untilMs`; `beforeTick` sees the clock before each tick.
    template <typename BeforeTick>
    void run(Accompaniment& station, uint32_t untilMs, BeforeTick beforeTick) {
        std::array<float, blockFrames> blockLeft{};
        std::array<float, blockFrames> blockRight{};
        while (clock.now < untilMs) {
            const uint32_t target = uint32_t(frames * 1000 / BuiltInSynth::sampleRate);
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
    ManualClock& clock;
    uint64_t frames = 0;
};

// One line per render: tempo, metre, levels of the 8 bars and note-ons of drums and parts 1..4.
void report(const std::string& name, const BaseStyle& style, int beats, const Levels& levels,
            const SynthBackend& backend) {
    std::printf("%-34s %3d bpm %d/4  peak %6.1f dBFS  rms %6.1f dBFS  quiet %3.0f%%  notes d%d",
                name.c_str(), style.bpm, beats, levels.peakDb, levels.rmsDb,
                levels.silentShare * 100.0, backend.noteOns[Instrument::drumChannel]);
    for (int i = firstPartInstrument; i < firstPartInstrument + 4; ++i) {
        std::printf(" %d", backend.noteOns[size_t(i)]);
    }
    std::printf("\n");
}

// Plays the style for 8 bars (C, then F from bar 5) and lets the notes ring out; the number of
// frames of the 8 bars.
size_t play(Accompaniment& station, Renderer& renderer, const BaseStyle& style, int beats) {
    station.apply(style);
    station.start(rootC);
    const double stepsPerBar = double(beats * std::max(style.stepsPerBeat, 1));
    // Half a step before the bar lines, so that bar 5 starts on F and bar 9 does not start.
    const double switchAt = barsPerRoot * stepsPerBar - 0.5;
    const double stopAt = 2 * barsPerRoot * stepsPerBar - 0.5;
    const uint32_t musicMs = uint32_t(2 * barsPerRoot * beats * 60000.0 / bpmFromFraction(tempo));
    bool switched = false;
    bool stopped = false;
    renderer.run(station, musicMs, [&] {
        const double position = station.clock.position;
        if (!switched && position >= switchAt) {
            station.holdRoot(rootF);
            switched = true;
        }
        if (!stopped && position >= stopAt) {
            station.stop();
            stopped = true;
        }
    });
    const size_t musicFrames = renderer.left.size();
    if (!stopped) station.stop();
    renderer.run(station, musicMs + tailMs, [] {});
    station.cutAll();
    return musicFrames;
}

bool renderStyle(StyleLibrary& library, int index, BuiltInSynth& synth, SynthBackend& backend,
                 const std::string& folder) {
    const BaseStyle& style = library.style(index);
    synth.openOffline();  // power-on state for every style
    backend.noteOns = {};
    ManualClock clock;
    installClock(&clock);
    Accompaniment station(library);
    Renderer renderer(synth, clock);
    const int beats = beatsPerBar(library, style);
    const size_t musicFrames = play(station, renderer, style, beats);
    installClock(nullptr);

    const std::string name = fileName(index, style.name);
    const bool written =
        writeWav(folder + "/" + name, renderer.left, renderer.right, BuiltInSynth::sampleRate);
    report(name, style, beats, measure(renderer.left, renderer.right, musicFrames), backend);
    if (!written) std::printf("  %s not written\n", name.c_str());
    return written;
}

struct Arguments {
    std::string styles = BRIO_STYLES_FILE;
    std::string folder = BRIO_RENDER_DIR;
    std::vector<int> indices;
};

bool parseArguments(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--styles" || arg == "--out") && i + 1 < argc) {
            (arg == "--styles" ? args.styles : args.folder) = argv[++i];
        } else if (!arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos) {
            args.indices.push_back(std::atoi(arg.c_str()));
        } else {
            std::fprintf(stderr,
                         "usage: render-styles [--styles FILE] [--out FOLDER] [index ...]\n");
            return false;
        }
    }
    return true;
}

int run(int argc, char** argv) {
    Arguments args;
    if (!parseArguments(argc, argv, args)) return 2;
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
    std::error_code error;
    std::filesystem::create_directories(args.folder, error);
    BuiltInSynth synth;
    if (!synth.openOffline()) {
        std::fprintf(stderr, "the built-in synthesizer has no SoundFont\n");
        return 1;
    }
    SynthBackend backend(synth);
    MidiOut::installBackend(&backend);
    MidiOut::open(0);
    int failures = 0;
    for (const int index : args.indices) {
        if (!StyleLibrary::validStyle(index) || library.style(index).isEmpty()) continue;
        if (!renderStyle(library, index, synth, backend, args.folder)) ++failures;
    }
    MidiOut::installBackend(nullptr);
    return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace brio

int main(int argc, char** argv) {
    return brio::run(argc, argv);
}
