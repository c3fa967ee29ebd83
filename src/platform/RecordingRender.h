#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "midi/AudioExport.h"

namespace brio {

// How far a render has come, and the request to stop it, shared with another thread.
struct RenderControl {
    std::atomic<double> progress{0.0};  // 0..1
    std::atomic<bool> cancel{false};
};

struct RenderOutcome {
    AudioRenderer::State end = AudioRenderer::State::done;  // done, cancelled or failed
    std::string failure;   // for failed: what went wrong, in words for the user
    int64_t frames = 0;    // written
};

// Renders the job's recording offline through a built-in synthesizer of its own, from the
// recording's first event to the end of its last sound: after the last event the pedals go up
// and the notes still held are let go, as when a recording stops, and the file ends where their
// release and the reverb have died away (at most longestTailMs later). Runs on the calling
// thread.
inline constexpr uint32_t longestTailMs = 30000;
RenderOutcome renderRecording(const AudioRenderJob& job, RenderControl& control);

// The renderer of the program: each job on a thread of its own.
class RecordingRenderer : public AudioRenderer {
public:
    RecordingRenderer() = default;
    // Cancels a job that still runs and waits for its end.
    ~RecordingRenderer() override;
    bool start(AudioRenderJob job) override;
    State state() const override { return current.load(); }
    double progress() const override { return control.progress.load(); }
    void cancel() override { control.cancel = true; }
    std::string failure() const override;

private:
    std::thread worker;
    RenderControl control;
    std::atomic<State> current{State::idle};
    mutable std::mutex lock;
    std::string lastFailure;  // under the lock
};

}  // namespace brio
