#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brio::e2e {

// A child process started without a shell.
class Process {
public:
    // Starts `argv` with `extraEnv` ("NAME=value") added to this process's environment. Each
    // redirect {ours, theirs} makes our descriptor `ours` the child's descriptor `theirs`.
    Process(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
            const std::vector<std::pair<int, int>>& redirects = {});
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return pid > 0; }
    // Waits up to `timeoutMs` for the child to end; its exit status, or nothing on time-out or
    // when it was ended by a signal.
    std::optional<int> waitFor(int timeoutMs);
    void kill();
    // Sends the signal `number` to the child while it runs.
    void signal(int number);

private:
    pid_t pid = -1;
    bool reaped = false;
};

// Runs a command to its end and returns what it printed on standard output, or nothing when it
// failed.
std::optional<std::string> runAndCapture(const std::vector<std::string>& argv,
                                         const std::vector<std::string>& extraEnv = {},
                                         int timeoutMs = 10000);

// A private X server for one test, on a display number chosen by the server itself.
class XvfbSession {
public:
    XvfbSession();
    ~XvfbSession();
    bool ready() const { return !display.empty(); }
    // "DISPLAY=:N" for the programs that use this server.
    std::string displayEnv() const { return "DISPLAY=" + display; }
    // The environment of the program under test: this display, and no leak report at exit
    // under the sanitizers (the windowing libraries that SDL loads and unloads itself leave
    // memory behind; the unit tests keep leak detection on the program's own code).
    std::vector<std::string> programEnv() const { return {displayEnv(), "LSAN_OPTIONS=detect_leaks=0"}; }
    // Runs xdotool with `args` on this display; its output, or nothing when it failed.
    std::optional<std::string> xdotool(const std::vector<std::string>& args, int timeoutMs = 10000);
    // The first visible window whose name matches `pattern`, waited for. A search can fail
    // with an X error when a window it looks at goes away meanwhile (the program's start makes
    // and drops windows), so it is tried again until the time is up.
    std::optional<std::string> findWindow(const std::string& pattern, int timeoutMs = 10000);

private:
    std::unique_ptr<Process> server;
    std::string display;
};

}  // namespace brio::e2e
