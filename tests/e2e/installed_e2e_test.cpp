// The installed program: its files in the user's XDG folders, its command line, and an
// orderly end on a termination signal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

namespace fs = std::filesystem;

// The program and the capture build installed under a temporary prefix, with a fresh HOME;
// the share folder is made read-only.
class InstalledCopy {
public:
    InstalledCopy() {
        std::string pattern = "/tmp/brio-installed-XXXXXX";
        if (!mkdtemp(pattern.data())) return;
        root = pattern;
        for (const char* component : {"program", "tests"}) {
            const auto out = runAndCapture({"cmake", "--install", BRIO_BUILD_DIR, "--component", component,
                                            "--prefix", root + "/usr"}, {}, 60000);
            if (!out) return;
        }
        fs::create_directories(home());
        ::chmod((root + "/usr/share/brioletta").c_str(), 0555);
        ready = true;
    }
    ~InstalledCopy() {
        if (root.empty()) return;
        ::chmod((root + "/usr/share/brioletta").c_str(), 0755);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    std::string home() const { return root + "/home"; }
    std::string config(const std::string& name) const { return home() + "/.config/brioletta/" + name; }
    std::string exe() const { return root + "/usr/bin/brioletta-capture"; }
    std::vector<std::string> env(const XvfbSession& x) const {
        std::vector<std::string> all = x.programEnv();
        all.push_back("HOME=" + home());
        all.push_back("XDG_CONFIG_HOME=");
        all.push_back("XDG_DATA_HOME=");
        return all;
    }

    bool ready = false;
    std::string root;
};

std::string firstWindow(XvfbSession& x, const std::string& pattern) {
    const auto id = x.findWindow(pattern);
    return id ? id->substr(0, id->find('\n')) : std::string();
}

TEST(InstalledEndToEnd, SettingsGoToTheXdgFolderAndAreReadBack) {
    XvfbSession x;
    ASSERT_TRUE(x.ready());
    InstalledCopy copy;
    ASSERT_TRUE(copy.ready);
    for (int run = 0; run < 2; ++run) {
        Process brioletta({copy.exe()}, copy.env(x));
        const std::string window = firstWindow(x, "^Brioletta - ");
        ASSERT_FALSE(window.empty()) << "run " << run;
        ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());
        if (run == 0) {
            // Large view off is kept only if the options file is written and read back.
            ASSERT_TRUE(x.xdotool({"keydown", "z", "sleep", "0.1", "keyup", "z"}).has_value());
        }
        ASSERT_TRUE(x.xdotool({"key", "Escape"}).has_value());
        const auto status = brioletta.waitFor(5000);
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(*status, 0);
        if (run == 0) {
            const auto capture = readCapture(copy.config("midi-capture.txt"));
            bool played = false;
            for (const Captured& c : capture) played = played || ((c.status & 0xF0) == 0x90 && c.data1 == 33 && c.data2 > 0);
            EXPECT_TRUE(played) << "Z did not sound";
            // A setting changed by hand must survive the second run.
            std::string options = readWholeFile(copy.config("options.cfg"));
            ASSERT_EQ(options.rfind("<Brio Options>", 0), 0u) << options;
            const size_t at = options.find("keyHighlight=false");
            ASSERT_NE(at, std::string::npos);
            options.replace(at, 18, "keyHighlight=true");
            std::ofstream(copy.config("options.cfg"), std::ios::binary) << options;
        }
    }
    EXPECT_NE(readWholeFile(copy.config("options.cfg")).find("keyHighlight=true"), std::string::npos);
    EXPECT_TRUE(fs::exists(copy.config("recentS.cfg")));
    EXPECT_FALSE(fs::exists(copy.root + "/usr/share/brioletta/options.cfg"));
}

TEST(InstalledEndToEnd, CommandLine) {
    InstalledCopy copy;
    ASSERT_TRUE(copy.ready);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;  // expected at the start of standard output
    };
    // Renders need no display: each writes its file, or fails with one line and no file.
    const std::string take = copy.root + "/take.prc", empty = copy.root + "/empty.prc", long49 = copy.root + "/long.prc";
    std::ofstream(take, std::ios::binary) << "VELMORANDINE MIDI RECORDING\r\n0;144;60;100;\r\n900;144;60;0;\r\n";
    std::ofstream(empty, std::ios::binary) << "VELMORANDINE MIDI RECORDING\r\n";
    std::ofstream(long49, std::ios::binary) << "VELMORANDINE MIDI RECORDING\r\n0;144;60;100;\r\n4233600000;144;60;0;\r\n";
    const std::string out = copy.root + "/take";
    const Case cases[] = {
        {{"--help"}, 0, "Usage: brioletta"},
        {{"--version"}, 0, "brioletta "},
        {{"--bogus"}, 2, ""},
        {{"a.pws", "b.pws"}, 2, ""},
        {{"--render", take, out + ".wav"}, 0, ""},
        {{"--render", take, out + ".flac"}, 0, ""},
        {{"--render", take, out + ".ogg"}, 0, ""},
        {{"--render", take, out + ".mp3"}, 1, ""},
        {{"--render", copy.root + "/none.prc", out + "1.wav"}, 1, ""},
        {{"--render", empty, out + "2.wav"}, 1, ""},
        {{"--render", long49, out + "3.wav"}, 1, ""},
        {{"--render", take, copy.root + "/no folder/a.wav"}, 1, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{copy.exe()};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const std::string outPath = copy.root + "/out.txt", errPath = copy.root + "/err.txt";
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        Process run(argv, {"DISPLAY="}, {{out, 1}, {err, 2}});
        close(out);
        close(err);
        const auto status = run.waitFor(5000);
        ASSERT_TRUE(status.has_value()) << c.args[0];
        EXPECT_EQ(*status, c.status) << c.args[0];
        if (c.args[0] == "--render") {
            const std::string err = readWholeFile(errPath);
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), c.status) << c.args[2] << err;
            EXPECT_EQ(fs::exists(c.args[2]) && fs::file_size(c.args[2]) > 1000, c.status == 0) << c.args[2];
        } else if (c.status == 0) {
            EXPECT_EQ(readWholeFile(outPath).rfind(c.out, 0), 0u) << c.args[0];
        } else {
            EXPECT_NE(readWholeFile(errPath).find("Usage: brioletta"), std::string::npos) << c.args[0];
            EXPECT_EQ(readWholeFile(errPath).rfind("Brioletta: ", 0), 0u) << c.args[0];
        }
    }

    // A workspace with spaces in its path opens at start and names the window; one that does
    // not exist gives the menu's message box.
    XvfbSession x;
    ASSERT_TRUE(x.ready());
    const std::string folder = copy.home() + "/my songs";
    fs::create_directories(folder);
    {
        Process first({copy.exe()}, copy.env(x));
        const std::string window = firstWindow(x, "^Brioletta - ");
        ASSERT_FALSE(window.empty());
        ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());
        ASSERT_TRUE(x.xdotool({"key", "Escape"}).has_value());
        ASSERT_TRUE(first.waitFor(5000).has_value());
    }
    const struct {
        std::string file;
        std::string window;
    } starts[] = {{folder + "/evening set.pws", "evening set"}, {folder + "/missing.pws", "^Brioletta$"}};
    // A saved workspace: the default one the first run wrote is not needed; an empty workspace
    // file in the program's format is enough to open.
    std::ofstream(starts[0].file, std::ios::binary) << "<Piano Workspace>\r\n</Piano Workspace>\r\n";
    {
        Process brioletta({copy.exe(), starts[0].file}, copy.env(x));
        EXPECT_FALSE(firstWindow(x, starts[0].window).empty()) << starts[0].file;
        brioletta.signal(SIGTERM);
        const auto status = brioletta.waitFor(5000);
        if (!status) brioletta.kill();
        EXPECT_EQ(status.value_or(-1), 0);
    }
    {
        // The menu's "File does not exist." box (named after the program) waits for an answer.
        Process brioletta({copy.exe(), starts[1].file}, copy.env(x));
        EXPECT_TRUE(x.xdotool({"search", "--sync", "--name", starts[1].window}, 10000).has_value());
        EXPECT_FALSE(brioletta.waitFor(500).has_value()) << "ended instead of showing the message";
        brioletta.kill();
        (void)brioletta.waitFor(2000);
    }
}

TEST(InstalledEndToEnd, SigtermDuringTheRhythmEndsEveryNoteAndWritesTheOptions) {
    XvfbSession x;
    ASSERT_TRUE(x.ready());
    ProgramFolder program;
    Process brioletta({program.file("brioletta-capture")}, x.programEnv());
    const std::string window = firstWindow(x, "^Brioletta - ");
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());
    ASSERT_TRUE(x.xdotool({"keydown", "z", "key", "F10", "sleep", "1.5"}).has_value());
    brioletta.signal(SIGTERM);
    const auto status = brioletta.waitFor(5000);
    ASSERT_TRUE(status.has_value()) << "still running after SIGTERM";
    EXPECT_EQ(*status, 0);
    (void)x.xdotool({"keyup", "z"});
    EXPECT_EQ(readWholeFile(program.file("options.cfg")).rfind("<Brio Options>", 0), 0u);

    // Every note still sounding is ended by a note-off or by all-notes-off on its channel.
    const auto capture = readCapture(program.file("midi-capture.txt"));
    std::set<std::pair<int, int>> sounding;
    int drums = 0;
    for (const Captured& c : capture) {
        const int kind = c.status & 0xF0, channel = c.status & 0x0F;
        if (kind == 0x90 && c.data2 > 0) {
            sounding.insert({channel, c.data1});
            drums += channel == 9;
        } else if (kind == 0x80 || kind == 0x90) {
            sounding.erase({channel, c.data1});
        } else if (kind == 0xB0 && c.data1 == 123) {
            std::erase_if(sounding, [channel](const auto& note) { return note.first == channel; });
        }
    }
    EXPECT_GT(drums, 0) << "the rhythm did not play";
    EXPECT_TRUE(sounding.empty()) << sounding.size() << " notes were left sounding";
}

}  // namespace
}  // namespace brio::e2e
