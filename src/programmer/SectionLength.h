#pragma once

#include <cstdint>

#include "accompaniment/Section.h"

namespace brio {

class BaseStyle;
class StyleLibrary;

// The bars section `section` of `style` lasts: the whole bars that cover its longest pattern
// (a bar being `beats`, else 4, beats of `stepsPerBeat` steps), within 1..mostBars(section);
// 0 when every part rests in it.
int32_t coveringBars(const BaseStyle& style, Section section, const StyleLibrary& library);

}  // namespace brio
