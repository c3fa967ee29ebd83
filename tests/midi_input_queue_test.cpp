// The hand-over from MIDI input threads to the main thread. Built on its own under
// ThreadSanitizer as well (`make sanitize`).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "midi/MidiInputQueue.h"

namespace brio {
namespace {

// A burst of 10,000 messages from two input threads while the main thread drains in batches:
// none is refused, every one arrives once, each thread's in the order sent, and the main
// thread is woken.
TEST(MidiInputQueue, ABurstFromTwoThreadsArrivesWholeAndInOrder) {
    constexpr size_t batch = 256;
    constexpr uint32_t perThread = 5000;
    MidiInputQueue queue;
    std::atomic<int> wakes{0}, refused{0};
    queue.setWaker([&wakes] { wakes.fetch_add(1, std::memory_order_relaxed); });
    auto send = [&](uint32_t source) {
        for (uint32_t i = 0; i < perThread; ++i) {
            if (!queue.push(source << 24 | i)) refused.fetch_add(1);
        }
    };
    std::thread first(send, 0u), second(send, 1u);

    std::vector<uint32_t> next(2, 0);
    uint32_t received = 0;
    bool inOrder = true;
    while (received + uint32_t(refused.load()) < 2 * perThread) {
        const size_t taken = queue.drain(batch, [&](uint32_t packed) {
            const uint32_t source = packed >> 24;
            inOrder = inOrder && source < 2 && (packed & 0xFFFFFF) == next[source];
            if (source < 2) ++next[source];
            ++received;
        });
        EXPECT_LE(taken, batch);
        if (taken == 0) std::this_thread::yield();
    }
    first.join();
    second.join();
    EXPECT_EQ(refused.load(), 0);
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(next, (std::vector<uint32_t>{perThread, perThread}));
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(queue.dropped(), 0u);
    EXPECT_GE(wakes.load(), 1);
}

// A flood beyond the capacity drops the newest messages (counted), never blocks the sender,
// and a drain takes at most its limit, announcing the rest for the next pass.
// What dropped messages of a known input could have ended (notes, the pedal) is let go last.
TEST(MidiInputQueue, AFloodIsCappedAndDrainedInBatches) {
    MidiInputQueue queue(1000);  // rounded up to 1024
    ASSERT_EQ(queue.capacity(), 1024u);
    int wakes = 0;
    queue.setWaker([&wakes] { ++wakes; });
    int accepted = 0;
    for (uint32_t i = 0; i < 100000; ++i) accepted += queue.push(i << 8 | 0xA0) ? 1 : 0;  // key pressure
    // Note-off 60 of input 1, note-on 61 at velocity 0, pedal at 63 and 64, a note-off of input 5.
    for (uint32_t lost : {0x1003C80u, 0x3D90u, 0x3F40B0u, 0x4040B0u, 0x5003C80u})
        EXPECT_FALSE(queue.push(lost));
    EXPECT_EQ(accepted, 1024);
    EXPECT_EQ(queue.dropped(), 100000u - 1024u + 5u);
    EXPECT_EQ(wakes, 1);  // one announcement until the consumer looks

    std::vector<uint32_t> taken;
    EXPECT_EQ(queue.drain(256, [&taken](uint32_t packed) { taken.push_back(packed); }), 256u);
    EXPECT_EQ(wakes, 2);  // the rest is announced again
    while (queue.drain(256, [&taken](uint32_t packed) { taken.push_back(packed); }) > 0) {
    }
    ASSERT_EQ(taken.size(), 1024u + 3u);
    for (uint32_t i = 0; i < 1024; ++i) ASSERT_EQ(taken[i], i << 8 | 0xA0);
    EXPECT_EQ(std::vector<uint32_t>(taken.begin() + 1024, taken.end()),
              (std::vector<uint32_t>{0x3D80, 0x40B0, 0x1003C80}));
    // Emptied, the ring takes messages again in every cell.
    for (uint32_t round = 0; round < 3; ++round) {
        for (uint32_t i = 0; i < 1024; ++i) ASSERT_TRUE(queue.push(i));
        uint32_t count = 0;
        queue.drain(4096, [&count](uint32_t) { ++count; });
        EXPECT_EQ(count, 1024u);
    }
}

}  // namespace
}  // namespace brio
