#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace brio {

// A stereo float output through one of SDL's audio drivers ("pipewire", "pulseaudio", "alsa",
// ...). SDL's audio subsystem is started with that driver for as long as the output lives, on
// whatever thread opens it, and quit when it closes; the video subsystem is left alone.
class SdlAudioOutput {
public:
    // Fills `frames` interleaved stereo frames; runs on the driver's audio thread.
    using Fill = void (*)(void* context, float* interleaved, int frames);

    // The output, playing, or nullptr when the driver does not start or takes no stream.
    static std::unique_ptr<SdlAudioOutput> open(const std::string& driver, int sampleRate, int bufferFrames,
                                                Fill fill, void* context);
    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    // True once SDL has found the stream broken (its sound server went away).
    bool disconnected() const;
    int bufferFrames() const { return frames; }
    // Whether the driver's fill may wait for a while without harming the server: it runs on
    // SDL's own thread, not inside the sound server's processing cycle (as PipeWire's does).
    static bool fillMayWait(const std::string& driver) { return driver != "pipewire"; }

private:
    SdlAudioOutput(Fill fill, void* context) : fill(fill), context(context) {}
    static void callback(void* self, uint8_t* stream, int bytes);

    Fill fill;
    void* context;
    uint32_t device = 0;
    int frames = 0;
};

}  // namespace brio
