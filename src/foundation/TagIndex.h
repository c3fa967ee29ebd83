#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/Text.h"

namespace brio {

// Where a section's lines sit in a document: its content is the lines strictly between
// openLine and closeLine.
struct SectionBounds {
    int openLine = 0;
    int closeLine = 0;
};

// Positions of the lines that contain '<'. Only such lines can hold a section tag, so a section
// search may skip every other line; a document of many sections then costs a walk over its tag
// lines per section instead of a walk over all of its lines.
class TagIndex {
public:
    // Indexes `lines` (one memchr per line).
    void build(const Text_& lines);
    void clear();
    // True when the index was built for a list of this many lines.
    bool covers(const Text_& lines) const { return indexedCount == lines.count(); }
    const std::vector<int>& positions() const { return tagLines; }

private:
    std::vector<int> tagLines;
    int indexedCount = -1;
};

// Finds section `name` by its tags, as substrings anywhere in a line: the section closed by the
// first line holding "</name>" at or after a line holding "<name>", opened by the last such
// open-tag line up to it. Reads every line.
std::optional<SectionBounds> findSection(const Text_& lines, const std::string& name);

// The same search over the indexed lines only, with the same result; falls back to reading
// every line when the index does not cover `lines`.
std::optional<SectionBounds> findSection(const Text_& lines, const TagIndex& index,
                                         const std::string& name);

}  // namespace brio
