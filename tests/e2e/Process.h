#pragma once

#include <sys/types.h>

#include <functional>
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
    pid_t id() const { return pid; }
    // True while the child has not ended (a crash ends it too).
    bool running() { return !waitFor(0) && started() && !reaped; }
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

// Asks `done` every 50 ms until it holds or `timeoutMs` have passed; whether it held.
bool eventually(const std::function<bool()>& done, int timeoutMs = 10000);

// What runs on the private X server: nothing, a reparenting window manager (openbox), or a
// Wayland compositor (weston) offering XWayland, with the X server as its screen and input.
enum class Desktop { bare, openbox, weston };

// A private X server for one test, on a display number chosen by the server itself. Under
// weston, `display` is XWayland's.
class XvfbSession {
public:
    explicit XvfbSession(Desktop desktop = Desktop::bare);
    ~XvfbSession();
    bool ready() const { return !display.empty(); }
    // "DISPLAY=:N" for the programs that use this server.
    std::string displayEnv() const { return "DISPLAY=" + display; }
    // The environment of the program under test: this display, and no leak report at exit
    // under the sanitizers (the windowing libraries that SDL loads and unloads itself leave
    // memory behind; the unit tests keep leak detection on the program's own code).
    // Under weston it also names the compositor, as in a Wayland session.
    std::vector<std::string> programEnv() const;
    // Runs xdotool with `args` on this display; its output, or nothing when it failed.
    std::optional<std::string> xdotool(const std::vector<std::string>& args, int timeoutMs = 10000);
    // Runs xdotool on the X server whose pointer and keyboard reach the program: weston's host
    // (XTest pointer motion on XWayland 22 crashes it), else this display.
    std::optional<std::string> input(std::vector<std::string> args);
    // The first visible window whose name matches `pattern`, waited for. A search can fail
    // with an X error when a window it looks at goes away meanwhile (the program's start makes
    // and drops windows), so it is tried again until the time is up.
    std::optional<std::string> findWindow(const std::string& pattern, int timeoutMs = 10000);

private:
    bool startCompositor();

    std::unique_ptr<Process> server, desktop;
    std::string display, hostDisplay, runtimeDir, waylandDisplay;
};

}  // namespace brio::e2e
