#include "foundation/Text.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "foundation/FileIo.h"

namespace brio {

namespace {

// Growth of a list after reading, so that later appends do not reallocate line by line.
constexpr int growthAfterRead = 1000;
constexpr unsigned char lastControlCode = 31;

bool isBlank(const std::string& line) {
    return std::none_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) > lastControlCode; });
}

// The number of lines of `content`, or -1 when one of them (without its line end) is longer
// than Text_::maxLineBytes or there are more than Text_::maxLines.
int countLines(const std::string& content) {
    if (content.empty()) return 0;
    const char* data = content.data();
    size_t start = 0;
    size_t lines = 1;
    while (const void* found = std::memchr(data + start, '\n', content.size() - start)) {
        const size_t end = static_cast<size_t>(static_cast<const char*>(found) - data);
        const size_t carriageReturn = end > start && data[end - 1] == '\r' ? 1 : 0;
        if (end - start - carriageReturn > Text_::maxLineBytes) return -1;
        start = end + 1;
        if (++lines > Text_::maxLines) return -1;
    }
    if (content.size() - start > Text_::maxLineBytes) return -1;
    return static_cast<int>(lines);
}

}  // namespace

bool Text_::readTextFile(const std::string& path, bool trim, size_t maxBytes) {
    std::string content;
    return readWholeFile(path, content, maxBytes) && setFromBytes(content, trim);
}

bool Text_::setFromBytes(const std::string& content, bool trim) {
    // Slots for all lines are made at once: the file is split in one pass with no reallocation.
    const int lineCount = countLines(content);
    if (lineCount < 0) return false;
    resize(0, false);
    resize(lineCount, false);
    const char* data = content.data();
    size_t start = 0;
    for (int i = 0; i < lineCount; ++i) {
        const void* found = std::memchr(data + start, '\n', content.size() - start);
        size_t end =
            found ? static_cast<size_t>(static_cast<const char*>(found) - data) : content.size();
        size_t length = end - start;
        if (found && length > 0 && data[end - 1] == '\r') --length;
        items[static_cast<size_t>(i)].assign(data + start, length);
        start = end + 1;
    }
    last = lineCount - 1;
    cursor = last;
    growth = growthAfterRead;
    if (trim) trimTrailingBlankLines();
    return true;
}

bool Text_::writeTextFile(const std::string& path) const {
    size_t size = 0;
    for (const std::string& line : *this) size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : *this) {
        bytes += line;
        bytes += "\r\n";
    }
    return replaceFile(path, bytes);
}

void Text_::trimTrailingBlankLines() {
    int kept = count();
    while (kept > 0 && isBlank(items[static_cast<size_t>(kept - 1)])) --kept;
    if (kept == count()) return;
    if (kept == 0) {
        resize(0, false);
        return;
    }
    // One shrink instead of one removal per line: a file of many blank lines stays fast.
    for (int i = kept; i < count(); ++i) items[static_cast<size_t>(i)] = std::string();
    last = kept - 1;
    if (count() < capacity - growth) resize(count(), true);
}

void Text_::sort() {
    if (count() < 2) return;
    std::stable_sort(begin(), end(), [](const std::string& a, const std::string& b) {
        return ::strcasecmp(a.c_str(), b.c_str()) < 0;
    });
}

}  // namespace brio
