#include "main/CommandLine.h"

#include <strings.h>

#include "midi/AudioExport.h"
#include "midi/StandardMidiFile.h"

namespace brio {

namespace {

bool endsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && ::strcasecmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

std::string absolute(const std::string& file, const std::string& currentFolder) {
    if (file[0] == '/') return file;
    return currentFolder + (currentFolder.empty() || currentFolder.back() == '/' ? "" : "/") + file;
}

CommandLine usageError(std::string problem) {
    CommandLine line;
    line.action = CommandLine::Action::usageError;
    line.problem = std::move(problem);
    return line;
}

// `--render RECORDING AUDIOFILE`: both files named, the recording by a recording's extension
// and the audio file by an audio format's. What is wrong is the render's own failure.
CommandLine renderLine(const std::vector<std::string>& files, const std::string& currentFolder) {
    CommandLine line;
    line.action = CommandLine::Action::render;
    line.recording = true;
    if (files.size() != 2) {
        line.problem = "--render takes a recording and an audio file";
        return line;
    }
    line.file = absolute(files[0], currentFolder);
    line.audioFile = absolute(files[1], currentFolder);
    if (!endsWithNoCase(line.file, ".prc") && !smf::hasStandardMidiFileExtension(line.file))
        line.problem = "the recording to render must be a .prc, .mid or .midi file";
    else if (!audioFormatOf(line.audioFile))
        line.problem = "the audio file must end in .wav, .flac or .ogg";
    return line;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments, const std::string& currentFolder) {
    CommandLine line;
    std::vector<std::string> files;
    bool optionsEnded = false;
    bool render = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument == "--render") {
            render = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            if (line.action == CommandLine::Action::run) line.action = CommandLine::Action::help;
        } else if (!optionsEnded && argument == "--version") {
            if (line.action == CommandLine::Action::run) line.action = CommandLine::Action::version;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            return usageError("unknown option " + argument);
        } else if (argument.empty()) {
            return usageError("an empty file name");
        } else {
            files.push_back(argument);
        }
    }
    if (render && line.action == CommandLine::Action::run) return renderLine(files, currentFolder);
    if (files.size() > 1) return usageError("only one file can be opened");
    if (files.empty()) return line;
    line.file = absolute(files[0], currentFolder);
    line.recording = endsWithNoCase(line.file, ".prc") || smf::hasStandardMidiFileExtension(line.file);
    return line;
}

std::string usageLine() {
    return "Usage: brioletta [--help] [--version] [WORKSPACE.pws | RECORDING.prc | RECORDING.mid]\n"
           "       brioletta --render RECORDING.prc|RECORDING.mid AUDIO.wav|AUDIO.flac|AUDIO.ogg";
}

std::string helpText() {
    return usageLine() +
           "\n"
           "A virtual piano with an arranger.\n"
           "\n"
           "  WORKSPACE.pws  open this workspace at start\n"
           "  RECORDING.prc  play this recording at start\n"
           "  RECORDING.mid  play this Standard MIDI File at start (also .midi)\n"
           "  --render RECORDING AUDIO\n"
           "                 render the recording through the built-in synthesizer to a 48 kHz\n"
           "                 16-bit .wav or .flac file, or an Ogg Vorbis .ogg file, and exit\n"
           "                 (no display needed; 1 and one line on standard error on failure)\n"
           "  --help         print this help and exit\n"
           "  --version      print the version and exit\n";
}

}  // namespace brio
