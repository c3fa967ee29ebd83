#include "accompaniment/BaseStyle.h"

#include <algorithm>
#include <string>

#include "accompaniment/ArpeggioStyle.h"
#include "foundation/RealFormat.h"

namespace brio {

namespace {
constexpr int32_t fullVolume = 100;
const std::array<std::string, 4> partKindNames{"", "bass", "chord", "phrase"};
constexpr std::array<const char*, sectionCount> sectionKeys{"intro", "mainA", "mainB", "fillA",
                                                            "fillB", "break", "ending"};
constexpr int32_t mostBeats = 16;
// The places of the accompaniment parts in a library that gives none.
constexpr std::array<double, BaseStyle::partCount> usualPlaces{0.5, 0.38, 0.9, 0.17, 0.75};
}  // namespace

int32_t BaseStyle::patternOf(Section section, int part) const {
    if (part < 0 || part >= partCount) return noPattern;
    if (section == Section::mainA) return arp[size_t(part)];
    const SectionParts& parts = sections[size_t(section)];
    return parts.bars > 0 ? parts.arp[size_t(part)] : noPattern;
}

SectionBars BaseStyle::sectionBars() const {
    SectionBars bars{};
    for (size_t i = 0; i < bars.size(); ++i) bars[i] = sections[i].bars;
    bars[size_t(Section::mainA)] = 1;
    return bars;
}

int32_t BaseStyle::mostBars(Section section) {
    switch (section) {
        case Section::intro:
        case Section::ending:
            return 4;
        case Section::mainA:
        case Section::mainB:
            return longestBars;
        default:
            return 1;
    }
}

const char* BaseStyle::sectionKey(Section section) { return sectionKeys[size_t(section)]; }

double BaseStyle::placeOf(int part) const {
    const size_t at = size_t(std::clamp(part, 0, partCount - 1));
    return pan[at] != unsetPan ? pan[at] : usualPlaces[at];
}

BaseStyle::BaseStyle() { vol.fill(fullVolume); }

void BaseStyle::exchange() {
    if (!writing) partProblem.clear();
    exchangeText("name", name);
    exchangeInt("bpm", bpm);
    exchangeReal("shuffle", shuffle);
    // A hand-edited count in the millions would leave steps of no time at all.
    if (exchangeInt("stepsPerBeat", stepsPerBeat))
        stepsPerBeat = std::clamp(stepsPerBeat, 1, ArpeggioStyle::editableSteps);
    for (int i = 0; i < partCount; ++i) {
        const std::string part = std::to_string(i);
        const size_t at = size_t(i);
        exchangeInt("prog" + part, prog[at]);
        exchangeInt("vol" + part, vol[at]);
        exchangeInt("key" + part, key[at]);
        exchangeInt("mode" + part, mode[at]);
        exchangeInt("arp" + part, arp[at]);
        exchangePartKind(i);
        exchangeRegister(i);
        exchangePlace(i);
    }
    if (writing) {
        if (beats > 0) exchangeInt("beats", beats);
    } else if (exchangeInt("beats", beats) && (beats < 0 || beats > mostBeats)) {
        partProblem = "the bar has " + std::to_string(beats) + " beats, not 1 to 16";
        beats = 0;
    }
    for (int s = 0; s < sectionCount; ++s) {
        if (Section(s) != Section::mainA) exchangeSection(Section(s));
    }
}

// Written only for the sections a style has, so a library without sections saves as it was
// read. A part without its key rests in the section.
void BaseStyle::exchangeSection(Section section) {
    SectionParts& parts = sections[size_t(section)];
    const std::string prefix = sectionKey(section);
    if (writing && parts.bars <= 0) return;
    if (!writing) parts = SectionParts{};
    if (!exchangeInt(prefix + "Bars", parts.bars) && !writing) return;
    for (int i = 0; i < partCount; ++i) exchangeInt(prefix + "Arp" + std::to_string(i), parts.arp[size_t(i)]);
    if (writing) return;
    const int32_t most = mostBars(section);
    if (parts.bars >= 1 && parts.bars <= most) return;
    if (partProblem.empty())
        partProblem = "the " + prefix + " lasts " + std::to_string(parts.bars) + " bars, not 1 to " + std::to_string(most);
    parts.bars = parts.bars < 1 ? 0 : most;
}

// Written only when declared, so a library without kinds saves as it was read.
void BaseStyle::exchangePartKind(int part) {
    const std::string key = "kind" + std::to_string(part);
    PartKind& value = kind[size_t(part)];
    if (writing) {
        std::string name = partKindNames[size_t(value)];
        if (value != PartKind::unset) exchangeText(key, name);
        return;
    }
    std::string text;
    if (!exchangeText(key, text)) return;
    const auto* found = std::find(partKindNames.begin() + 1, partKindNames.end(), text);
    if (found == partKindNames.end()) {
        partProblem = "part " + std::to_string(part) + " has the unknown kind \"" + text + "\"";
        return;
    }
    value = PartKind(found - partKindNames.begin());
}

void BaseStyle::exchangeRegister(int part) {
    const std::string number = std::to_string(part);
    PartRegister& value = range[size_t(part)];
    if (writing) {
        if (value == PartRegister{}) return;
        exchangeInt("low" + number, value.low);
        exchangeInt("high" + number, value.high);
        return;
    }
    PartRegister read;
    const bool low = exchangeInt("low" + number, read.low);
    const bool high = exchangeInt("high" + number, read.high);
    if (!low && !high) return;
    // At least an octave within MIDI, so every pitch class has a place in it.
    if (!low || !high || read.low < 0 || read.high > 127 || read.high - read.low < 11) {
        partProblem = "part " + number + " has the register " + std::to_string(read.low) + ".." +
                      std::to_string(read.high) + ", not an octave or more of MIDI notes";
        return;
    }
    value = read;
}

// The pan and the glide, written only when declared; a value out of range is ignored.
void BaseStyle::exchangePlace(int part) {
    const std::string number = std::to_string(part);
    double& place = pan[size_t(part)];
    int32_t& time = glide[size_t(part)];
    if (writing) {
        if (place != unsetPan) exchangeReal("pan" + number, place);
        if (time > 0) exchangeInt("glide" + number, time);
        return;
    }
    place = unsetPan;
    time = 0;
    double readPan = 0.0;
    if (exchangeReal("pan" + number, readPan)) {
        if (readPan >= 0.0 && readPan <= 1.0) place = readPan;
        else if (partProblem.empty()) partProblem = "part " + number + " has the pan " + formatReal(readPan) + ", not 0 to 1";
    }
    int32_t readGlide = 0;
    if (exchangeInt("glide" + number, readGlide)) {
        if (readGlide >= 0 && readGlide <= longestGlide) time = readGlide;
        else if (partProblem.empty()) partProblem = "part " + number + " has the glide " + std::to_string(readGlide) + ", not 0 to 1000";
    }
}

}  // namespace brio
