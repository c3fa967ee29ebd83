#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "accompaniment/Section.h"
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
// the rhythm, parts 1..4 the accompaniment on instruments 4..7) and its default tempo. The
// patterns of arp0..arp4 are Main A; a style may add an intro, Main B, a fill into each main, a
// break and an ending, each with its own pattern for every part.
class BaseStyle : public TextStream {
public:
    static constexpr int partCount = 5;
    static constexpr int32_t noPattern = -1;  // the part rests in the section
    static constexpr int32_t longestBars = 16;
    static constexpr double unsetPan = -1.0;
    static constexpr int32_t longestGlide = 1000;

    // A section's bars and its parts' patterns; bars 0: the style has no such section.
    struct SectionParts {
        int32_t bars = 0;
        std::array<int32_t, partCount> arp{noPattern, noPattern, noPattern, noPattern, noPattern};
    };

    BaseStyle();

    bool isEmpty() const { return name.empty(); }
    // The pattern part `part` plays in `section` (noPattern: it rests there).
    int32_t patternOf(Section section, int part) const;
    // Bars of every section the style has; Main A always has one.
    SectionBars sectionBars() const;
    // The bars a section may last: an intro or an ending 1..4, a fill or a break 1, Main B any.
    static int32_t mostBars(Section section);
    // Where part 1..4 stands: its own pan, else the place the accompaniment parts always had.
    double placeOf(int part) const;
    // The key prefix of a section's lines ("intro", "mainB", "fillA", "fillB", "break", "ending").
    static const char* sectionKey(Section section);
    // Drops a section (what a library that names a pattern it does not hold gets).
    void dropSection(Section section) { sections[size_t(section)] = SectionParts{}; }

    // "name", "bpm", "shuffle", "stepsPerBeat", "beats", then prog, vol, key, mode, arp of each
    // part, then each section the style has: "<section>Bars" and "<section>Arp0".."<section>Arp4".
    void exchange() override;

    std::string name;
    int32_t bpm = 120;
    double shuffle = 0.0;       // 0..1
    int32_t stepsPerBeat = 4;   // 1..ArpeggioStyle::editableSteps once loaded
    std::array<int32_t, partCount> prog{};  // General MIDI program 0..127
    std::array<int32_t, partCount> vol{};   // percent 0..100
    std::array<int32_t, partCount> key{};   // semitones
    std::array<int32_t, partCount> mode{};  // PartMode
    std::array<int32_t, partCount> arp{};   // pattern index 0..3999
    std::array<PartKind, partCount> kind{};        // "kindN": bass, chord or phrase
    std::array<PartRegister, partCount> range{};   // "lowN", "highN"
    // "panN": where the part stands, 0 left .. 1 right; unsetPan: the part's usual place.
    std::array<double, partCount> pan{unsetPan, unsetPan, unsetPan, unsetPan, unsetPan};
    // "glideN": the portamento time in ms (up to 1000) of notes the part plays legato; 0: none.
    std::array<int32_t, partCount> glide{};
    int32_t beats = 0;  // beats in a bar, 1..16; 0: read from the rhythm pattern's length
    std::array<SectionParts, sectionCount> sections{};  // by Section; Main A's is unused
    // What the last load found wrong in the optional part keys (an unknown kind, a register
    // upside down or beyond MIDI, a pan beyond 0..1, a glide beyond 0..1000 ms) or in the sections (a count of bars out of range); the part
    // then plays as if the key were absent, the bars are bound to their range, a section of no
    // bars is left out.
    std::string partProblem;

private:
    void exchangePartKind(int part);
    void exchangeRegister(int part);
    void exchangePlace(int part);
    void exchangeSection(Section section);
};

}  // namespace brio
