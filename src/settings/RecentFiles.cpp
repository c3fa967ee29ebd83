#include "settings/RecentFiles.h"

#include <strings.h>

#include <algorithm>

#include "foundation/TextUtils.h"

namespace brio {

namespace {

constexpr unsigned char blankLimit = 32;

std::string withoutLeadingBlanks(const std::string& line) {
    size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) <= blankLimit) ++start;
    return line.substr(start);
}

}  // namespace

RecentFiles::RecentFiles(const std::string& file, int maxEntries)
    : fileName(resolvePath(file)), capacity(maxEntries) {
    loadFile(fileName, rootName);
}

RecentFiles::~RecentFiles() {
    save();
}

void RecentFiles::add(const std::string& path) {
    auto same = std::find_if(entries.begin(), entries.end(), [&](const std::string& entry) {
        return ::strcasecmp(entry.c_str(), path.c_str()) == 0;
    });
    if (same != entries.end()) {
        entries.removeAt(static_cast<int>(same - entries.begin()));
    } else {
        while (!entries.empty() && entries.count() >= capacity) entries.removeAt(entries.last);
    }
    entries.append(path);
    std::rotate(entries.begin(), entries.end() - 1, entries.end());
    save();
}

void RecentFiles::remove(const std::string& path) {
    auto found = std::find(entries.begin(), entries.end(), path);
    if (found != entries.end()) entries.removeAt(static_cast<int>(found - entries.begin()));
    save();
}

Text_ RecentFiles::copy() const {
    return entries;
}

void RecentFiles::seedFromFolder(const std::string& wildcard) {
    if (!entries.empty()) return;
    const std::string folder = documentsFolder();
    for (const std::string& name : listFiles(folder + wildcard, true)) add(folder + name);
}

void RecentFiles::exchange() {
    if (writing) {
        for (const std::string& entry : entries) writeLine(entry);
    } else {
        readEntries();
    }
}

void RecentFiles::save() {
    saveFile(fileName, rootName);
}

// A damaged file may hold anything: lines that cannot be paths are skipped, and reading
// stops once the list is full.
void RecentFiles::readEntries() {
    entries.clear();
    for (const std::string& line : lines) {
        if (entries.count() >= capacity) break;
        std::string entry = withoutLeadingBlanks(line);
        if (entry.empty() || entry.size() > maxPathLength) continue;
        if (entry.find('\0') != std::string::npos) continue;
        entries.append(entry.find('/') == std::string::npos ? documentsFolder() + entry : entry);
    }
}

}  // namespace brio
