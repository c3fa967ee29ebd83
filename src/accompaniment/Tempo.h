#pragma once

#include <cstdint>
#include <string>

namespace brio {

// Process-wide timing of the accompaniment, shared by the step clock and the instruments.
inline double tempo = 0.5;         // tempo fraction 0..1; bpm = 20 + 200 x fraction
inline double shuffle = 0.0;       // 0 straight .. 1 full triplet swing
inline int32_t stepsPerBeat = 4;   // taken as 1 when below 1

// Beats per minute of a tempo fraction, the fraction first clamped to 0..1 (20..220 bpm).
double bpmFromFraction(double fraction);
// The fraction of an integer bpm, clamped to 0..1.
double fractionFromBpm(int bpm);
// Length of one step in milliseconds at the current tempo: trunc(60000 / bpm / stepsPerBeat).
int stepLengthMs();
// The tempo as shown: trunc(bpm + 0.5) followed by " BPM".
std::string tempoText();

}  // namespace brio
