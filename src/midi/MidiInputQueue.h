#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace brio {

// Hands short MIDI messages (packed as status | data1 << 8 | data2 << 16 | source << sourceShift)
// from the input threads to the main thread without a lock: any number of threads push, one
// thread pops. A push that finds the queue empty of unannounced messages calls the waker once,
// so the main loop's wait ends at once without polling. A full queue drops the message (and
// counts it): an input thread is never made to wait.
class MidiInputQueue {
public:
    static constexpr size_t defaultCapacity = 16384;
    // Which input a message came from: the program's own port or the chosen device.
    static constexpr int sourceShift = 24;
    static constexpr uint32_t ownPort = 0;
    static constexpr uint32_t device = 1;
    static constexpr uint32_t sourceCount = 2;

    // `capacity` is rounded up to a power of two.
    explicit MidiInputQueue(size_t capacity = defaultCapacity);
    MidiInputQueue(const MidiInputQueue&) = delete;
    MidiInputQueue& operator=(const MidiInputQueue&) = delete;

    // Called (on the pushing thread) when messages wait that the consumer was not told about.
    void setWaker(std::function<void()> wake);

    // Any thread. False when the queue is full and the message was dropped.
    bool push(uint32_t packed);
    // The consuming thread only. False when the queue is empty.
    bool pop(uint32_t& packed);

    // The consuming thread: hands at most `limit` messages to `handle`, oldest first. Messages
    // left over call the waker again, so they are taken on the next pass rather than at once. Called even when the
    // queue looks empty: it takes the announcement, so the next push wakes the consumer again.
    template <typename Handler>
    size_t drain(size_t limit, Handler&& handle) {
        // An exchange, not a store: reading a pusher's announcement synchronises with it, so
        // every message it announced is seen below.
        announced.exchange(false, std::memory_order_acq_rel);
        size_t taken = 0;
        uint32_t packed = 0;
        while (taken < limit && pop(packed)) {
            handle(packed);
            ++taken;
        }
        if (!empty()) announce();
        return taken;
    }

    bool empty() const;
    size_t capacity() const { return mask + 1; }
    // Messages dropped because the queue was full, since the start.
    uint64_t dropped() const { return droppedCount.load(std::memory_order_relaxed); }

private:
    struct Cell {
        std::atomic<size_t> sequence;
        uint32_t packed;
    };

    void announce();

    std::unique_ptr<Cell[]> cells;
    size_t mask;
    alignas(64) std::atomic<size_t> tail{0};  // next cell to push into
    alignas(64) std::atomic<size_t> head{0};  // next cell to pop from (consumer only)
    alignas(64) std::atomic<bool> announced{false};
    std::atomic<uint64_t> droppedCount{0};
    std::function<void()> waker;
};

}  // namespace brio
