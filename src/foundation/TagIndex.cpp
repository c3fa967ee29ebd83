#include "foundation/TagIndex.h"

#include <cstring>

namespace brio {

namespace {

// The search over the candidate line positions, in ascending order. A line holding both tags
// opens and then closes an empty section.
template <typename Positions>
std::optional<SectionBounds> scan(const Text_& lines, const Positions& candidates,
                                  const std::string& name) {
    std::string openTag = "<" + name + ">";
    std::string closeTag = "</" + name + ">";
    std::optional<int> start;
    for (int position : candidates) {
        const std::string& line = lines.getConst(position);
        if (line.find(openTag) != std::string::npos) start = position;
        if (start && line.find(closeTag) != std::string::npos) {
            return SectionBounds{*start, position};
        }
    }
    return std::nullopt;
}

// Every line position 0..count-1, as a range for the scan.
struct AllPositions {
    struct Iterator {
        int position;
        int operator*() const { return position; }
        Iterator& operator++() {
            ++position;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return position != other.position; }
    };
    int count;
    Iterator begin() const { return {0}; }
    Iterator end() const { return {count}; }
};

}  // namespace

void TagIndex::build(const Text_& lines) {
    tagLines.clear();
    int position = 0;
    for (const std::string& line : lines) {
        if (std::memchr(line.data(), '<', line.size()) != nullptr) tagLines.push_back(position);
        ++position;
    }
    indexedCount = lines.count();
}

void TagIndex::clear() {
    tagLines.clear();
    indexedCount = -1;
}

std::optional<SectionBounds> findSection(const Text_& lines, const std::string& name) {
    return scan(lines, AllPositions{lines.count()}, name);
}

std::optional<SectionBounds> findSection(const Text_& lines, const TagIndex& index,
                                         const std::string& name) {
    if (!index.covers(lines)) return findSection(lines, name);
    return scan(lines, index.positions(), name);
}

}  // namespace brio
