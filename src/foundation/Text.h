#pragma once

#include <cstddef>
#include <string>

#include "foundation/Llist.h"

namespace brio {

// A list of 8-bit text lines with whole-file reading and writing.
class Text_ : public Llist<std::string> {
public:
    using Llist<std::string>::Llist;

    // The longest line read: a longer one refuses the whole file, so that no single line of
    // a damaged or hostile file can take more memory than any real document needs.
    static constexpr size_t maxLineBytes = size_t(1) << 20;
    // The most lines read: twice the lines of a full recorder's file, the longest document the
    // program writes. A file of nothing but line ends would otherwise cost a string per byte.
    static constexpr size_t maxLines = 2'000'002;
    // The largest file readTextFile(path, trim) takes: twice the text file of a full recorder
    // (the largest text file the program writes; the recorder checks this figure against its
    // own format). Readers of smaller documents pass a limit of their own.
    static constexpr size_t defaultMaxFileBytes = 50'000'058;

    // Replaces the items by the file's lines. LF ends a line and a CR right before it is dropped;
    // an empty file gives no lines, any other gives (number of LF) + 1, so a final line end
    // yields a last empty line unless `trim` removes trailing blank lines. False, with the items
    // unchanged, when the file cannot be read, is larger than `maxBytes` (told by its size,
    // before any read), has a line longer than maxLineBytes or more than maxLines lines.
    bool readTextFile(const std::string& path, bool trim, size_t maxBytes = defaultMaxFileBytes);
    // The same from the bytes of a file already in memory (no size limit, the line limits only).
    bool setFromBytes(const std::string& content, bool trim);

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
