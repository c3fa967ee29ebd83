#include "midi/RecordingFile.h"

#include "foundation/FileIo.h"
#include "foundation/Text.h"
#include "midi/Recorder.h"
#include "midi/StandardMidiFile.h"

namespace brio {

bool readRecordingFile(const std::string& path, Recorder& into) {
    std::string start;
    if (!readFileStart(path, 4, start)) return false;
    if (smf::looksLikeStandardMidiFile(start)) {
        std::string bytes;
        return readWholeFile(path, bytes, smf::maxFileBytes) && into.readStandardMidiFile(bytes);
    }
    Text_ lines;
    return lines.readTextFile(path, true) && into.readLines(lines);
}

// The chosen name's extension decides the kind: the choosers cannot tell which filter was picked.
bool writeRecordingFile(const std::string& path, Recorder& from) {
    if (smf::hasStandardMidiFileExtension(path)) {
        std::string bytes;
        return from.writeStandardMidiFile(bytes) && replaceFile(path, bytes);
    }
    Text_ lines;
    return from.writeLines(lines) && lines.writeTextFile(path);
}

}  // namespace brio
