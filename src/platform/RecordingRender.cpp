#include "platform/RecordingRender.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/AudioFileWriter.h"
#include "platform/BuiltInSynth.h"
#include "platform/SoundFontChoice.h"

namespace brio {

namespace {

constexpr int64_t blockFrames = 64;    // messages start on the synthesizer's own block boundary
constexpr int64_t longestPiece = 4096;  // frames rendered at once between two messages
constexpr int64_t framesPerMs = BuiltInSynth::sampleRate / 1000;
constexpr float audible = 1e-4f;  // -80 dBFS: the reverb's last whisper lies below it
constexpr int64_t endingQuiet = BuiltInSynth::sampleRate / 2;  // quiet after the end that ends the file
constexpr int64_t heldBackLimit = BuiltInSynth::sampleRate * 2;
constexpr uint8_t controlChange = 0xB0;
constexpr uint8_t sustainPedal = 64;
constexpr uint8_t allNotesOff = 123;

uint32_t packed(const MidiEvent& e) { return uint32_t(e.status) | uint32_t(e.data1) << 8 | uint32_t(e.data2) << 16; }

// The frames written so far, and the quiet ones held back: the quiet at the very end is cut.
class TrimmedOutput {
public:
    explicit TrimmedOutput(AudioFileWriter& file) : file(file) { heldBack.reserve(size_t(heldBackLimit) * 2 + 8192); }
    bool add(const float* left, const float* right, int frames) {
        bool sounds = false;
        const size_t at = heldBack.size();
        heldBack.resize(at + size_t(frames) * 2);
        float* out = heldBack.data() + at;
        for (int i = 0; i < frames; ++i) {
            out[2 * i] = left[i];
            out[2 * i + 1] = right[i];
            sounds = sounds || std::fabs(left[i]) >= audible || std::fabs(right[i]) >= audible;
        }
        // Quiet within the piece is kept: it is flushed with the next sound, or once long.
        return (sounds || int64_t(heldBack.size()) / 2 > heldBackLimit) ? flush() : file.ok();
    }
    bool flush() {
        const int64_t frames = int64_t(heldBack.size() / 2);
        written += frames;
        const bool ok = file.write(heldBack.data(), frames);
        heldBack.clear();
        return ok;
    }
    // Frames since the last one that sounded.
    int64_t quietFrames() const { return int64_t(heldBack.size() / 2); }
    int64_t written = 0;

private:
    AudioFileWriter& file;
    std::vector<float> heldBack;
};

std::vector<std::string> soundFontsFor(const AudioRenderJob& job) {
    std::vector<std::string> sets = BuiltInSynth::defaultSoundFonts();
    if (!job.soundFont.empty()) sets.insert(sets.begin(), job.soundFont);
    return sets;
}

RenderOutcome failed(std::string why) { return RenderOutcome{AudioRenderer::State::failed, std::move(why), 0}; }

std::string fileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

}  // namespace

RenderOutcome renderRecording(const AudioRenderJob& job, RenderControl& control) {
    if (const std::string refusal = audioRenderRefusal(job.events); !refusal.empty()) return failed(refusal);
    std::vector<MidiEvent> events = job.events;
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) { return a.time < b.time; });
    // The file first: a folder that cannot take it fails before the SoundFont is loaded.
    AudioFileWriter file(job.path, job.format);
    if (!file.ok()) {
        const size_t slash = job.path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : job.path.substr(0, std::max<size_t>(slash, 1));
        return failed("The audio file " + fileName(job.path) + " cannot be made in " + folder + ".");
    }
    BuiltInSynth synth(soundFontsFor(job), {});
    if (!synth.openOffline()) return failed("The recording cannot be rendered: " + synth.failure() + ".");

    const uint32_t start = events.front().time;
    const int64_t musicFrames = int64_t(events.back().time - start) * framesPerMs;
    const int64_t lastFrame = musicFrames + int64_t(longestTailMs) * framesPerMs;
    TrimmedOutput output(file);
    std::vector<float> left(longestPiece), right(longestPiece);
    size_t next = 0;
    bool released = false;
    for (int64_t frame = 0; frame < lastFrame;) {
        if (control.cancel) return RenderOutcome{AudioRenderer::State::cancelled, "", 0};
        for (; next < events.size() && int64_t(events[next].time - start) * framesPerMs <= frame; ++next)
            synth.send(packed(events[next]));
        if (next == events.size() && !released) {  // as a recording stops: pedals up, every note let go
            for (uint32_t channel = 0; channel < 16; ++channel) {
                synth.send((controlChange | channel) | uint32_t(sustainPedal) << 8);
                synth.send((controlChange | channel) | uint32_t(allNotesOff) << 8);
            }
            released = true;
        } else if (released && output.quietFrames() >= endingQuiet) {
            break;  // the last release and the reverb have died away
        }
        // Up to the block the next message starts on, as a render block by block would play it.
        int64_t end = frame + longestPiece;
        if (next < events.size()) {
            const int64_t due = int64_t(events[next].time - start) * framesPerMs;
            end = std::min(end, (due + blockFrames - 1) / blockFrames * blockFrames);
        }
        const int piece = int(std::max(end - frame, blockFrames));
        synth.render(left.data(), right.data(), piece);
        if (!output.add(left.data(), right.data(), piece)) break;
        frame += piece;
        control.progress = std::min(1.0, double(frame) / double(std::max<int64_t>(musicFrames, 1)));
    }
    if (!file.ok() || !file.finish())
        return failed("The audio file " + fileName(job.path) + " could not be written completely (is the disk full?).");
    control.progress = 1.0;
    return RenderOutcome{AudioRenderer::State::done, "", output.written};
}

RecordingRenderer::~RecordingRenderer() {
    control.cancel = true;
    if (worker.joinable()) worker.join();
}

bool RecordingRenderer::start(AudioRenderJob job) {
    if (current == State::running) return false;
    if (worker.joinable()) worker.join();
    control.progress = 0.0;
    control.cancel = false;
    current = State::running;
    worker = std::thread([this, job = std::move(job)] {
        const RenderOutcome outcome = renderRecording(job, control);
        {
            const std::lock_guard<std::mutex> hold(lock);
            lastFailure = outcome.failure;
        }
        current = outcome.end;
    });
    return true;
}

std::string RecordingRenderer::failure() const {
    const std::lock_guard<std::mutex> hold(lock);
    return current == State::failed ? lastFailure : std::string();
}

}  // namespace brio
