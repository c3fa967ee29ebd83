#include "foundation/TextStream.h"

#include <utility>

#include "foundation/RealFormat.h"
#include "foundation/TextUtils.h"

namespace brio {

namespace {

constexpr unsigned char blankLimit = 32;

std::string openTag(const std::string& name) {
    return "<" + name + ">";
}
std::string closeTag(const std::string& name) {
    return "</" + name + ">";
}

// The section's lines from `source`, searched through the index when it covers `source`;
// empty when the section is not found.
Text_ sectionLines(const Text_& source, const TagIndex& index, const std::string& name) {
    Text_ section;
    std::optional<SectionBounds> bounds = findSection(source, index, name);
    if (!bounds) return section;
    section.resize(bounds->closeLine - bounds->openLine - 1, false);
    for (int i = bounds->openLine + 1; i < bounds->closeLine; ++i) {
        section.append(source.getConst(i));
    }
    return section;
}

}  // namespace

bool TextStream::loadFile(const std::string& path, const std::string& rootName) {
    Text_ document;
    if (!path.empty() && !document.readTextFile(path, true, maxFileBytes)) return false;
    const Text_& candidate = path.empty() ? lines : document;
    if (candidate.empty() || candidate.getConst(0) != openTag(rootName)) return false;
    if (path.empty()) document = std::move(lines);
    writing = false;
    // The root reads its section out of the document, which becomes `lines` again afterwards.
    TagIndex documentIndex;
    documentIndex.build(document);
    readSection(document, documentIndex, rootName, *this);
    lines = std::move(document);
    tagIndex = std::move(documentIndex);
    return true;
}

bool TextStream::saveFile(const std::string& path, const std::string& rootName) {
    writing = true;
    exchangeSection(rootName, *this);
    if (path.empty()) return true;
    return lines.writeTextFile(path);
}

void TextStream::exchangeSection(const std::string& name, TextStream& child) {
    if (writing) {
        writeSection(name, child);
    } else if (&child == this) {
        // The source must outlive the child's new lines, which replace it.
        Text_ source = std::move(lines);
        TagIndex sourceIndex = std::move(tagIndex);
        readSection(source, sourceIndex, name, child);
    } else {
        readSection(lines, tagIndex, name, child);
    }
}

void TextStream::writeSection(const std::string& name, TextStream& child) {
    child.writing = writing;
    child.lines.clear();
    child.tagIndex.clear();
    if (!name.empty()) writeLine(openTag(name));
    child.exchange();
    if (&child != this) lines.appendAll(child.lines);
    if (!name.empty()) writeLine(closeTag(name));
}

void TextStream::readSection(const Text_& source, const TagIndex& sourceIndex,
                             const std::string& name, TextStream& child) {
    child.writing = false;
    child.lines = name.empty() ? source : sectionLines(source, sourceIndex, name);
    child.tagIndex.build(child.lines);
    child.exchange();
}

bool TextStream::exchangeBool(const std::string& key, bool& value) {
    std::string text = writing ? formatBool(value) : std::string();
    if (!exchangeValue(key, text)) return false;
    value = parseBool(text);
    return true;
}

bool TextStream::exchangeInt(const std::string& key, int32_t& value) {
    std::string text = writing ? formatInt(value) : std::string();
    if (!exchangeValue(key, text)) return false;
    value = parseInt(text);
    return true;
}

bool TextStream::exchangeReal(const std::string& key, double& value) {
    std::string text = writing ? formatReal(value) : std::string();
    if (!exchangeValue(key, text)) return false;
    value = parseReal(text);
    return true;
}

bool TextStream::exchangeText(const std::string& key, std::string& value) {
    return exchangeValue(key, value);
}

void TextStream::writeLine(const std::string& text) {
    lines.append(text);
}

bool TextStream::exchangeValue(const std::string& key, std::string& valueText) {
    if (writing) {
        writeLine(key + "=" + valueText);
        return false;
    }
    for (const std::string& line : lines) {
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        size_t keyStart = 0;
        while (keyStart < equals && static_cast<unsigned char>(line[keyStart]) <= blankLimit) {
            ++keyStart;
        }
        if (line.compare(keyStart, equals - keyStart, key) == 0) {
            valueText = line.substr(equals + 1);
            return true;
        }
    }
    return false;
}

bool TextStream::extractSection(const Text_& source, const std::string& name, Text_& dest) const {
    // Only this object's own lines have an index; any other list is searched line by line.
    static const TagIndex noIndex;
    const TagIndex& index = &source == &lines ? tagIndex : noIndex;
    dest = sectionLines(source, index, name);
    return !dest.empty() || findSection(source, index, name).has_value();
}

}  // namespace brio
