#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FakeDialogs.h"
#include "StationFixture.h"
#include "foundation/RealFormat.h"
#include "midi/Recorder.h"

namespace brio {
namespace {

constexpr size_t holeLineBytes = size_t(512) << 10;

// A file of exactly `size` bytes: `head`, zero bytes with a line end every 512 KiB, then
// `tail`. The zeros are a hole, so the file takes almost no disk; every line is short.
bool writeSparse(const std::string& path, const std::string& head, const std::string& tail,
                 size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool ok =
        ::ftruncate(fd, off_t(size)) == 0 &&
        ::pwrite(fd, head.data(), head.size(), 0) == ssize_t(head.size()) &&
        ::pwrite(fd, tail.data(), tail.size(), off_t(size - tail.size())) == ssize_t(tail.size());
    for (size_t at = holeLineBytes; ok && at + tail.size() < size; at += holeLineBytes) {
        ok = ::pwrite(fd, "\n", 1, off_t(at)) == 1;
    }
    return ::close(fd) == 0 && ok;
}

// Each reader on a file that is valid but for its size or one line: what it took from it.
TEST(BoundedInput, EveryReaderRefusesAnOversizedFileOrLineAsABrokenOne) {
    recorder() = Recorder();
    test::FakeDialogs dialogs;
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    const std::string failed = "     Failed to open file.     ";
    const std::string path = fixture.folder.path("input");
    const std::string optionsPath = fixture.folder.path(Options::fileName);

    // The recording limit rests on the longest line the recorder writes.
    recorder().events.append(MidiEvent{UINT32_MAX, 255, 255, 255});
    Text_ written;
    ASSERT_TRUE(recorder().writeLines(written));
    EXPECT_EQ(written.getConst(1).size() + 2, Recorder::longestLineBytes);
    recorder() = Recorder();

    struct Reader {
        const char* name;
        const std::string& file;
        size_t maxBytes;
        std::string head, tail;
        std::function<std::vector<std::string>()> read;
        std::vector<std::string> taken, refused;
    };
    const Reader readers[] = {
        {"options",
         optionsPath,
         TextStream::maxFileBytes,
         "<Brio Options>\r\ncolors=3\r\n",
         "\r\n</Brio Options>\r\n",
         [&] { return std::vector<std::string>{formatInt(Options(1920).colors)}; },
         {"3"},
         {"0"}},
        {"recent list",
         path,
         TextStream::maxFileBytes,
         "<Recent Files>\r\n/a/b.pws\r\n",
         "\r\n</Recent Files>\r\n",
         [&] { return test::itemsOf(RecentFiles(path, 10).entries); },
         {"/a/b.pws"},
         {}},
        {"style library",
         path,
         TextStream::maxFileBytes,
         "<Pelmora Base Styles>\r\n<style0>\r\nname=Bounded\r\n</style0>\r\n",
         "\r\n</Pelmora Base Styles>\r\n",
         [&] {
             auto library = std::make_unique<StyleLibrary>(path);
             return std::vector<std::string>{library->style(0).name};
         },
         {"Bounded"},
         {""}},
        {"workspace",
         path,
         TextStream::maxFileBytes,
         "<Piano Workspace>\r\nvolume=0.5\r\n",
         "\r\n</Piano Workspace>\r\n",
         [&] {
             station.volume = 0.4;
             station.openWorkspace(path);
             std::vector<std::string> seen{formatReal(station.volume)};
             seen.insert(seen.end(), dialogs.notices.begin(), dialogs.notices.end());
             return seen;
         },
         {"0.5"},
         {"1", failed}},
        {"recording",
         path,
         Text_::defaultMaxFileBytes,
         std::string(Recorder::magic) + "\r\n0;144;60;100;\r\n",
         "\r\n40;128;60;0;\r\n",
         [&] {
             station.openRecentRecording(path);
             std::vector<std::string> seen{station.playing ? "playing" : "idle"};
             seen.insert(seen.end(), dialogs.notices.begin(), dialogs.notices.end());
             station.stopRecordingOrPlayback();
             return seen;
         },
         {"playing"},
         {"idle", failed}},
    };
    struct Case {
        const char* what;
        size_t sizeOverLimit;  // a sparse file this far from the reader's limit, or
        size_t lineBytes;      // a file with one line of this many bytes
        bool taken;
    };
    const Case cases[] = {
        {"at the size limit", 0, 0, true},
        {"one byte over the size limit", 1, 0, false},
        {"a megabyte over the size limit", size_t(1) << 20, 0, false},
        {"a line at the line limit", 0, Text_::maxLineBytes, true},
        {"a line of 1.1 MB", 0, Text_::maxLineBytes / 10 * 11, false},
    };
    for (const Reader& reader : readers) {
        for (const Case& c : cases) {
            if (c.lineBytes == 0) {
                ASSERT_TRUE(writeSparse(reader.file, reader.head, reader.tail,
                                        reader.maxBytes + c.sizeOverLimit));
            } else {
                ASSERT_TRUE(test::writeFile(
                    reader.file, reader.head + std::string(c.lineBytes, 'x') + reader.tail));
            }
            dialogs.notices.clear();
            EXPECT_EQ(reader.read(), c.taken ? reader.taken : reader.refused)
                << reader.name << ", " << c.what;
        }
    }
    recorder() = Recorder();
}

}  // namespace
}  // namespace brio
