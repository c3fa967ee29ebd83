#pragma once

#include <functional>

namespace brio {

// SIGTERM, SIGINT and SIGHUP (logout, Ctrl+C in a terminal) end the program in order, as
// closing the window does. The signals are blocked in every thread (so they must be blocked
// before any thread starts) and taken by one thread with sigwait, which calls `onSignal` once,
// outside any signal handler: the main thread finishes what it is doing (a save completes)
// and then ends the loop. Child processes get the default mask back (ProcessLauncher).
class TerminationSignals {
public:
    // Blocks the three signals in the calling thread and in every thread it starts later.
    static void block();
    // Starts the waiting thread; `onSignal` runs on it.
    explicit TerminationSignals(std::function<void(int)> onSignal);
    // Stops the waiting thread: no call of `onSignal` is running or follows.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    struct State;
    State* state;
};

}  // namespace brio
