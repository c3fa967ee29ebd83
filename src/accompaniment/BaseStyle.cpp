#include "accompaniment/BaseStyle.h"

#include <algorithm>
#include <string>

#include "accompaniment/ArpeggioStyle.h"

namespace brio {

namespace {
constexpr int32_t fullVolume = 100;
}  // namespace

BaseStyle::BaseStyle() { vol.fill(fullVolume); }

void BaseStyle::exchange() {
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
    }
}

}  // namespace brio
