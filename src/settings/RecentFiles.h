#pragma once

#include <cstddef>
#include <string>

#include "foundation/Text.h"
#include "foundation/TextStream.h"

namespace brio {

// Paths the user opened or saved, most recent first, kept in a file of the program's folder
// (one path per line under the root section "Recent Files"). Every change is written at once.
class RecentFiles : public TextStream {
public:
    static constexpr const char* rootName = "Recent Files";
    // Longest line taken as a path; longer lines of a damaged file are skipped.
    static constexpr size_t maxPathLength = 4096;

    Text_ entries;         // paths, most recent first
    std::string fileName;  // full path of the list's own file
    int capacity;

    // Reads the list from `file` (a bare name is taken in the program's folder); a file that
    // cannot be read gives an empty list.
    RecentFiles(const std::string& file, int maxEntries);
    RecentFiles(const RecentFiles&) = delete;
    RecentFiles& operator=(const RecentFiles&) = delete;
    // Writes the file; failures go unreported.
    ~RecentFiles() override;

    // Moves `path` to the front: an entry equal to it regardless of letter case is replaced,
    // else the oldest entry goes when the list is full.
    void add(const std::string& path);
    // Removes the first entry exactly equal to `path`; the file is written either way.
    void remove(const std::string& path);
    Text_ copy() const;

    // On an empty list, adds every file of documentsFolder() matching `wildcard` in sorted
    // order, so the last `capacity` names remain with the last one first.
    void seedFromFolder(const std::string& wildcard);

    void exchange() override;

private:
    void save();
    void readEntries();
};

}  // namespace brio
