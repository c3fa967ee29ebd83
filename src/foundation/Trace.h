#pragma once

#include <cstdint>

namespace brio {

// A few lines on standard error about the program's own timing, for measurements; off unless
// the platform switches them on (BRIOLETTA_TRACE=1).
void enableTrace(uint64_t originUs);
bool traceEnabled();
// Writes "Brioletta: <what> after <ms> ms" (milliseconds since the origin, at `nowUs`).
void traceAt(const char* what, uint64_t nowUs);

}  // namespace brio
