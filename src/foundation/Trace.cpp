#include "foundation/Trace.h"

#include <cstdio>

namespace brio {

namespace {
bool enabled = false;
uint64_t origin = 0;
}  // namespace

void enableTrace(uint64_t originUs) {
    enabled = true;
    origin = originUs;
}

bool traceEnabled() { return enabled; }

void traceAt(const char* what, uint64_t nowUs) {
    if (!enabled) return;
    std::fprintf(stderr, "Brioletta: %s after %llu ms\n", what,
                 static_cast<unsigned long long>((nowUs - origin) / 1000u));
}

}  // namespace brio
