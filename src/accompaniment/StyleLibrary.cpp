#include "accompaniment/StyleLibrary.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <string_view>

#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"
#include "foundation/UserFolders.h"

namespace brio {

namespace {

constexpr std::string_view patternTag = "<arp";
constexpr size_t longestIndex = 4;  // digits of the last pattern, 3999

// The patterns whose open tag "<arpN>" (N 0..3999, no leading zero) stands in `lines`.
int declaredPatterns(const Text_& lines) {
    std::bitset<StyleLibrary::patternCount> named;
    for (const std::string& line : lines) {
        for (size_t at = line.find(patternTag); at != std::string::npos;
             at = line.find(patternTag, at + 1)) {
            const size_t digits = at + patternTag.size();
            const size_t close = line.find('>', digits);
            if (close == std::string::npos || close - digits > longestIndex) continue;
            const std::string number = line.substr(digits, close - digits);
            const int index = parseInt(number);
            if (StyleLibrary::validPattern(index) && formatInt(index) == number)
                named.set(size_t(index));
        }
    }
    return int(named.count());
}

}  // namespace

// An edited library in the user's data folder comes first. One that cannot be read whole (a
// library cut short gives nothing) is kept as it was and the shipped one is loaded instead:
// what was read of it would otherwise be saved over it.
StyleLibrary::StyleLibrary() {
    const std::string shipped = programFolder() + fileName;
    const std::string edited = userStylesPath();
    if (!edited.empty() && pathExists(edited)) {
        if (loadWhole(edited)) return;
        clearRecords();
        unreadableKept = true;
        loadProblem = "The style library " + edited + " cannot be read and is left as it is; the " +
                      "shipped one (" + shipped + ") is used.";
        std::fprintf(stderr, "Brioletta: %s\n", loadProblem.c_str());
    }
    load(shipped);
}

StyleLibrary::StyleLibrary(const std::string& path) { load(path); }

bool StyleLibrary::load(const std::string& path) {
    readCount = {};
    const bool loaded = loadFile(path, rootName);
    if (loaded) {
        dropBrokenSections();
        reportPartProblems(path);
    }
    return loaded;
}

void StyleLibrary::dropBrokenSections() {
    for (BaseStyle& record : styles) {
        for (int s = 0; s < sectionCount; ++s) {
            const Section section = Section(s);
            if (section == Section::mainA) continue;
            for (int part = 0; part < BaseStyle::partCount; ++part) {
                const int32_t index = record.patternOf(section, part);
                if (index == BaseStyle::noPattern || (validPattern(index) && !pattern(index).isEmpty())) continue;
                if (record.partProblem.empty())
                    record.partProblem = std::string("the ") + BaseStyle::sectionKey(section) + " names pattern " +
                                         std::to_string(index) + ", which the library does not hold";
                record.dropSection(section);
                break;
            }
        }
    }
}

// One line for the first style whose optional part keys were wrong (those parts play as if the
// keys were absent), with the count of the others.
void StyleLibrary::reportPartProblems(const std::string& path) const {
    int count = 0;
    std::string report;
    for (int i = 0; i < styleCount; ++i) {
        const BaseStyle& record = styles[size_t(i)];
        if (record.partProblem.empty()) continue;
        if (count++ == 0) report = "style " + std::to_string(i) + " (" + record.name + "): " + record.partProblem;
    }
    if (count == 0) return;
    if (count > 1) report += " and " + std::to_string(count - 1) + " more";
    std::fprintf(stderr, "Brioletta: the style library %s: %s; that is left out and the rest plays.\n", path.c_str(),
                 report.c_str());
}

bool StyleLibrary::loadWhole(const std::string& path) {
    return load(path) && readCount.styles > 0 && readCount.patterns >= readCount.declaredPatterns;
}

void StyleLibrary::clearRecords() {
    std::fill(patterns.begin(), patterns.end(), ArpeggioStyle());
    std::fill(styles.begin(), styles.end(), BaseStyle());
}

std::string StyleLibrary::savePath() {
    const std::string edited = userStylesPath();
    return edited.empty() ? programFolder() + fileName : edited;
}

bool StyleLibrary::save() {
    if (unreadableKept) return false;
    const std::string path = savePath();
    std::string problem;
    if (path != programFolder() + fileName && !createFolder(folderPlan().userData, problem)) {
        std::fprintf(stderr, "Brioletta: %s\n", problem.c_str());
        return false;
    }
    return save(path);
}

bool StyleLibrary::save(const std::string& path) { return saveFile(path, rootName); }

void StyleLibrary::exchange() {
    if (!writing) readCount.declaredPatterns = declaredPatterns(lines);
    // A pattern whose section is missing ends without notes: its exchange empties the list
    // before it looks for note lines. Style fields without a key keep their values.
    for (int i = 0; i < patternCount; ++i) {
        ArpeggioStyle& record = pattern(i);
        if (writing && record.isEmpty()) continue;
        exchangeSection("arp" + std::to_string(i), record);
        if (!writing && !record.lines.empty()) ++readCount.patterns;
        record.lines.clear();  // the record's copy of its section is no longer needed
    }
    for (int i = 0; i < styleCount; ++i) {
        BaseStyle& record = style(i);
        if (writing && record.isEmpty()) continue;
        exchangeSection("style" + std::to_string(i), record);
        if (!writing && !record.lines.empty()) ++readCount.styles;
        record.lines.clear();
    }
}

}  // namespace brio
