#include "platform/TerminationSignals.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace brio {

namespace {

// The signal the destructor sends the waiting thread to make it return.
constexpr int stopSignal = SIGUSR2;

sigset_t waitedSignals(bool withStop) {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, signal);
    if (withStop) sigaddset(&set, stopSignal);
    return set;
}

}  // namespace

struct TerminationSignals::State {
    std::function<void(int)> onSignal;
    std::thread waiter;
};

void TerminationSignals::block() {
    const sigset_t set = waitedSignals(true);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal) : state(new State{std::move(onSignal), {}}) {
    block();
    state->waiter = std::thread([this] {
        const sigset_t set = waitedSignals(true);
        bool told = false;
        for (;;) {
            int signal = 0;
            if (sigwait(&set, &signal) != 0) continue;
            if (signal == stopSignal) return;
            // Only the first request counts; later ones find the program already ending.
            if (!told) state->onSignal(signal);
            told = true;
        }
    });
}

TerminationSignals::~TerminationSignals() {
    pthread_kill(state->waiter.native_handle(), stopSignal);
    state->waiter.join();
    delete state;
}

}  // namespace brio
