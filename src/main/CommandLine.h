#pragma once

#include <string>
#include <vector>

namespace brio {

// What the command line asks for: `brioletta [--help | --version | FILE]`, where FILE is a
// workspace to open or, ending in ".prc", ".mid" or ".midi", a recording to play; or
// `brioletta --render RECORDING AUDIOFILE`, which renders the recording to a .wav, .flac or
// .ogg file without a window.
struct CommandLine {
    enum class Action { run, help, version, render, usageError };
    Action action = Action::run;
    std::string file;         // absolute, or empty
    std::string audioFile;    // for render: the file to write, absolute
    bool recording = false;   // the file is a recording
    std::string problem;      // for usageError, and a render that cannot start: what was wrong
};

// Reads the arguments after the program's name; a relative FILE is completed with `currentFolder`.
CommandLine parseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder);

// The usage line and the --help text.
std::string usageLine();
std::string helpText();

}  // namespace brio
