#include "GrooveAgreement.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

#include "accompaniment/SectionPlayer.h"
#include "accompaniment/StyleLibrary.h"

namespace brio {

namespace {

// Drums heard as one voice; any other key is its own.
int drumVoice(int key) {
    switch (key) {
        case 35: case 36: return -1;                      // kicks
        case 37: case 38: case 39: case 40: return -2;    // the backbeat
        case 42: case 44: case 46: case 51: case 53: case 54: case 69: case 70: case 82:
            return -3;                                    // time keepers
        default: return key;
    }
}

// The drum voices and bass keys struck on each step of the drum phrase.
using Step = std::pair<std::set<int>, std::set<int>>;

struct Groove {
    std::string name;
    int barSteps = 0;
    int stepsPerBeat = 0;
    std::vector<Step> steps;
};

bool hasParts(const BaseStyle& style) {
    for (int part = 1; part < BaseStyle::partCount; ++part) {
        if (style.mode[size_t(part)] != partOff) return true;
    }
    return false;
}

Groove grooveOf(const StyleLibrary& library, const BaseStyle& style) {
    Groove groove{style.name, beatsInBar(library, style) * style.stepsPerBeat, style.stepsPerBeat, {}};
    const ArpeggioStyle& drums = library.pattern(style.arp[0]);
    groove.steps.resize(size_t(drums.playingLength()));
    for (int i = 0; i < drums.notes.count(); ++i) {
        const auto& note = drums.notes.getConst(i);
        if (note.pos >= 0 && size_t(note.pos) < groove.steps.size()) groove.steps[size_t(note.pos)].first.insert(drumVoice(note.key));
    }
    if (style.mode[1] == partOff || !StyleLibrary::validPattern(style.arp[1])) return groove;
    const ArpeggioStyle& bass = library.pattern(style.arp[1]);
    const int length = bass.playingLength();
    for (int start = 0; size_t(start) < groove.steps.size(); start += length) {
        for (int i = 0; i < bass.notes.count(); ++i) {
            const auto& note = bass.notes.getConst(i);
            const size_t at = size_t(start + note.pos);
            if (note.pos >= 0 && at < groove.steps.size()) groove.steps[at].second.insert(note.key);
        }
    }
    return groove;
}

double agreement(const Groove& a, const Groove& b) {
    const size_t length = std::lcm(a.steps.size(), b.steps.size());
    size_t played = 0;
    size_t same = 0;
    for (size_t pos = 0; pos < length; ++pos) {
        const Step& x = a.steps[pos % a.steps.size()];
        const Step& y = b.steps[pos % b.steps.size()];
        if (x.first.empty() && x.second.empty() && y.first.empty() && y.second.empty()) continue;
        ++played;
        same += x == y ? 1 : 0;
    }
    return played ? double(same) / double(played) : 0.0;
}

}  // namespace

ClosestPair closestGrooves(const StyleLibrary& library) {
    std::vector<Groove> grooves;
    for (int i = 0; i < StyleLibrary::styleCount; ++i) {
        const BaseStyle& style = library.style(i);
        if (style.isEmpty() || !hasParts(style) || !StyleLibrary::validPattern(style.arp[0])) continue;
        grooves.push_back(grooveOf(library, style));
        if (grooves.back().steps.empty()) grooves.pop_back();
    }
    ClosestPair closest;
    for (size_t i = 0; i < grooves.size(); ++i) {
        for (size_t j = i + 1; j < grooves.size(); ++j) {
            const Groove& a = grooves[i];
            const Groove& b = grooves[j];
            if (a.barSteps != b.barSteps || a.stepsPerBeat != b.stepsPerBeat) continue;
            const double share = agreement(a, b);
            if (share > closest.agreement) closest = {a.name, b.name, share};
        }
    }
    return closest;
}

}  // namespace brio
