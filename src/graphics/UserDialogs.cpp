#include "graphics/UserDialogs.h"

#include <utility>

#include "foundation/Text.h"
#include "foundation/TextUtils.h"

namespace brio {

namespace {

// Without a windowing layer (tests that install nothing) every box is cancelled.
CancelledDialogs noDialogs;
UserDialogs* installed = &noDialogs;
BoxWaitPass boxWaitPass;
bool inBoxWaitPass = false;

constexpr const char* blanks = " \t";
constexpr const char* patternSeparators = " \t;";

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The patterns of one entry: words between blanks or ";".
std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    while ((start = text.find_first_not_of(patternSeparators, start)) != std::string::npos) {
        const size_t end = text.find_first_of(patternSeparators, start);
        words.push_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

// "*.prc" gives ".prc"; a pattern without a plain extension ("*", "*.*") gives nothing.
std::string extensionOf(const std::string& pattern) {
    const size_t dot = pattern.find('.');
    if (dot == std::string::npos) return {};
    const std::string extension = pattern.substr(dot);
    return extension.find_first_of("*?[") == std::string::npos ? extension : std::string();
}

}  // namespace

UserDialogs& userDialogs() { return *installed; }

void installUserDialogs(UserDialogs* dialogs) { installed = dialogs ? dialogs : &noDialogs; }

void installBoxWaitPass(BoxWaitPass pass) { boxWaitPass = std::move(pass); }

uint32_t runBoxWaitPass(BoxWindows windows) {
    if (!boxWaitPass || inBoxWaitPass) return idleBoxWaitMs;
    inBoxWaitPass = true;
    struct Leave {
        ~Leave() { inBoxWaitPass = false; }
    } leave;
    return boxWaitPass(windows);
}

std::string FileFilter::patternList() const {
    std::string text;
    for (const std::string& pattern : patterns) text += (text.empty() ? "" : " ") + pattern;
    return text;
}

std::vector<FileFilter> parseFilterList(const std::string& filter) {
    Text_ parts;
    split(filter, '|', parts);
    std::vector<FileFilter> entries;
    for (int i = 0; i < parts.count(); i += 2) {
        const std::string& patterns = parts.getConst(i + 1 < parts.count() ? i + 1 : i);
        FileFilter entry{trimmed(parts.getConst(i)), wordsOf(patterns)};
        if (entry.patterns.empty()) continue;
        if (entry.description.empty()) entry.description = entry.patternList();
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string withFilterExtension(const std::string& name, const std::string& filter) {
    // Only the file name counts: a "." in a folder's name is no extension.
    const size_t slash = name.rfind('/');
    const size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    if (name.find('.', fileStart) != std::string::npos) return name;
    const std::vector<FileFilter> entries = parseFilterList(filter);
    return entries.empty() ? name : name + extensionOf(entries.front().patterns.front());
}

}  // namespace brio
