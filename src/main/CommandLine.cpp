#include "main/CommandLine.h"

#include <strings.h>

#include "midi/StandardMidiFile.h"

namespace brio {

namespace {

bool endsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && ::strcasecmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder) {
    CommandLine line;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            if (line.action == CommandLine::Action::run) line.action = CommandLine::Action::help;
        } else if (!optionsEnded && argument == "--version") {
            if (line.action == CommandLine::Action::run) line.action = CommandLine::Action::version;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            line.action = CommandLine::Action::usageError;
            line.problem = "unknown option " + argument;
            return line;
        } else if (argument.empty()) {
            line.action = CommandLine::Action::usageError;
            line.problem = "an empty file name";
            return line;
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() > 1) {
        line.action = CommandLine::Action::usageError;
        line.problem = "only one file can be opened";
        return line;
    }
    if (files.empty()) return line;
    line.file = files[0];
    if (line.file[0] != '/') {
        line.file = currentFolder + (currentFolder.empty() || currentFolder.back() == '/' ? "" : "/") + line.file;
    }
    line.recording = endsWithNoCase(line.file, ".prc") || smf::hasStandardMidiFileExtension(line.file);
    return line;
}

std::string usageLine() {
    return "Usage: brioletta [--help] [--version] [WORKSPACE.pws | RECORDING.prc | RECORDING.mid]";
}

std::string helpText() {
    return usageLine() +
           "\n"
           "A virtual piano with an arranger.\n"
           "\n"
           "  WORKSPACE.pws  open this workspace at start\n"
           "  RECORDING.prc  play this recording at start\n"
           "  RECORDING.mid  play this Standard MIDI File at start (also .midi)\n"
           "  --help         print this help and exit\n"
           "  --version      print the version and exit\n";
}

}  // namespace brio
