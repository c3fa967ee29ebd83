#include "accompaniment/StyleLibrary.h"

#include <cstdio>

#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"
#include "foundation/UserFolders.h"

namespace brio {

// An edited library in the user's data folder comes first; when it cannot be read (a read that
// fails leaves every record as it was) the shipped one is loaded instead.
StyleLibrary::StyleLibrary() {
    const std::string edited = userStylesPath();
    if (!edited.empty() && pathExists(edited)) {
        if (load(edited)) return;
        loadProblem = "The style library " + edited + " cannot be read; the shipped one (" +
                      programFolder() + fileName + ") is used.";
        std::fprintf(stderr, "Brioletta: %s\n", loadProblem.c_str());
    }
    load(programFolder() + fileName);
}

StyleLibrary::StyleLibrary(const std::string& path) { load(path); }

bool StyleLibrary::load(const std::string& path) { return loadFile(path, rootName); }

std::string StyleLibrary::savePath() {
    const std::string edited = userStylesPath();
    return edited.empty() ? programFolder() + fileName : edited;
}

bool StyleLibrary::save() {
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
    // A pattern whose section is missing ends without notes: its exchange empties the list
    // before it looks for note lines. Style fields without a key keep their values.
    for (int i = 0; i < patternCount; ++i) {
        ArpeggioStyle& record = pattern(i);
        if (writing && record.isEmpty()) continue;
        exchangeSection("arp" + std::to_string(i), record);
        record.lines.clear();  // the record's copy of its section is no longer needed
    }
    for (int i = 0; i < styleCount; ++i) {
        BaseStyle& record = style(i);
        if (writing && record.isEmpty()) continue;
        exchangeSection("style" + std::to_string(i), record);
        record.lines.clear();
    }
}

}  // namespace brio
