#include "midi/MidiInputQueue.h"

#include <bit>
#include <utility>

namespace brio {

// A bounded ring whose cells carry a sequence number: a cell is free for the push of position
// p when its sequence is p, and holds that push's message once its sequence is p + 1.
MidiInputQueue::MidiInputQueue(size_t capacity)
    : cells(std::make_unique<Cell[]>(std::bit_ceil(std::max<size_t>(capacity, 2)))),
      mask(std::bit_ceil(std::max<size_t>(capacity, 2)) - 1) {
    for (size_t i = 0; i <= mask; ++i) cells[i].sequence.store(i, std::memory_order_relaxed);
}

void MidiInputQueue::setWaker(std::function<void()> wake) { waker = std::move(wake); }

bool MidiInputQueue::push(uint32_t packed) {
    size_t position = tail.load(std::memory_order_relaxed);
    Cell* cell = nullptr;
    for (;;) {
        cell = &cells[position & mask];
        const size_t sequence = cell->sequence.load(std::memory_order_acquire);
        const auto lead = static_cast<std::ptrdiff_t>(sequence - position);
        if (lead == 0) {
            if (tail.compare_exchange_weak(position, position + 1, std::memory_order_relaxed)) break;
        } else if (lead < 0) {
            droppedCount.fetch_add(1, std::memory_order_relaxed);
            return false;  // the consumer has not freed this cell yet: full
        } else {
            position = tail.load(std::memory_order_relaxed);  // another pusher took it
        }
    }
    cell->packed = packed;
    cell->sequence.store(position + 1, std::memory_order_release);
    announce();
    return true;
}

bool MidiInputQueue::pop(uint32_t& packed) {
    const size_t position = head.load(std::memory_order_relaxed);
    Cell& cell = cells[position & mask];
    if (cell.sequence.load(std::memory_order_acquire) != position + 1) return false;
    packed = cell.packed;
    cell.sequence.store(position + mask + 1, std::memory_order_release);
    head.store(position + 1, std::memory_order_relaxed);
    return true;
}

bool MidiInputQueue::empty() const {
    const size_t position = head.load(std::memory_order_relaxed);
    return cells[position & mask].sequence.load(std::memory_order_acquire) != position + 1;
}

void MidiInputQueue::announce() {
    if (!announced.exchange(true, std::memory_order_acq_rel) && waker) waker();
}

}  // namespace brio
