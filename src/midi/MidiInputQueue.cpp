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
            recordLoss(packed, position);
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

namespace {

// The bit a dropped message leaves: its note for a note-off (or a note-on of velocity 0), the
// pedal's for a sustain pedal-up; -1 for a message that could not have ended anything.
int lostIndex(uint32_t packed, size_t pedalIndex) {
    const uint32_t kind = packed & 0xF0;
    const uint32_t data1 = (packed >> 8) & 0x7F;
    const uint32_t data2 = (packed >> 16) & 0x7F;
    if (kind == 0x80 || (kind == 0x90 && data2 == 0)) return int(data1);
    if (kind == 0xB0 && data1 == 64 && data2 < 64) return int(pedalIndex);
    return -1;
}

}  // namespace

// The position is raised before the bit is set and the bit before the flag: a consumer that
// sees the flag or the bit sees the position of its drop as well.
void MidiInputQueue::recordLoss(uint32_t packed, size_t position) {
    droppedCount.fetch_add(1, std::memory_order_relaxed);
    const uint32_t source = packed >> sourceShift;
    const int index = lostIndex(packed, pedalIndex);
    if (source >= sourceCount || index < 0) return;
    size_t latest = lostAfter.load(std::memory_order_relaxed);
    while (latest < position &&
           !lostAfter.compare_exchange_weak(latest, position, std::memory_order_relaxed)) {
    }
    const size_t bit = source * wordsPerSource * 64 + size_t(index);
    lost[bit / 64].fetch_or(uint64_t(1) << (bit % 64), std::memory_order_release);
    lostPending.store(true, std::memory_order_release);
    announce();  // the queue may be empty by now: the consumer comes for the releases
}

bool MidiInputQueue::takeLost(LostSet& taken) {
    if (!lostPending.load(std::memory_order_relaxed)) return false;  // the common case: no store
    if (!lostPending.exchange(false, std::memory_order_acq_rel)) return false;
    bool any = false;
    for (size_t i = 0; i < taken.size(); ++i) {
        taken[i] = lost[i].exchange(0, std::memory_order_acq_rel);
        any = any || taken[i] != 0;
    }
    if (head.load(std::memory_order_relaxed) >= lostAfter.load(std::memory_order_acquire)) return any;
    // Messages pushed before a drop still wait: they come first.
    for (size_t i = 0; i < taken.size(); ++i) lost[i].fetch_or(taken[i], std::memory_order_release);
    lostPending.store(true, std::memory_order_release);
    return false;
}

uint32_t MidiInputQueue::lostMessage(size_t index) {
    const auto source = uint32_t(index / (wordsPerSource * 64)) << sourceShift;
    const size_t bit = index % (wordsPerSource * 64);
    if (bit == pedalIndex) return 0xB0 | 64u << 8 | source;
    return 0x80 | uint32_t(bit) << 8 | source;
}

void MidiInputQueue::announce() {
    if (!announced.exchange(true, std::memory_order_acq_rel) && waker) waker();
}

}  // namespace brio
