#include "platform/SdlAudioOutput.h"

#include <SDL2/SDL.h>

#include <mutex>

namespace brio {

namespace {

constexpr int channels = 2;

// SDL counts its subsystems' users without a lock of its own: every start and quit of the
// audio subsystem here goes through this one.
std::mutex& subsystemLock() {
    static std::mutex lock;
    return lock;
}

// Starts the audio subsystem with `driver`; false (and nothing started) when that driver does
// not start, or another one is running already.
bool startSubsystem(const std::string& driver) {
    const std::lock_guard<std::mutex> hold(subsystemLock());
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    const char* running = SDL_GetCurrentAudioDriver();
    if (running != nullptr && driver == running) return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

void quitSubsystem() {
    const std::lock_guard<std::mutex> hold(subsystemLock());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::open(const std::string& driver, int sampleRate, int bufferFrames,
                                                     Fill fill, void* context) {
    if (!startSubsystem(driver)) return nullptr;
    std::unique_ptr<SdlAudioOutput> output(new SdlAudioOutput(fill, context));
    SDL_AudioSpec wanted{};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = channels;
    wanted.samples = Uint16(bufferFrames);
    wanted.callback = callback;
    wanted.userdata = output.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts whatever the server wants, and the buffer stays as asked.
    output->device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (output->device == 0) {
        quitSubsystem();
        return nullptr;
    }
    output->frames = obtained.samples;
    SDL_PauseAudioDevice(output->device, 0);
    return output;
}

SdlAudioOutput::~SdlAudioOutput() {
    SDL_CloseAudioDevice(device);
    quitSubsystem();
}

bool SdlAudioOutput::disconnected() const {
    return SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED;
}

void SdlAudioOutput::callback(void* self, uint8_t* stream, int bytes) {
    auto* output = static_cast<SdlAudioOutput*>(self);
    output->fill(output->context, reinterpret_cast<float*>(stream), bytes / int(channels * sizeof(float)));
}

}  // namespace brio
