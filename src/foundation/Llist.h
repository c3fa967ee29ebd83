#pragma once

#include <algorithm>
#include <utility>
#include <vector>

namespace brio {

// The program's growable array. Items live in `capacity` slots of which the first `last + 1` are
// in use; appends grow the slots by `growth`. T must be default-constructible.
template <typename T>
class Llist {
public:
    static constexpr int clampPolicy = 1;  // rangePolicy: out-of-range indexes give the end items

    int last = -1;     // index of the last item; -1 when empty
    int cursor = -1;   // position of the forward iteration; set by get, append and next
    int capacity = 0;  // allocated slots, always items.size()
    int growth = 1;    // slots added when an append finds the list full; at least 1
    std::vector<T> items;
    T emptyItem{};          // given back for an index out of range
    int rangePolicy = 0;    // 0: out of range gives emptyItem; clampPolicy: first or last item
    bool keepOrder = true;  // removal shifts later items down (true) or moves the last one in

    explicit Llist(int initialCapacity = 0, int growthStep = 1, bool keepItemOrder = true)
        : growth(std::max(growthStep, 1)), keepOrder(keepItemOrder) {
        resize(initialCapacity, false);
    }

    // Copies keep all items and settings; the copy's iteration starts afresh (cursor -1).
    Llist(const Llist& other)
        : last(other.last),
          capacity(other.capacity),
          growth(other.growth),
          items(other.items),
          emptyItem(other.emptyItem),
          rangePolicy(other.rangePolicy),
          keepOrder(other.keepOrder) {}

    Llist(Llist&& other) noexcept
        : last(other.last),
          capacity(other.capacity),
          growth(other.growth),
          items(std::move(other.items)),
          emptyItem(std::move(other.emptyItem)),
          rangePolicy(other.rangePolicy),
          keepOrder(other.keepOrder) {
        other.items.clear();
        other.capacity = 0;
        other.last = -1;
        other.cursor = -1;
    }

    Llist& operator=(const Llist& other) {
        if (this != &other) {
            Llist copy(other);
            *this = std::move(copy);
        }
        return *this;
    }

    Llist& operator=(Llist&& other) noexcept {
        if (this != &other) {
            last = other.last;
            cursor = -1;
            capacity = other.capacity;
            growth = other.growth;
            items = std::move(other.items);
            emptyItem = std::move(other.emptyItem);
            rangePolicy = other.rangePolicy;
            keepOrder = other.keepOrder;
            other.items.clear();
            other.capacity = 0;
            other.last = -1;
            other.cursor = -1;
        }
        return *this;
    }

    virtual ~Llist() = default;

    // Adds the item at the end, growing by `growth` slots when full; the cursor moves to it.
    virtual void append(T item) {
        if (count() == capacity) resize(capacity + growth, true);
        ++last;
        items[static_cast<size_t>(last)] = std::move(item);
        cursor = last;
    }

    // Removes the item at index (-1: at the cursor); an index out of range does nothing.
    virtual void removeAt(int index) {
        if (index == -1) index = cursor;
        if (index < 0 || index > last) return;
        if (last == 0) {
            resize(0, false);
            return;
        }
        if (keepOrder) {
            std::move(items.begin() + index + 1, items.begin() + last + 1, items.begin() + index);
        } else if (index != last) {
            items[static_cast<size_t>(index)] = std::move(items[static_cast<size_t>(last)]);
        }
        items[static_cast<size_t>(last)] = T{};
        --last;
        if (count() < capacity - growth) resize(count(), true);
    }

    // The item at index; the cursor moves there. Out of range: emptyItem, or with clampPolicy
    // the first item (index < 0) or the last one (index > last); the cursor stays.
    T& get(int index) {
        if (index >= 0 && index <= last) {
            cursor = index;
            return items[static_cast<size_t>(index)];
        }
        return outOfRange(index);
    }

    // Read-only access with the same range rules as get; the cursor does not move.
    const T& getConst(int index) const {
        if (index >= 0 && index <= last) return items[static_cast<size_t>(index)];
        if (rangePolicy == clampPolicy && last >= 0) {
            return items[static_cast<size_t>(index < 0 ? 0 : last)];
        }
        return emptyItem;
    }

    // Sets the slot count. 0 frees everything; otherwise the first items are kept when `keep`
    // is set (else the slots come back empty) and last becomes min(last, newCapacity - 1).
    void resize(int newCapacity, bool keep) {
        if (newCapacity <= 0) {
            std::vector<T>().swap(items);
            capacity = 0;
            last = -1;
            return;
        }
        // Slots past `last` are always empty, so keeping is a plain resize; the vector's own
        // reserve grows geometrically, which keeps appends with a small `growth` cheap.
        if (keep) {
            items.resize(static_cast<size_t>(newCapacity));
        } else {
            items.assign(static_cast<size_t>(newCapacity), T{});
        }
        capacity = newCapacity;
        last = std::min(last, newCapacity - 1);
    }

    // Advances the cursor; false (cursor back on the last item) when it passes the end.
    // Start an iteration by setting the cursor to -1.
    bool next() {
        ++cursor;
        if (cursor > last) {
            cursor = last;
            return false;
        }
        return true;
    }

    // Appends copies of all items of `other` (which may be this list).
    void appendAll(const Llist& other) {
        int otherCount = other.count();
        for (int i = 0; i < otherCount; ++i) append(other.items[static_cast<size_t>(i)]);
    }

    int count() const { return last + 1; }
    bool empty() const { return last < 0; }
    void clear() { resize(0, false); }

    // Range-for over the live items.
    auto begin() { return items.begin(); }
    auto end() { return items.begin() + count(); }
    auto begin() const { return items.begin(); }
    auto end() const { return items.begin() + count(); }

private:
    T& outOfRange(int index) {
        if (rangePolicy == clampPolicy && last >= 0) {
            return items[static_cast<size_t>(index < 0 ? 0 : last)];
        }
        return emptyItem;
    }
};

}  // namespace brio
