#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/TagIndex.h"
#include "foundation/Text.h"

namespace brio {

// Base of every object stored in the line-oriented markup: nested sections "<name>" ...
// "</name>" holding key=value lines. A derived class describes its stored state once in
// exchange(); `writing` decides whether each step writes a line or looks one up.
class TextStream {
public:
    // The whole document after loadFile/saveFile; this object's own section while its
    // exchange() runs (and for a child, after it).
    Text_ lines;
    bool writing = false;  // true while saving, false while loading

    TextStream() = default;
    TextStream(const TextStream&) = default;
    TextStream(TextStream&&) = default;
    TextStream& operator=(const TextStream&) = default;
    TextStream& operator=(TextStream&&) = default;
    virtual ~TextStream() = default;

    // Stores or loads the object's keys, then its child sections; the base stores nothing.
    virtual void exchange() {}

    // The largest document file loadFile reads; a larger one is refused unread.
    static constexpr size_t maxFileBytes = size_t(16) << 20;

    // Reads the file (an empty path uses the current lines) and loads the root section. False
    // when the file cannot be read, is larger than maxFileBytes, has a line longer than
    // Text_::maxLineBytes, is blank or does not start with exactly "<rootName>"; then neither
    // `lines` nor any value changes. A missing root close tag loads nothing but still
    // gives true.
    bool loadFile(const std::string& path, const std::string& rootName);

    // Builds the document in `lines` and writes it (an empty path only builds it). False when
    // the file cannot be written; an existing file then stays as it was.
    bool saveFile(const std::string& path, const std::string& rootName);

    // Writes or reads the nested section `name` through `child` (which may be this object). An
    // empty name writes no tags and, on reading, hands the child all of this object's lines.
    void exchangeSection(const std::string& name, TextStream& child);

    // One key each. True only when reading and the key was found; a key that is absent leaves
    // the value unchanged.
    bool exchangeBool(const std::string& key, bool& value);
    bool exchangeInt(const std::string& key, int32_t& value);
    bool exchangeReal(const std::string& key, double& value);
    bool exchangeText(const std::string& key, std::string& value);

    // Appends the text unchanged as one line, for classes that store plain lines.
    void writeLine(const std::string& text);

protected:
    // Writing: appends "key=valueText". Reading: the value text of the first line from the top
    // whose key part (before the first "=", leading bytes 0-32 removed) equals `key` exactly.
    bool exchangeValue(const std::string& key, std::string& valueText);

    // Copies the lines strictly between the tags of section `name` of `source` into `dest`
    // (which may be `source`); false, with `dest` empty, when the section is not found.
    bool extractSection(const Text_& source, const std::string& name, Text_& dest) const;

private:
    void writeSection(const std::string& name, TextStream& child);
    static void readSection(const Text_& source, const TagIndex& sourceIndex,
                            const std::string& name, TextStream& child);

    // Tag lines of `lines` while reading; unused (and not covering) otherwise.
    TagIndex tagIndex;
};

}  // namespace brio
