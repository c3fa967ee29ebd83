#pragma once

#include <string>

namespace brio {

class StyleLibrary;

// The two styles of a library whose Main A drums and bass agree most: the share of the steps
// on which either plays where both strike the same drum voices (every kick one voice, every
// backbeat one, every time keeper one) and the same bass notes, over both phrases' length.
// Only styles with accompaniment parts and the same bar are compared.
struct ClosestPair {
    std::string first, second;
    double agreement = 0.0;  // 0..1; 0 without a pair
};

ClosestPair closestGrooves(const StyleLibrary& library);

}  // namespace brio
