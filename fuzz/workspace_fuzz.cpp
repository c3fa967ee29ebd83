// Opens arbitrary bytes as a workspace file ("*.pws") in a station built as the program
// builds it, then saves the result and checks that nothing but that file was written.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "accompaniment/StyleLibrary.h"
#include "foundation/Clock.h"
#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"
#include "main/MidiSynth.h"
#include "midi/NullMidiBackend.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace {

struct Program {
    Program() {
        // In memory where the system offers it: every save is flushed to disk otherwise.
        char pattern[] = "/dev/shm/brio-fuzz-XXXXXX";
        char fallback[] = "/tmp/brio-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        folder = made ? made : mkdtemp(fallback);
        brio::setProgramFolder(folder + "/");
        brio::installClock(&clock);
        brio::MidiOut::installBackend(&device);
        workspaces = std::make_unique<brio::RecentFiles>("recentS.cfg", 10);
        recordings = std::make_unique<brio::RecentFiles>("recentR.cfg", 10);
        library = std::make_unique<brio::StyleLibrary>();
        options = std::make_unique<brio::Options>(1920);
        station = std::make_unique<brio::MidiSynth>(*library, *options, *workspaces, *recordings);
    }

    std::string folder;
    brio::ManualClock clock{1000};
    brio::NullMidiBackend device;
    std::unique_ptr<brio::RecentFiles> workspaces, recordings;
    std::unique_ptr<brio::StyleLibrary> library;
    std::unique_ptr<brio::Options> options;
    std::unique_ptr<brio::MidiSynth> station;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Program program;
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
