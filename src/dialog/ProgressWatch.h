#pragma once

#include <functional>

namespace brio {

// What a progress page watches: how far the work has come (0..1), whether it has ended, and
// how to ask it to stop.
struct ProgressWatch {
    std::function<double()> progress;
    std::function<bool()> finished;
    std::function<void()> cancel;
};

}  // namespace brio
