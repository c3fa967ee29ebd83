#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "midi/MidiEvent.h"

namespace brio {

// The audio files a recording is rendered to: 48 kHz stereo, 16-bit WAV or FLAC, or Ogg Vorbis.
enum class AudioFormat { wav, flac, ogg };

// The format a file name asks for by its extension (any case), or none.
std::optional<AudioFormat> audioFormatOf(const std::string& path);

// The longest recording rendered: a 16-bit stereo WAV file at 48 kHz holds at most 4 GiB.
inline constexpr uint32_t longestAudioRenderMs = 6u * 60u * 60u * 1000u;

// Why a recording cannot be rendered ("" when it can): no events, or longer than the longest.
std::string audioRenderRefusal(const std::vector<MidiEvent>& events);

// One recording to render to one file, with the SoundFont to play it ("" for the one the
// built-in synthesizer would choose).
struct AudioRenderJob {
    std::vector<MidiEvent> events;
    std::string path;
    AudioFormat format = AudioFormat::wav;
    std::string soundFont;
};

// Renders recordings to audio files on a thread of its own, one at a time; the main loop only
// looks at how far it has come.
class AudioRenderer {
public:
    enum class State { idle, running, done, cancelled, failed };
    virtual ~AudioRenderer() = default;
    // Starts the job; false while another runs.
    virtual bool start(AudioRenderJob job) = 0;
    virtual State state() const = 0;
    // The share of the recording rendered, 0..1.
    virtual double progress() const = 0;
    // Asks the running job to stop; it ends as cancelled, leaving no file.
    virtual void cancel() = 0;
    // What went wrong with the last job, in words for the user ("" unless it failed).
    virtual std::string failure() const = 0;
};

// The installed renderer (the caller keeps ownership); nullptr when none is installed.
void installAudioRenderer(AudioRenderer* renderer);
AudioRenderer* audioRenderer();

}  // namespace brio
