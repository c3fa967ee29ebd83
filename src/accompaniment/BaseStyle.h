#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "foundation/TextStream.h"

namespace brio {

// Playing modes of an accompaniment part.
enum PartMode : int32_t { partOff = 0, partOn = 1, partSustained = 2, partLong = 3 };

// What an accompaniment part plays, declared by newer libraries: its pattern is then written
// over C major seventh and mapped on every degree, in a register of its own. Older libraries
// declare none and keep the C major mapping on the bass key.
enum class PartKind : int8_t { unset, bass, chord, phrase };

// The lowest and highest MIDI note a part sounds; 0 and 0 take its kind's default.
struct PartRegister {
    int32_t low = 0, high = 0;
    bool operator==(const PartRegister&) const = default;
};

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
    std::array<PartKind, partCount> kind{};        // "kindN": bass, chord or phrase
    std::array<PartRegister, partCount> range{};   // "lowN", "highN"
    // What the last load found wrong in the optional part keys (an unknown kind, a register
    // upside down or beyond MIDI); the part then plays as if the key were absent.
    std::string partProblem;

private:
    void exchangePartKind(int part);
    void exchangeRegister(int part);
};

}  // namespace brio
