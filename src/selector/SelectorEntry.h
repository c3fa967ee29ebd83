#pragma once

#include <string>

namespace brio {

// The mark an entry's first character may carry.
enum class EntryMark { none, separator, dimmed, ticked };

// An entry as drawn: its mark and the text without it.
struct SelectorEntry {
    EntryMark mark = EntryMark::none;
    std::string text;
};

// Splits off the mark ("-" separator, "@" dimmed, "#" ticked; only the first character counts).
// A text left empty is shown as a single blank.
inline SelectorEntry parseSelectorEntry(const std::string& item) {
    SelectorEntry entry;
    if (!item.empty()) {
        switch (item[0]) {
            case '-':
                entry.mark = EntryMark::separator;
                break;
            case '@':
                entry.mark = EntryMark::dimmed;
                break;
            case '#':
                entry.mark = EntryMark::ticked;
                break;
            default:
                break;
        }
    }
    entry.text = entry.mark == EntryMark::none ? item : item.substr(1);
    if (entry.text.empty()) entry.text = " ";
    return entry;
}

}  // namespace brio
