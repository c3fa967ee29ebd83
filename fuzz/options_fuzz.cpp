// Reads arbitrary bytes as the options file, then checks that the options it kept, written
// and read again, are the same.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzStation.h"
#include "foundation/FileIo.h"

namespace {

std::string stored(brio::Options& options) {
    options.saveFile("", brio::Options::rootName);
    std::string bytes;
    for (const std::string& line : options.lines) bytes += line + "\r\n";
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = [] {
        static brio::NullMidiBackend device;
        brio::MidiOut::installBackend(&device);
        const std::string made = brio::fuzz::makeFolder();
        brio::setProgramFolder(made + "/");
        return made;
    }();
    const std::string path = folder + "/" + brio::Options::fileName;
    if (!brio::replaceFile(path, std::string(reinterpret_cast<const char*>(data), size))) return 0;
    auto first = std::make_unique<brio::Options>(0);
    const std::string kept = stored(*first);
    first.reset();  // writes the file
    brio::Options again(0);
    if (stored(again) != kept) __builtin_trap();
    return 0;
}
