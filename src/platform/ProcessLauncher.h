#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brio {

// How a finished program ended and what it wrote to its standard output.
struct RunResult {
    int exitStatus = -1;  // the exit code, or 128 + the signal that ended it
    std::string output;
};

// Starts helper programs (the file boxes) from an argument list, never through a shell, so no
// text in the arguments is ever interpreted. Tests replace it with a fake.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // True when `tool` is an executable file: a path as given, a bare name searched on PATH.
    virtual bool available(const std::string& tool) = 0;
    // Runs argv[0] (searched on PATH) with the arguments, waits for it to end and returns its
    // status and standard output; nothing when it could not be started. While it waits the
    // program's loop goes on (runBoxWaitPass): a file box does not stop the music.
    virtual std::optional<RunResult> run(const std::vector<std::string>& argv) = 0;
};

// The real launcher: posix_spawnp with standard input from /dev/null, standard output into a
// pipe, standard error and the environment inherited, and no other open descriptor passed on.
class PosixProcessLauncher : public ProcessLauncher {
public:
    bool available(const std::string& tool) override;
    std::optional<RunResult> run(const std::vector<std::string>& argv) override;
};

}  // namespace brio
