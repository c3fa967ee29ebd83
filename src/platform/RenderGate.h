#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace brio {

// Whether the synthesizer renders the next audio period: not while it has nothing to say. It
// stops once no voice sounds and the output has stayed below hearing (the reverb and chorus
// tails included) for `quietFrames`; anything sent to the synthesizer opens it again for the
// very next period. The audio thread asks and reports; any thread wakes it.
class RenderGate {
public:
    static constexpr float silence = 1e-5f;  // -100 dBFS

    explicit RenderGate(int quietFrames) : quietFramesToClose(quietFrames) {}

    // Any thread, before the message reaches the synthesizer.
    void wake() {
        woken.store(true, std::memory_order_release);
        if (sleeping.load(std::memory_order_acquire)) {
            const std::lock_guard<std::mutex> hold(lock);
            woke.notify_one();
        }
    }
    // The audio thread, with the gate closed: waits up to `longest` for a wake instead of
    // handing the sound server one silent period after another. The server plays silence
    // meanwhile; the wait ends the moment something is sent.
    void sleepWhileClosed(std::chrono::milliseconds longest) {
        std::unique_lock<std::mutex> hold(lock);
        sleeping.store(true, std::memory_order_release);
        woke.wait_for(hold, longest, [this] { return woken.load(std::memory_order_acquire); });
        sleeping.store(false, std::memory_order_release);
    }
    // The audio thread, at the start of a period: render it or hand out silence.
    bool open() {
        if (woken.exchange(false, std::memory_order_acquire)) {
            rendering = true;
            quiet = 0;
        }
        return rendering;
    }
    // The audio thread, after rendering `frames` frames whose loudest sample was `peak`, with
    // `voices` still sounding. A wake during the period keeps it open.
    void rendered(int frames, int voices, float peak) {
        quiet = (voices > 0 || peak > silence) ? 0 : quiet + frames;
        if (quiet >= quietFramesToClose && !woken.load(std::memory_order_acquire)) rendering = false;
    }
    bool isRendering() const { return rendering; }

private:
    const int quietFramesToClose;
    std::atomic<bool> woken{false};
    std::atomic<bool> sleeping{false};
    std::mutex lock;
    std::condition_variable woke;
    bool rendering = true;  // audio thread only
    int quiet = 0;          // frames below silence since the last sound
};

}  // namespace brio
