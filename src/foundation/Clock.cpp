#include "foundation/Clock.h"

namespace brio {

namespace {
ManualClock defaultClock;
Clock* installed = &defaultClock;
}  // namespace

Clock& systemClock() { return *installed; }

void installClock(Clock* clock) { installed = clock ? clock : &defaultClock; }

}  // namespace brio
