#include "foundation/Text.h"

#include <strings.h>

#include <algorithm>
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

int countLines(const std::string& content) {
    if (content.empty()) return 0;
    return static_cast<int>(std::count(content.begin(), content.end(), '\n')) + 1;
}

}  // namespace

bool Text_::readTextFile(const std::string& path, bool trim) {
    std::string content;
    if (!readWholeFile(path, content)) return false;
    setFromBytes(content, trim);
    return true;
}

void Text_::setFromBytes(const std::string& content, bool trim) {
    // Slots for all lines are made at once: the file is split in one pass with no reallocation.
    int lineCount = countLines(content);
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
