// A recording saved as an audio file: rendered on the renderer's own thread while the station
// plays on, with a progress page when it takes a while.
#include <cstdint>
#include <vector>

#include "foundation/Clock.h"
#include "graphics/UserDialogs.h"
#include "main/CommandWindows.h"
#include "main/MidiSynth.h"
#include "midi/AudioExport.h"
#include "midi/Recorder.h"
#include "settings/Options.h"

namespace brio {

void MidiSynth::saveRecordingAsAudio(const std::string& path) {
    const Llist<MidiEvent>& recorded = recorder().events;
    std::vector<MidiEvent> events(recorded.begin(), recorded.end());
    if (const std::string refusal = audioRenderRefusal(events); !refusal.empty()) return userDialogs().showNotice(refusal);
    AudioRenderer* renderer = audioRenderer();
    const AudioFormat format = audioFormatOf(path).value_or(AudioFormat::wav);
    if (!renderer || !renderer->start(AudioRenderJob{std::move(events), path, format, options.soundFont}))
        return userDialogs().showNotice("An audio file cannot be made now.");
    const auto running = [renderer] { return renderer->state() == AudioRenderer::State::running; };
    // The station plays on while the render runs: for quietRenderMs before anything shows, and
    // to the end when no page could show (or a cancel is on its way).
    Clock& clock = systemClock();
    const auto playWhileRunning = [&](uint32_t longestMs) {
        const uint32_t began = clock.milliseconds();
        while (running() && elapsedMs(began, clock.milliseconds()) < int32_t(longestMs)) {
            tick(true);
            clock.sleep(1);
        }
    };
    playWhileRunning(quietRenderMs);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (running() && dialogPages) {
        dialogPages->showProgress("Rendering " + name,
                                  {[renderer] { return renderer->progress(); }, [running] { return !running(); },
                                   [renderer] { renderer->cancel(); }});
    }
    playWhileRunning(uint32_t(INT32_MAX));
    if (renderer->state() == AudioRenderer::State::failed) userDialogs().showNotice(renderer->failure());
}

}  // namespace brio
