// Opens arbitrary bytes as a workspace file ("*.pws") in a station built as the program
// builds it, then saves the result and checks that nothing but that file was written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzStation.h"
#include "foundation/FileIo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static brio::fuzz::Station program;
    const std::string path = program.folder + "/input.pws";
    if (!brio::replaceFile(path, std::string(reinterpret_cast<const char*>(data), size))) return 0;
    program.station->openWorkspace(path);
    for (int tick = 0; tick < 16; ++tick) {
        program.clock.advance(7);
        program.station->tick(true);
    }
    program.station->saveWorkspace();
    // The station writes only the file it opened (and the recent list beside it).
    for (const auto& entry : std::filesystem::directory_iterator(program.folder)) {
        const std::string name = entry.path().filename().string();
        if (name != "input.pws" && name != "recentS.cfg") std::abort();
    }
    return 0;
}
