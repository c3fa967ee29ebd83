#pragma once

#include <string>

namespace brio {

// The name of General MIDI program 0..127; empty for any other number.
std::string programName(int program);
// The long name (or two-letter abbreviation) of the family of `program` (program / 8, 0..15);
// empty for a family outside that range.
std::string familyName(int program, bool shortName);

}  // namespace brio
