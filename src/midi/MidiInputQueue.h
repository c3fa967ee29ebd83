#pragma once

#include <array>
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
// counts it): an input thread is never made to wait. What a dropped message could have ended (a
// note-off's note, a pedal-up) is remembered and handed to the consumer as a message of its own
// once everything pushed before the drop is taken, so that nothing stays held.
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

    // The consuming thread: hands at most `limit` messages to `handle`, oldest first, then the
    // note-offs and pedal-ups of dropped messages that are due. Messages left over call the
    // waker again, so they are taken on the next pass rather than at once. Called even when the
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
        LostSet lost{};
        if (takeLost(lost)) {
            for (size_t index = 0; index < lost.size() * 64; ++index) {
                if ((lost[index / 64] >> (index % 64)) & 1) handle(lostMessage(index));
            }
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
    // Per source, one bit for each note (0..127) whose note-off was dropped and one for a
    // dropped pedal-up (pedalIndex).
    static constexpr size_t pedalIndex = 128;
    static constexpr size_t wordsPerSource = 3;
    using LostSet = std::array<uint64_t, wordsPerSource * sourceCount>;

    void announce();
    void recordLoss(uint32_t packed, size_t position);
    // Takes the losses once every message pushed before them is taken; false when none is due.
    bool takeLost(LostSet& lost);
    static uint32_t lostMessage(size_t index);

    std::unique_ptr<Cell[]> cells;
    size_t mask;
    alignas(64) std::atomic<size_t> tail{0};  // next cell to push into
    alignas(64) std::atomic<size_t> head{0};  // next cell to pop from (consumer only)
    alignas(64) std::atomic<bool> announced{false};
    std::atomic<uint64_t> droppedCount{0};
    std::array<std::atomic<uint64_t>, wordsPerSource * sourceCount> lost{};
    std::atomic<size_t> lostAfter{0};  // the latest position of a drop that lost something
    std::atomic<bool> lostPending{false};
    std::function<void()> waker;
};

}  // namespace brio
