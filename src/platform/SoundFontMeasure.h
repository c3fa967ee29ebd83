#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "midi/SoundFontLevels.h"

namespace brio {

// Measures how loud the SoundFont at `path` plays every General MIDI program and percussion key:
// short phrases rendered on an offline synthesizer of its own (at the built-in synthesizer's
// rate and gain, reverb and chorus included: some sets play a part mostly through them), each measured after EBU R128. Takes some seconds
// for a full set; `stop` is looked at between phrases and ends the measurement early (nullopt),
// as does a file that does not load. The fingerprint is left to the caller.
std::optional<SoundFontLevels> measureSoundFont(const std::string& path, const std::atomic<bool>& stop);

}  // namespace brio
