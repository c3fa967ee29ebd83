#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "foundation/TextStream.h"

namespace brio {

// Playing modes of an accompaniment part.
enum PartMode : int32_t { partOff = 0, partOn = 1, partSustained = 2, partLong = 3 };

// One style: the pattern, program, volume, transposition and mode of its five parts (part 0
// the rhythm, parts 1..4 the accompaniment on instruments 4..7) and its default tempo.
class BaseStyle : public TextStream {
public:
    static constexpr int partCount = 5;

    BaseStyle();

    bool isEmpty() const { return name.empty(); }
    // "name", "bpm", "shuffle", "stepsPerBeat", then prog, vol, key, mode, arp of each part.
    void exchange() override;

    std::string name;
    int32_t bpm = 120;
    double shuffle = 0.0;       // 0..1
    int32_t stepsPerBeat = 4;   // 1..ArpeggioStyle::editableSteps once loaded
    std::array<int32_t, partCount> prog{};  // General MIDI program 0..127
    std::array<int32_t, partCount> vol{};   // percent 0..100
    std::array<int32_t, partCount> key{};   // semitones
    std::array<int32_t, partCount> mode{};  // PartMode
    std::array<int32_t, partCount> arp{};   // pattern index 0..399
};

}  // namespace brio
