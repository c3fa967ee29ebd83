// The SoundFont chosen on the Options page: the built-in synthesizer plays it at once, through
// a sound server of the test's own, and the choice is kept in options.cfg.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

constexpr const char* timGM = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int optionsMenuX = 150, moreOptionsEntry = 9;
constexpr int soundFontBox[2] = {200, 91};  // inside the box, in the dialog
constexpr int timGMEntry = 2;               // FluidR3, MuseScore General, TimGM6mb, Other...

struct Geometry {
    int x = 0, y = 0;
};

TEST(SoundFontEndToEnd, AnotherSetChosenInOptionsPlaysAtOnceAndIsKept) {
    for (const char* path : {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf3/MuseScore_General.sf3", timGM})
        if (access(path, R_OK) != 0) GTEST_SKIP() << path << " is not installed";
    XvfbSession x;
    ASSERT_TRUE(x.ready());
    ProgramFolder program;
    ::mkdir(program.file("pulse").c_str(), 0700);
    const std::string socket = program.file("pulse/native");
    const std::vector<std::string> pulseEnv{"PULSE_RUNTIME_PATH=" + program.file("pulse"),
                                            "PULSE_STATE_PATH=" + program.file("pulse"), "PULSE_SERVER=unix:" + socket};
    Process server({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                    "--system=no", "-L", "module-native-protocol-unix socket=" + socket + " auth-anonymous=1",
                    "-L", "module-null-sink"}, pulseEnv);
    if (!eventually([&] { return access(socket.c_str(), F_OK) == 0; })) GTEST_SKIP() << "no sound server";

    const std::string log = program.file("stderr.txt");
    const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> env = x.programEnv();
    env.insert(env.end(), pulseEnv.begin(), pulseEnv.end());
    env.push_back("BRIOLETTA_SOUNDFONT=");
    Process brioletta({program.file("brioletta")}, env, {{logFd, 2}});
    ::close(logFd);
    const auto said = [&](const std::string& line) {
        return eventually([&] { return readWholeFile(log).find(line) != std::string::npos; }, 20000);
    };
    ASSERT_TRUE(said("playing the SoundFont /usr/share/sounds/sf2/FluidR3_GM.sf2")) << readWholeFile(log);
    const auto window = x.findWindow("^Brioletta - ");
    ASSERT_TRUE(window);
    const auto where = [&](const std::string& id) {
        Geometry g;
        std::istringstream in(x.xdotool({"getwindowgeometry", "--shell", id}).value_or(""));
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("X=", 0) == 0) g.x = std::stoi(line.substr(2));
            if (line.rfind("Y=", 0) == 0) g.y = std::stoi(line.substr(2));
        }
        return g;
    };
    const auto click = [&](int screenX, int screenY) {
        ASSERT_TRUE(x.xdotool({"mousemove", std::to_string(screenX), std::to_string(screenY), "click", "1", "sleep", "0.5"}));
    };
    const Geometry main = where(*window);
    click(main.x + optionsMenuX, main.y + 25);
    click(main.x + optionsMenuX, main.y + 33 + moreOptionsEntry * 20 + 12);
    const auto dialog = x.findWindow("^Brioletta$");
    ASSERT_TRUE(dialog) << "no Options page";
    const Geometry page = where(*dialog);
    click(page.x + soundFontBox[0], page.y + soundFontBox[1]);
    // The list opens centred under the box: rows of 16 pixels from its top.
    click(page.x + soundFontBox[0], page.y + soundFontBox[1] + 12 + timGMEntry * 16 + 8);
    ASSERT_TRUE(said(std::string("playing the SoundFont ") + timGM)) << readWholeFile(log);

    // It plays: a key sounds on the server's null sink.
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", *dialog, "key", "Escape", "sleep", "0.3"}));
    const std::string recorded = program.file("sound.raw");
    const int soundFd = ::open(recorded.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // Small fragments: by default the recorder hands over two seconds at a time.
    Process recorder({"parec", "-d", "null.monitor", "--format=s16le", "--raw", "--latency-msec=50"}, pulseEnv,
                     {{soundFd, 1}});
    ::close(soundFd);
    ASSERT_TRUE(eventually([&] { return !readWholeFile(recorded).empty(); })) << "the recorder did not start";
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", *window, "keydown", "z", "sleep", "0.8", "keyup", "z", "sleep", "0.3"}));
    recorder.signal(SIGINT);  // parec writes out what it holds as it ends
    recorder.waitFor(3000);
    const std::string sound = readWholeFile(recorded);
    int peak = 0;
    for (size_t i = 0; i + 1 < sound.size(); i += 2)
        peak = std::max(peak, std::abs(int(int16_t(uint8_t(sound[i]) | uint8_t(sound[i + 1]) << 8))));
    EXPECT_GT(peak, 300) << sound.size() << " bytes recorded";

    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", *window, "keydown", "Escape", "keyup", "Escape"}));
    ASSERT_EQ(brioletta.waitFor(10000), 0);
    EXPECT_NE(readWholeFile(program.file("options.cfg")).find(std::string("\r\nsoundFont=") + timGM + "\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace brio::e2e
