// Saves on a failing disk: every kind of file the program writes, with the disk giving out at
// each byte of the new file and at each step after the last byte, keeps the old file exactly
// and reports the failure; and a program killed at random moments while saving always leaves a
// whole file, the old one or the new one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <random>

#include "StationFixture.h"
#include "foundation/FileIo.h"
#include "platform/RecordingRender.h"
#include "programmer/StyleEditor.h"

namespace brio {
namespace {

// The disk: writes go through until `room` bytes are used, then fail with ENOSPC (a write that
// reaches the limit is cut short first, as a real full disk does); the step named by `failing`
// fails instead. Syncs touch no disk: the sweeps below make thousands of saves.
struct FailingDisk {
    enum class Step { none, fsync, close, rename };
    static inline size_t room = SIZE_MAX;
    static inline size_t used = 0;
    static inline Step failing = Step::none;
    static inline int temporaryError = 0;  // the folder refuses a temporary file with it
    static inline int reserveError = 0;    // no room can be reserved in place, with it

    static ssize_t write(int fd, const void* bytes, size_t count) {
        if (used >= room) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t written = ::write(fd, bytes, std::min(count, room - used));
        if (written > 0) used += size_t(written);
        return written;
    }
    static int fsync(int) { return fails(Step::fsync); }
    static int close(int fd) { return ::close(fd) == 0 ? fails(Step::close) : -1; }
    static int rename(const char* from, const char* to) {
        return failing == Step::rename ? fails(Step::rename) : ::rename(from, to);
    }
    static int makeTemporary(char* pattern) { return temporaryError ? (errno = temporaryError, -1) : ::mkstemp(pattern); }
    static int reserve(int, off_t) { return reserveError ? (errno = reserveError, -1) : 0; }
    static int fails(Step step) {
        if (failing != step) return 0;
        errno = EIO;
        return -1;
    }

    FailingDisk() { installFileWriteCalls(&calls); }
    ~FailingDisk() {
        installFileWriteCalls(nullptr);
        temporaryError = reserveError = 0;
    }
    void failAt(size_t byte, Step step = Step::none) {
        room = byte;
        used = 0;
        failing = step;
    }
    static constexpr FileWriteCalls calls{write, fsync, close, rename, makeTemporary, reserve};
};

std::string contents(const std::string& path) {
    std::string bytes;
    return readWholeFile(path, bytes) ? bytes : "<missing>";
}

int filesIn(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

// One kind of save, done as the user does it: `prepare` makes the state differ from the saved
// file, `save` saves it and tells whether the program reported a failure.
struct SaveKind {
    const char* name;
    std::string file;
    std::function<void(int round)> prepare;
    std::function<bool()> saveReportsFailure;
};

struct DiskRig : test::PlayedStation {
    void record(int notes) {
        station.startRecording();
        for (int i = 0; i < notes; ++i) {
            station.receiveMidi(0x90 | uint32_t(48 + i % 24) << 8 | 90u << 16);
            fixture.clock.advance(37);
            station.tick(true);
        }
        station.stopRecordingOrPlayback();
    }
    bool noticed() {
        const bool shown = dialogs.notices == std::vector<std::string>{"     Failed to save file.     "};
        dialogs.notices.clear();
        return shown;
    }
    std::vector<SaveKind> kinds() {
        const std::string folder = fixture.folder.folder();
        return {
            {"workspace", folder + "/set.pws",
             [this](int round) {
                 station.fileName = fixture.folder.path("set.pws");
                 station.volume = 0.1 * round;
                 station.style = round;
             },
             [this] {
                 station.saveWorkspace();
                 return noticed();
             }},
            {"recording", folder + "/take.prc", [this](int round) { record(3 + round); },
             [this] {
                 dialogs.saveAnswer = fixture.folder.path("take.prc");
                 station.saveRecordingAs();
                 return noticed();
             }},
            {"MIDI file", folder + "/take.mid", [this](int round) { record(3 + round); },
             [this] {
                 dialogs.saveAnswer = fixture.folder.path("take.mid");
                 station.saveRecordingAs();
                 return noticed();
             }},
            {"options", folder + "/options.cfg", [this](int round) { fixture.options->colors = round; },
             [this] {
                 testing::internal::CaptureStderr();
                 const bool saved = fixture.options->save();
                 const std::string told = testing::internal::GetCapturedStderr();
                 return !saved && told.find("options could not be saved") != std::string::npos;
             }},
            {"style library", StyleLibrary::savePath(),
             [this](int round) { fixture.library->style(0).name = "Take " + std::to_string(round); },
             [this] { return !fixture.library->save(); }},
        };
    }
};

TEST(DiskFaults, ASaveThatFailsAtAnyByteOrStepLeavesTheOldFileAndIsReported) {
    DiskRig rig;
    for (SaveKind& kind : rig.kinds()) {
        SCOPED_TRACE(kind.name);
        kind.prepare(1);
        ASSERT_FALSE(kind.saveReportsFailure());
        const std::string old = contents(kind.file);
        ASSERT_NE(old, "<missing>");
        const int files = filesIn(rig.fixture.folder.folder());

        kind.prepare(2);
        FailingDisk disk;
        using Step = FailingDisk::Step;
        size_t failures = 0;
        // The disk gives out at byte 0, 1, ... of the save until there is room for all of it.
        for (size_t byte = 0; byte <= old.size() * 4; ++byte) {
            disk.failAt(byte);
            if (!kind.saveReportsFailure()) break;
            ++failures;
            ASSERT_EQ(contents(kind.file), old) << "at byte " << byte;
        }
        const std::string saved = contents(kind.file);
        EXPECT_NE(saved, old);
        EXPECT_EQ(failures, saved.size());  // every byte of the new file failed once
        EXPECT_GT(failures, 200u);
        for (const Step step : {Step::fsync, Step::close, Step::rename}) {
            disk.failAt(SIZE_MAX, step);
            kind.prepare(3);
            EXPECT_TRUE(kind.saveReportsFailure()) << int(step);
            EXPECT_EQ(contents(kind.file), saved) << int(step);
        }
        // No temporary file is left behind.
        EXPECT_EQ(filesIn(rig.fixture.folder.folder()), files);
        // A full disk takes no temporary file either: the old file stays. A folder that refuses
        // one for permission gets the file written in place, but only once its room is reserved.
        disk.failAt(SIZE_MAX);
        for (const auto& [temporary, reserve] : {std::pair{ENOSPC, 0}, std::pair{EACCES, ENOSPC}}) {
            disk.temporaryError = temporary;
            disk.reserveError = reserve;
            kind.prepare(4);
            EXPECT_TRUE(kind.saveReportsFailure()) << temporary << " " << reserve;
            EXPECT_EQ(contents(kind.file), saved) << temporary << " " << reserve;
        }
        disk.reserveError = 0;
        EXPECT_FALSE(kind.saveReportsFailure());
        const std::string inPlace = contents(kind.file);
        disk.temporaryError = 0;
        EXPECT_FALSE(kind.saveReportsFailure());
        EXPECT_EQ(inPlace, contents(kind.file)) << "written in place as by a rename";
    }
}

// An audio file that runs out of room in its header or amid its sound fails whole: no file, no
// temporary, and an existing one as it was.
TEST(DiskFaults, AnAudioFileThatRunsOutOfRoomLeavesTheOldOneAlone) {
    test::TempDir folder;
    std::vector<MidiEvent> chord{{0, 0x90, 60, 100}, {0, 0x90, 64, 100}, {4000, 0x90, 60, 0}, {4000, 0x90, 64, 0}};
    FailingDisk disk;
    for (const auto& [name, format] : {std::pair{"a.wav", AudioFormat::wav}, {"a.flac", AudioFormat::flac},
                                       {"a.ogg", AudioFormat::ogg}}) {
        test::writeFile(folder.path(name), "old");
        for (const size_t room : {size_t(10), size_t(20000)}) {
            disk.failAt(room);
            RenderControl control;
            const RenderOutcome outcome = renderRecording({chord, folder.path(name), format, ""}, control);
            EXPECT_EQ(outcome.end, AudioRenderer::State::failed) << name << " " << room;
            EXPECT_EQ(filesIn(folder.folder()), 1) << name;
            EXPECT_EQ(contents(folder.path(name)), "old") << name;
        }
        std::filesystem::remove(folder.path(name));
    }
}

TEST(DiskFaults, AProgramKilledWhileSavingLeavesTheOldOrTheNewFileWhole) {
    DiskRig rig;
    const std::string path = rig.fixture.folder.path("set.pws");
    // Two workspaces of different lengths, saved in turn by a child that is killed at random.
    std::string versions[2];
    for (int i = 0; i < 2; ++i) {
        rig.station.fileName = path;
        rig.station.volume = i == 0 ? 0.25 : 0.75;
        rig.station.style = i == 0 ? 3 : 97;
        rig.station.instruments[0].program = i == 0 ? 1 : 100;
        rig.station.saveWorkspace();
        versions[i] = contents(path);
    }
    ASSERT_NE(versions[0].size(), 0u);
    std::mt19937 random(2026);
    int sawOld = 0, sawNew = 0;
    for (int save = 0; save < 200; ++save) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                rig.station.volume = i % 2 == 0 ? 0.25 : 0.75;
                rig.station.style = i % 2 == 0 ? 3 : 97;
                rig.station.instruments[0].program = i % 2 == 0 ? 1 : 100;
                rig.station.saveWorkspace();
            }
        }
        // The child saves back to back, so a kill lands inside a save; the first save alone can take
        // several milliseconds under the sanitizers on a loaded machine.
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string found = contents(path);
        ASSERT_TRUE(found == versions[0] || found == versions[1]) << "after kill " << save << ": "
                                                                   << found.size() << " bytes";
        (found == versions[0] ? sawOld : sawNew)++;
    }
    // The kills landed on both versions, so the saves really ran while killed.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
    // What killed saves left behind goes with the next save once it is an hour old; a younger
    // one may belong to a save still running in another copy of the program.
    const std::string folder = rig.fixture.folder.folder();
    ASSERT_TRUE(test::writeFile(folder + "/.brio-save-young1", "half a save"));
    ASSERT_TRUE(test::writeFile(folder + "/.brio-save-stale1", "half a save"));
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename() == ".brio-save-young1") continue;
        std::filesystem::last_write_time(entry.path(), std::filesystem::file_time_type::clock::now() -
                                                           std::chrono::hours(2));
    }
    rig.station.saveWorkspace();
    std::vector<std::string> temporaries;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".brio-save-")) temporaries.push_back(name);
    }
    EXPECT_EQ(temporaries, std::vector<std::string>{".brio-save-young1"});
}

}  // namespace
}  // namespace brio
