#include "Process.h"
#include "ProgramRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace brio::e2e {

namespace {

long long nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000LL + t.tv_nsec / 1000000;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (auto& t : texts) result.push_back(t.data());
    result.push_back(nullptr);
    return result;
}

}  // namespace

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                 const std::vector<std::pair<int, int>>& redirects) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    for (const auto& extra : extraEnv) {
        const std::string name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(env, [&](const std::string& e) { return e.rfind(name, 0) == 0; });
        env.push_back(extra);
    }
    auto argp = pointers(args);
    auto envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const auto& [ours, theirs] : redirects) posix_spawn_file_actions_adddup2(&actions, ours, theirs);
    if (posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
}

Process::~Process() {
    if (started() && !reaped) {
        kill();
        waitFor(2000);
    }
}

std::optional<int> Process::waitFor(int timeoutMs) {
    if (!started() || reaped) return std::nullopt;
    const long long deadline = nowMs() + timeoutMs;
    while (true) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            reaped = true;
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return std::nullopt;
        }
        if (nowMs() >= deadline) return std::nullopt;
        usleep(5000);
    }
}

void Process::kill() { signal(SIGKILL); }

void Process::signal(int number) {
    if (started() && !reaped) ::kill(pid, number);
}

std::optional<std::string> runAndCapture(const std::vector<std::string>& argv,
                                         const std::vector<std::string>& extraEnv, int timeoutMs) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
    Process child(argv, extraEnv, {{pipeFds[1], STDOUT_FILENO}});
    close(pipeFds[1]);
    std::string output;
    const long long deadline = nowMs() + timeoutMs;
    char buffer[4096];
    while (nowMs() < deadline) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        output.append(buffer, size_t(n));
    }
    close(pipeFds[0]);
    const auto status = child.waitFor(int(std::max(0LL, deadline - nowMs())));
    if (!status || *status != 0) return std::nullopt;
    return output;
}

XvfbSession::XvfbSession(Desktop kind) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return;
    // -displayfd: the server picks a free display and writes its number once it accepts clients.
    server = std::make_unique<Process>(
        std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24",
                                 "-nolisten", "tcp"},
        std::vector<std::string>{}, std::vector<std::pair<int, int>>{{pipeFds[1], 3}});
    close(pipeFds[1]);
    std::string number;
    const long long deadline = nowMs() + 10000;
    char c;
    while (nowMs() < deadline) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        if (read(pipeFds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(pipeFds[0]);
    if (number.empty()) return;
    display = hostDisplay = ":" + number;
    if (kind == Desktop::openbox) {
        // Openbox manages windows once it has set the root's _NET_SUPPORTING_WM_CHECK.
        desktop = std::make_unique<Process>(std::vector<std::string>{"openbox", "--sm-disable"},
                                            std::vector<std::string>{displayEnv()});
        const std::vector<std::string> check{"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"};
        const auto managing = [&] {
            return runAndCapture(check, {displayEnv()}).value_or("").find("window id") != std::string::npos;
        };
        if (!eventually(managing)) display.clear();
    }
    if (kind == Desktop::weston && !startCompositor()) display.clear();
}

// Weston in a private runtime folder (mode 0700) with its own socket; XWayland's display is read
// from weston's log.
bool XvfbSession::startCompositor() {
    std::string folder = (std::filesystem::temp_directory_path() / "brio-weston-XXXXXX").string();
    if (!mkdtemp(folder.data())) return false;
    runtimeDir = folder;
    waylandDisplay = "brio-e2e";  // a socket in the private folder
    desktop = std::make_unique<Process>(
        std::vector<std::string>{"weston", "--backend=x11-backend.so", "--use-pixman", "--width=1280", "--height=1024",
                                 "--xwayland", "--socket=" + waylandDisplay, "--log=" + runtimeDir + "/weston.log"},
        std::vector<std::string>{displayEnv(), "XDG_RUNTIME_DIR=" + runtimeDir});
    const std::string marker = "xserver listening on display ";
    return eventually([&] {
        const std::string log = readWholeFile(runtimeDir + "/weston.log");
        const size_t at = log.find(marker);
        const size_t end = at == std::string::npos ? at : log.find('\n', at);
        if (end == std::string::npos) return false;
        display = log.substr(at + marker.size(), end - at - marker.size());
        return true;
    });
}

std::vector<std::string> XvfbSession::programEnv() const {
    std::vector<std::string> env{displayEnv(), "LSAN_OPTIONS=detect_leaks=0"};
    if (!runtimeDir.empty())
        env.insert(env.end(), {"XDG_RUNTIME_DIR=" + runtimeDir, "WAYLAND_DISPLAY=" + waylandDisplay});
    return env;
}

XvfbSession::~XvfbSession() {
    if (desktop) desktop->signal(SIGTERM);  // weston then ends XWayland and removes its socket and locks
    if (desktop) desktop->waitFor(3000);
    std::error_code ignored;
    if (!runtimeDir.empty()) std::filesystem::remove_all(runtimeDir, ignored);
    if (server) {
        server->kill();
        server->waitFor(2000);
    }
}

std::optional<std::string> XvfbSession::xdotool(const std::vector<std::string>& args, int timeoutMs) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return runAndCapture(argv, {displayEnv()}, timeoutMs);
}

std::optional<std::string> XvfbSession::input(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    return runAndCapture(args, {"DISPLAY=" + hostDisplay});
}

bool eventually(const std::function<bool()>& done, int timeoutMs) {
    for (const long long end = nowMs() + timeoutMs; nowMs() < end; usleep(50000))
        if (done()) return true;
    return done();
}

std::optional<std::string> XvfbSession::findWindow(const std::string& pattern, int timeoutMs) {
    const long long deadline = monotonicMs() + timeoutMs;
    while (monotonicMs() < deadline) {
        const int left = int(deadline - monotonicMs());
        const auto found = xdotool({"search", "--sync", "--onlyvisible", "--name", pattern}, std::max(left, 1));
        if (found && !found->empty()) return found->substr(0, found->find('\n'));
        usleep(50000);
    }
    return std::nullopt;
}

}  // namespace brio::e2e
