#include "platform/RenderCommand.h"

#include <cstdio>
#include <cstdlib>

#include "foundation/AppIdentity.h"
#include "graphics/UserDialogs.h"
#include "midi/AudioExport.h"
#include "midi/Recorder.h"
#include "midi/RecordingFile.h"
#include "platform/RecordingRender.h"
#include "settings/Options.h"

namespace brio {

namespace {

// The recorder's messages, as the one line a failed command prints.
class FirstNotice : public CancelledDialogs {
public:
    void showNotice(const std::string& text) override {
        if (notice.empty()) notice = text;
    }
    std::string notice;
};

int fail(const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", applicationTitle, why.c_str());
    return 1;
}

// Trims the blanks a notice is padded with for its box.
std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

int renderFromCommandLine(const std::string& recordingPath, const std::string& audioPath) {
    FirstNotice notices;
    installUserDialogs(&notices);
    Recorder recording;
    const bool read = readRecordingFile(recordingPath, recording);
    installUserDialogs(nullptr);
    if (!read) {
        return fail(notices.notice.empty() ? recordingPath + " cannot be read."
                                           : recordingPath + ": " + trimmed(notices.notice));
    }
    const char* fromEnvironment = std::getenv("BRIOLETTA_SOUNDFONT");
    AudioRenderJob job{std::vector<MidiEvent>(recording.events.begin(), recording.events.end()), audioPath,
                       audioFormatOf(audioPath).value_or(AudioFormat::wav),
                       fromEnvironment && *fromEnvironment ? fromEnvironment : Options::savedSoundFont()};
    RenderControl control;
    const RenderOutcome outcome = renderRecording(job, control);
    return outcome.end == AudioRenderer::State::done ? 0 : fail(outcome.failure);
}

}  // namespace brio
