// The built-in synthesizer playing through a real sound server (a private PulseAudio with a null
// sink, through SDL; a private JACK server on its dummy driver) that is killed: its audio output
// is found stopped within a few seconds, closing it does not hang, and it plays again through a
// new server.
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TestFiles.h"
#include "platform/SystemMidi.h"

extern char** environ;

namespace brio {
namespace {

using namespace std::chrono_literals;

enum class Server { pulseaudio, jack };

// A sound server of the test's own: PulseAudio on a socket in a temporary folder with a null
// sink, or JACK under a name of its own on its dummy driver. Found by the clients through the
// environment; `ready` is the file whose presence says it serves.
class PrivateSoundServer {
public:
    PrivateSoundServer(Server kind, const std::string& folder) {
        if (kind == Server::pulseaudio) {
            startPulseAudio(folder);
        } else {
            startJack();
        }
        for (int i = 0; i < 50 && pid > 0 && access(ready.c_str(), F_OK) != 0; ++i) std::this_thread::sleep_for(100ms);
    }
    ~PrivateSoundServer() { kill(); }
    bool running() const { return pid > 0 && access(ready.c_str(), F_OK) == 0; }
    void kill() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
        std::error_code ignored;
        std::filesystem::remove_all(ready, ignored);  // the killed server's socket or folder
    }

private:
    void spawn(const char* const* argv) {
        if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0) pid = -1;
    }
    void startPulseAudio(const std::string& folder) {
        ready = folder + "/native";
        const std::string protocol = "module-native-protocol-unix socket=" + ready + " auth-anonymous=1";
        const char* argv[] = {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                              "--use-pid-file=no", "--system=no", "--log-target=stderr", "--log-level=0",
                              "-L", protocol.c_str(), "-L", "module-null-sink", nullptr};
        ::setenv("PULSE_RUNTIME_PATH", folder.c_str(), 1);
        ::setenv("PULSE_STATE_PATH", folder.c_str(), 1);
        ::setenv("PULSE_SERVER", ("unix:" + ready).c_str(), 1);
        spawn(argv);
    }
    void startJack() {
        // JACK 1 keeps a machine-wide table of eight server names, where a killed server's
        // entry stays until a server of the same name starts: a fixed name takes one entry.
        const std::string name = "brio-audio-death-test";
        ::setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
        ::setenv("JACK_NO_START_SERVER", "1", 1);
        ready = "/dev/shm/jack-" + std::to_string(getuid()) + "/" + name;
        std::error_code ignored;
        std::filesystem::remove_all(ready, ignored);  // left by a run that was killed itself
        const char* argv[] = {"jackd", "--no-realtime", "--silent", "--name", name.c_str(),
                              "-d", "dummy", "-r", "48000", "-p", "128", nullptr};
        spawn(argv);
    }

    std::string ready;
    pid_t pid = -1;
};

// The audio ports of the JACK client called `client`, asked of the running server.
int jackAudioPorts(const std::string& client) {
    jack_client_t* probe = jack_client_open("brio-test-probe", JackNoStartServer, nullptr);
    if (probe == nullptr) return -1;
    const char** ports = jack_get_ports(probe, ("^" + client + ":").c_str(), JACK_DEFAULT_AUDIO_TYPE, 0);
    int count = 0;
    while (ports != nullptr && ports[count] != nullptr) ++count;
    jack_free(ports);
    jack_client_close(probe);
    return count;
}

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
    for (const Server kind : {Server::pulseaudio, Server::jack}) {
        const std::string driver = kind == Server::jack ? "jack" : "pulseaudio";
        SCOPED_TRACE(driver);
        test::TempDir folder;
        auto server = std::make_unique<PrivateSoundServer>(kind, folder.folder());
        if (!server->running()) GTEST_SKIP() << "no " << driver << " server could be started here";
        SystemMidi midi(BuiltInSynth::defaultSoundFonts(), {driver});
        midi.deviceNames();  // MIDI clients first, as the program makes them
        ASSERT_TRUE(midi.open(MidiBackend::mapperDevice));
        midi.waitForSynth();
        if (!midi.synthReady()) GTEST_SKIP() << "no SoundFont, or the server took no client";
        midi.send(0x90 | 60 << 8 | 100 << 16);
        EXPECT_EQ(failureWithin(midi, 3s), "");  // playing, and silent after the note: still alive
        // The audio client has the program's name, whatever the MIDI client is called.
        if (kind == Server::jack) {
            EXPECT_EQ(jackAudioPorts(RtMidiPorts::clientName), 2);
        }

        server->kill();
        const std::string why = failureWithin(midi, 5s);
        EXPECT_EQ(why, "its audio output through " + driver + " stopped");
        const auto closing = std::chrono::steady_clock::now();
        midi.close();
        EXPECT_LT(std::chrono::steady_clock::now() - closing, 2s);

        server = std::make_unique<PrivateSoundServer>(kind, folder.folder());
        ASSERT_TRUE(server->running());
        ASSERT_TRUE(midi.open(MidiBackend::mapperDevice));
        midi.waitForSynth();
        midi.send(0x90 | 64 << 8 | 100 << 16);
        EXPECT_EQ(failureWithin(midi, 3s), "");
        midi.close();
    }
    ::unsetenv("PULSE_SERVER");
    ::unsetenv("JACK_DEFAULT_SERVER");
}

}  // namespace
}  // namespace brio
