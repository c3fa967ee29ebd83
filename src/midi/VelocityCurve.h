#pragma once

#include <cstdint>

namespace brio {

// How the velocity of a MIDI keyboard's notes reaches the tones: as played, lifted for a
// keyboard that plays too softly, lowered for one that plays too loud, or always 100.
enum class VelocityCurve : int32_t { linear = 0, soft = 1, hard = 2, fixed = 3 };
inline constexpr int velocityCurveCount = 4;

// The velocity a note-on of `velocity` (1..127) plays at, 1..127; 0 (a note-off) stays 0.
int applyVelocityCurve(VelocityCurve curve, int velocity);
// The name the Options page shows: "Linear", "Soft", "Hard", "Fixed 100".
const char* velocityCurveName(VelocityCurve curve);

}  // namespace brio
