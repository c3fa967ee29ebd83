#include "platform/ProcessLauncher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "graphics/UserDialogs.h"

extern char** environ;

namespace brio {

namespace {

// Closes the descriptor it holds when it goes away.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd; }
    void close() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }

private:
    int fd;
};

// What the child gets: the pipe as standard output, /dev/null as standard input, and none of
// our other descriptors (display connection, sound devices) where the C library can close them.
class SpawnActions {
public:
    explicit SpawnActions(int outputFd) {
        initialised = posix_spawn_file_actions_init(&actions) == 0;
        if (!initialised) return;
        ready =
            posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO) == 0 &&
            posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0;
#if defined(__GLIBC_PREREQ)
#if __GLIBC_PREREQ(2, 34)
        ready = ready && posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) == 0;
#endif
#endif
    }
    ~SpawnActions() {
        if (initialised) posix_spawn_file_actions_destroy(&actions);
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    bool initialised = false;
    bool ready = false;
    posix_spawn_file_actions_t actions;
};

// The child starts with no blocked signals and with SIGPIPE at its default, whatever this
// process has set for itself.
class SpawnAttributes {
public:
    SpawnAttributes() {
        initialised = posix_spawnattr_init(&attributes) == 0;
        if (!initialised) return;
        sigset_t none;
        sigset_t defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        ready = posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
                posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
                posix_spawnattr_setflags(&attributes,
                                         POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }
    ~SpawnAttributes() {
        if (initialised) posix_spawnattr_destroy(&attributes);
    }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    bool initialised = false;
    bool ready = false;
    posix_spawnattr_t attributes;
};

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The folders posix_spawnp searches: PATH, or the system's default when PATH is not set.
std::string searchPath() {
    if (const char* path = std::getenv("PATH")) return path;
    std::string fallback(::confstr(_CS_PATH, nullptr, 0), '\0');
    if (!fallback.empty()) ::confstr(_CS_PATH, fallback.data(), fallback.size());
    if (!fallback.empty()) fallback.pop_back();  // confstr counts the terminating zero
    return fallback;
}

// Everything the child writes until it closes its output, the program's loop going on meanwhile
// (runBoxWaitPass) so that music and windows do not stop while a box is open.
std::string readAllMeanwhile(int fd) {
    std::string text;
    char buffer[4096];
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0) {
            text.append(buffer, size_t(count));
            continue;
        }
        if (count == 0 || (errno != EINTR && errno != EAGAIN)) return text;
        if (errno == EINTR) continue;
        pollfd ready{fd, POLLIN, 0};
        (void)::poll(&ready, 1, int(std::min(runBoxWaitPass(), idleBoxWaitMs)));
    }
}

// The child's exit status (128 + the signal that ended it), the loop going on while it ends.
int waitForExit(pid_t pid) {
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) return -1;
        if (done == 0) ::usleep(1000u * std::min(runBoxWaitPass(), 5u));
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

bool PosixProcessLauncher::available(const std::string& tool) {
    if (tool.empty()) return false;
    if (tool.find('/') != std::string::npos) return isExecutableFile(tool);
    const std::string folders = searchPath();
    size_t start = 0;
    for (;;) {
        const size_t end = folders.find(':', start);
        const std::string folder =
            folders.substr(start, end == std::string::npos ? end : end - start);
        // An empty entry means the current folder.
        if (isExecutableFile((folder.empty() ? "." : folder) + "/" + tool)) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

std::optional<RunResult> PosixProcessLauncher::run(const std::vector<std::string>& argv) {
    if (argv.empty() || argv[0].empty()) return std::nullopt;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
    Descriptor readEnd(fds[0]);
    Descriptor writeEnd(fds[1]);
    SpawnActions actions(writeEnd.get());
    SpawnAttributes attributes;
    if (!actions.ready || !attributes.ready) return std::nullopt;
    std::vector<char*> arguments;
    for (const std::string& argument : argv)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, argv[0].c_str(), &actions.actions,
                                     &attributes.attributes, arguments.data(), environ);
    // Our copy of the write end must go, or the read below would never see the end.
    writeEnd.close();
    if (error != 0) return std::nullopt;
    RunResult result;
    result.output = readAllMeanwhile(readEnd.get());
    result.exitStatus = waitForExit(pid);
    return result;
}

}  // namespace brio
