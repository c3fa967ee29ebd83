#pragma once

#include <string>

namespace brio {

class Recorder;

// The file's events into `into`, its kind told by its first bytes (a Standard MIDI File or the
// private text format); false (after the recorder's own message, if any) when it is unreadable
// or no recording.
bool readRecordingFile(const std::string& path, Recorder& into);
// The recording to `path`, as a Standard MIDI File when the name ends so, else in the text
// format; false (after the recorder's message, if any) when nothing was written.
bool writeRecordingFile(const std::string& path, Recorder& from);

}  // namespace brio
