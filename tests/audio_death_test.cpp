// The built-in synthesizer playing through a real sound server (a private one with a null sink)
// that is killed: its audio output is found stopped within a few seconds, closing it does not
// hang, and it plays again through a new server.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "TestFiles.h"
#include "platform/SystemMidi.h"

extern char** environ;

namespace brio {
namespace {

using namespace std::chrono_literals;

// A sound server of the test's own, on a socket in a temporary folder, with a null sink.
class PrivateSoundServer {
public:
    explicit PrivateSoundServer(const std::string& folder) : socket(folder + "/native") {
        const std::string protocol = "module-native-protocol-unix socket=" + socket + " auth-anonymous=1";
        const char* argv[] = {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                              "--use-pid-file=no", "--system=no", "--log-target=stderr", "--log-level=0",
                              "-L", protocol.c_str(), "-L", "module-null-sink", nullptr};
        ::setenv("PULSE_RUNTIME_PATH", folder.c_str(), 1);
        ::setenv("PULSE_STATE_PATH", folder.c_str(), 1);
        ::setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
        if (::posix_spawnp(&pid, "pulseaudio", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) pid = -1;
        for (int i = 0; i < 50 && pid > 0 && access(socket.c_str(), F_OK) != 0; ++i) std::this_thread::sleep_for(100ms);
    }
    ~PrivateSoundServer() { kill(); }
    bool running() const { return pid > 0 && access(socket.c_str(), F_OK) == 0; }
    void kill() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
        ::unlink(socket.c_str());
    }

private:
    std::string socket;
    pid_t pid = -1;
};

// Waits up to `longest` for the synthesizer's failure to show; what it says, or "".
std::string failureWithin(SystemMidi& midi, std::chrono::milliseconds longest) {
    const auto end = std::chrono::steady_clock::now() + longest;
    while (std::chrono::steady_clock::now() < end) {
        const std::string why = midi.failure();
        if (!why.empty()) return why;
        std::this_thread::sleep_for(50ms);
    }
    return {};
}

TEST(AudioOutputDeath, AKilledSoundServerIsFoundAndANewOneIsPlayedThrough) {
    test::TempDir folder;
    auto server = std::make_unique<PrivateSoundServer>(folder.folder());
    if (!server->running()) GTEST_SKIP() << "no sound server could be started here";
    SystemMidi midi(BuiltInSynth::defaultSoundFonts(), {"pulseaudio"});
    ASSERT_TRUE(midi.open(MidiBackend::mapperDevice));
    midi.waitForSynth();
    if (!midi.synthReady()) GTEST_SKIP() << "no SoundFont, or the server took no client";
    midi.send(0x90 | 60 << 8 | 100 << 16);
    EXPECT_EQ(failureWithin(midi, 3s), "");  // playing, and silent after the note: still alive

    server->kill();
    const std::string why = failureWithin(midi, 5s);
    EXPECT_EQ(why, "its audio output through pulseaudio stopped");
    const auto closing = std::chrono::steady_clock::now();
    midi.close();
    EXPECT_LT(std::chrono::steady_clock::now() - closing, 2s);

    server = std::make_unique<PrivateSoundServer>(folder.folder());
    ASSERT_TRUE(server->running());
    ASSERT_TRUE(midi.open(MidiBackend::mapperDevice));
    midi.waitForSynth();
    midi.send(0x90 | 64 << 8 | 100 << 16);
    EXPECT_EQ(failureWithin(midi, 3s), "");
    midi.close();
    ::unsetenv("PULSE_SERVER");
}

}  // namespace
}  // namespace brio
