#include "accompaniment/BaseStyle.h"

#include <algorithm>
#include <string>

#include "accompaniment/ArpeggioStyle.h"

namespace brio {

namespace {
constexpr int32_t fullVolume = 100;
const std::array<std::string, 4> partKindNames{"", "bass", "chord", "phrase"};
}  // namespace

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
    }
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

}  // namespace brio
