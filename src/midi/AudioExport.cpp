#include "midi/AudioExport.h"

#include <algorithm>
#include <cctype>

#include "foundation/TextUtils.h"

namespace brio {

namespace {

AudioRenderer* installedRenderer = nullptr;

}  // namespace

std::optional<AudioFormat> audioFormatOf(const std::string& path) {
    const size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return std::nullopt;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == "wav") return AudioFormat::wav;
    if (extension == "flac") return AudioFormat::flac;
    if (extension == "ogg") return AudioFormat::ogg;
    return std::nullopt;
}

std::string audioRenderRefusal(const std::vector<MidiEvent>& events) {
    if (events.empty()) return "The recording is empty: there is nothing to make an audio file of.";
    const auto [first, last] = std::minmax_element(
        events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) { return a.time < b.time; });
    const uint32_t lengthMs = last->time - first->time;
    if (lengthMs <= longestAudioRenderMs) return "";
    return "The recording lasts " + formatInt(int32_t(lengthMs / 3600000u)) +
           " hours; audio files are made of recordings up to 6 hours long.";
}

void installAudioRenderer(AudioRenderer* renderer) { installedRenderer = renderer; }
AudioRenderer* audioRenderer() { return installedRenderer; }

}  // namespace brio
