#pragma once

#include <memory>
#include <string>
#include <vector>

#include "accompaniment/ArpeggioStyle.h"
#include "accompaniment/BaseStyle.h"
#include "foundation/TextStream.h"

namespace brio {

// Every pattern and style of the program: 4000 patterns and 100 styles, loaded from
// "styles.cfg" in the program's folder and written back by the style programmer. The pool of
// patterns only ever grows: a library written for a smaller one loads as it is.
class StyleLibrary : public TextStream {
public:
    static constexpr int patternCount = 4000;
    static constexpr int styleCount = 100;
    static constexpr const char* rootName = "Pelmora Base Styles";
    static constexpr const char* fileName = "styles.cfg";

    // Builds the records with their defaults, then loads `path`, or else the edited library in
    // the user's data folder when there is one that can be read whole, else the shipped one.
    StyleLibrary();
    explicit StyleLibrary(const std::string& path);

    bool load(const std::string& path);
    // Writes the library to savePath() (or `path`); save() writes nothing while keepsUnreadable().
    bool save();
    // "styles.cfg" in the program's folder for a portable copy, else in the user's data folder.
    static std::string savePath();
    // Why the edited library was not used; empty when nothing went wrong.
    std::string loadProblem;
    // True while the edited library that could not be read is kept: save() leaves it as it
    // was until allowReplacing() tells that the user chose to replace it.
    bool keepsUnreadable() const { return unreadableKept; }
    void allowReplacing() { unreadableKept = false; }
    bool save(const std::string& path);

    static bool validPattern(int index) { return index >= 0 && index < patternCount; }
    static bool validStyle(int index) { return index >= 0 && index < styleCount; }

    // Pattern and style access; the caller checks the index.
    ArpeggioStyle& pattern(int index) { return patterns[size_t(index)]; }
    const ArpeggioStyle& pattern(int index) const { return patterns[size_t(index)]; }
    BaseStyle& style(int index) { return styles[size_t(index)]; }
    const BaseStyle& style(int index) const { return styles[size_t(index)]; }

    // arp0..arp3999 (non-empty only when writing), then style0..style99 (named only).
    void exchange() override;

private:
    // What the last load found: the patterns whose open tag the file holds, the patterns and
    // styles whose sections it gave.
    struct ReadCount {
        int declaredPatterns = 0;
        int patterns = 0;
        int styles = 0;
    };

    // Loads `path`; true when it gave a style and every pattern it names.
    bool loadWhole(const std::string& path);
    // Sections that name a pattern the library does not hold are left out of their style.
    void dropBrokenSections();
    void reportPartProblems(const std::string& path) const;
    void clearRecords();

    std::vector<ArpeggioStyle> patterns = std::vector<ArpeggioStyle>(patternCount);
    std::vector<BaseStyle> styles = std::vector<BaseStyle>(styleCount);
    ReadCount readCount;
    bool unreadableKept = false;
};

}  // namespace brio
