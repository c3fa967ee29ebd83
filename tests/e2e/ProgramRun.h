#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Process.h"

namespace brio::e2e {

// A copy of the built program folder (executables and shipped data) in a fresh temporary
// folder, so that a test's settings files never touch the build tree or another test.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    const std::string& path() const { return folder; }
    std::string file(const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};

// Reads a whole file; empty when it does not exist.
std::string readWholeFile(const std::string& path);

// Milliseconds on the monotonic clock.
long long monotonicMs();

// One line of the capture build's "midi-capture.txt".
struct Captured {
    long long time;
    int status, data1, data2;
};
std::vector<Captured> readCapture(const std::string& path);

}  // namespace brio::e2e
