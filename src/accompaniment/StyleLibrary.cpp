#include "accompaniment/StyleLibrary.h"

#include "foundation/TextUtils.h"

namespace brio {

StyleLibrary::StyleLibrary() : StyleLibrary(resolvePath(fileName)) {}

StyleLibrary::StyleLibrary(const std::string& path) { load(path); }

bool StyleLibrary::load(const std::string& path) { return loadFile(path, rootName); }

bool StyleLibrary::save() { return save(resolvePath(fileName)); }

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
