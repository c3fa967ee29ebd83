#pragma once

#include <array>
#include <cstdint>

namespace brio {

// The sections of a style: an intro, two mains, a fill into each main, a break and an ending.
enum class Section : int8_t { intro, mainA, mainB, fillA, fillB, breakBar, ending };
inline constexpr int sectionCount = int(Section::ending) + 1;

// What the section buttons and their hot keys ask for.
enum class SectionRequest : int8_t { intro, mainA, mainB, fill, breakBar, ending };
inline constexpr int sectionRequestCount = int(SectionRequest::ending) + 1;

// Bars of each section a style has, by Section; 0: the style has none (a style without
// sections has only Main A, which loops its patterns whatever its count).
using SectionBars = std::array<int32_t, sectionCount>;

}  // namespace brio
