#pragma once

#include <string>

namespace brio {

// `brioletta --render RECORDING AUDIOFILE`: renders the recording (a .prc or Standard MIDI
// File) through the built-in synthesizer to the audio file, with the SoundFont the program
// would play (BRIOLETTA_SOUNDFONT, else the options' choice, else the best installed). Needs no
// display. Returns 0, or 1 after one line on standard error.
int renderFromCommandLine(const std::string& recordingPath, const std::string& audioPath);

}  // namespace brio
