#pragma once

#include <string>

#include "foundation/Llist.h"

namespace brio {

// A list of 8-bit text lines with whole-file reading and writing.
class Text_ : public Llist<std::string> {
public:
    using Llist<std::string>::Llist;

    // Replaces the items by the file's lines. LF ends a line and a CR right before it is dropped;
    // an empty file gives no lines, any other gives (number of LF) + 1, so a final line end
    // yields a last empty line unless `trim` removes trailing blank lines. Lines of any length
    // are read whole. False, with the items unchanged, when the file cannot be read.
    bool readTextFile(const std::string& path, bool trim);
    // The same from the bytes of a file already in memory.
    void setFromBytes(const std::string& content, bool trim);

    // Writes every item followed by CR LF, replacing the file only when everything was written;
    // false leaves an existing file untouched.
    bool writeTextFile(const std::string& path) const;

    // Removes items from the end while the last one has no byte above 31 (bytes 128-255 count
    // as visible characters).
    void trimTrailingBlankLines();

    // Ascending, case-insensitive byte order (strcasecmp); stable for equal items.
    void sort();
};

}  // namespace brio
