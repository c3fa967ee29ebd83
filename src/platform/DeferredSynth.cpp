#include "platform/DeferredSynth.h"

namespace brio {

DeferredSynth::DeferredSynth(SynthEngine& engine, std::function<void(bool)> settled)
    : engine(engine), settled(std::move(settled)) {}

DeferredSynth::~DeferredSynth() { waitUntilSettled(); }

void DeferredSynth::waitUntilSettled() {
    if (starter.joinable()) starter.join();
}

bool DeferredSynth::open() {
    std::unique_lock guard(lock);
    wanted = true;
    switch (state()) {
        case State::ready:
            // Reopened in place: quick, since everything is loaded and sounding already.
            if (!engine.open()) current.store(State::failed, std::memory_order_release);
            return true;
        case State::starting:
            return true;  // the running start serves this open too
        case State::closed:
        case State::failed:
            break;
    }
    startThread(guard);
    return true;
}

void DeferredSynth::restart() {
    std::unique_lock guard(lock);
    if (!wanted) return;
    if (state() == State::starting) {
        again = true;
        return;
    }
    startThread(guard);
}

void DeferredSynth::startThread(std::unique_lock<std::mutex>& guard) {
    pending.clear();
    again = false;
    current.store(State::starting, std::memory_order_release);
    guard.unlock();
    waitUntilSettled();  // an earlier start has ended already (the state says so)
    starter = std::thread([this] { run(); });
}

void DeferredSynth::run() {
    bool started = engine.open();
    {
        std::unique_lock guard(lock);
        while (again && wanted) {
            again = false;
            guard.unlock();
            started = engine.open();
            guard.lock();
        }
        if (!wanted) {
            // Closed while starting: nothing of what was sent is wanted any more.
            if (started) engine.close();
            pending.clear();
            current.store(State::closed, std::memory_order_release);
        } else if (!started) {
            pending.clear();
            current.store(State::failed, std::memory_order_release);
        } else {
            for (const uint32_t packed : pending) deliver(packed);
            pending.clear();
            current.store(State::ready, std::memory_order_release);
        }
    }
    if (settled) settled(started);
}

void DeferredSynth::deliver(uint32_t packed) {
    if (packed == resetMarker) engine.reset();
    else engine.send(packed);
}

void DeferredSynth::send(uint32_t packed) {
    if (state() == State::ready) {
        engine.send(packed);
        return;
    }
    std::lock_guard guard(lock);
    if (state() == State::ready) engine.send(packed);
    else if (state() == State::starting && wanted) pending.push_back(packed);
}

void DeferredSynth::reset() {
    if (state() == State::ready) {
        engine.reset();
        return;
    }
    std::lock_guard guard(lock);
    if (state() == State::ready) engine.reset();
    else if (state() == State::starting && wanted) pending.push_back(resetMarker);
}

void DeferredSynth::close() {
    std::lock_guard guard(lock);
    wanted = false;
    if (state() == State::ready) {
        engine.close();
        current.store(State::closed, std::memory_order_release);
    }
    pending.clear();
}

}  // namespace brio
