#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace brio {

// What the deferred start needs of a synthesizer.
class SynthEngine {
public:
    virtual ~SynthEngine() = default;
    // Loads what it needs (the first time) and starts its sound; may take a long time. Opening
    // an open engine again resets it in place.
    virtual bool open() = 0;
    virtual void send(uint32_t packed) = 0;
    virtual void reset() = 0;
    virtual void close() = 0;
};

// Opens a synthesizer on a thread of its own, so that the window never waits for a SoundFont
// or an audio server. The device counts as open at once: what is sent meanwhile is kept and
// played into the synthesizer, in order, the moment it is ready, so a key pressed then sounds
// as soon as it can and its release is never lost. A start that fails leaves the device silent.
class DeferredSynth {
public:
    enum class State { closed, starting, ready, failed };

    // `settled` runs on the starting thread when a start has ended, told whether it succeeded.
    explicit DeferredSynth(SynthEngine& engine, std::function<void(bool)> settled = {});
    // Waits for a start that is still running.
    ~DeferredSynth();
    DeferredSynth(const DeferredSynth&) = delete;
    DeferredSynth& operator=(const DeferredSynth&) = delete;

    // Starts the engine, or resets a ready one in place. Always true: the device is open.
    bool open();
    // Opens the engine again on the starting thread, as at a start (it has something new to
    // load): what is sent meanwhile is kept and played into it once it is ready. A start that
    // is running opens it once more when it ends; a closed device does nothing.
    void restart();
    void send(uint32_t packed);
    void reset();
    void close();
    State state() const { return current.load(std::memory_order_acquire); }
    // Blocks until no start is running (for tests and the end of the program).
    void waitUntilSettled();

private:
    static constexpr uint32_t resetMarker = 0xFFFFFFFFu;  // never a packed three-byte message

    void run();
    void startThread(std::unique_lock<std::mutex>& guard);
    void deliver(uint32_t packed);

    SynthEngine& engine;
    std::function<void(bool)> settled;
    std::mutex lock;
    std::vector<uint32_t> pending;  // sent while starting, in order
    bool wanted = false;            // the device is open as far as its users know
    bool again = false;             // a restart asked for while starting
    std::atomic<State> current{State::closed};
    std::thread starter;
};

}  // namespace brio
