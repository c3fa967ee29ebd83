// Reads arbitrary bytes as a recent-files list, adds a path, then checks that the list keeps
// its capacity and that the entries, written and read again, are the same.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzStation.h"
#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = [] {
        const std::string made = brio::fuzz::makeFolder();
        brio::setProgramFolder(made + "/");
        return made;
    }();
    constexpr int capacity = 5;
    const std::string path = folder + "/recent.cfg";
    if (!brio::replaceFile(path, std::string(reinterpret_cast<const char*>(data), size))) return 0;
    auto list = std::make_unique<brio::RecentFiles>("recent.cfg", capacity);
    if (list->entries.count() > capacity) __builtin_trap();
    for (const std::string& entry : list->entries) {
        if (entry.empty() || entry.find('\0') != std::string::npos) __builtin_trap();
    }
    list->add("/fuzz/new.pws");
    const brio::Text_ kept = list->copy();
    list.reset();  // writes the file
    const brio::RecentFiles again("recent.cfg", capacity);
    if (again.entries.count() != kept.count()) __builtin_trap();
    for (int i = 0; i < kept.count(); ++i) {
        if (again.entries.getConst(i) != kept.getConst(i)) __builtin_trap();
    }
    return 0;
}
