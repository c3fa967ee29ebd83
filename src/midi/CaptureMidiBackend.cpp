#include "midi/CaptureMidiBackend.h"

#include "foundation/Clock.h"

namespace brio {

CaptureMidiBackend::CaptureMidiBackend(const std::string& filePath)
    : file(std::fopen(filePath.c_str(), "w")) {}

CaptureMidiBackend::~CaptureMidiBackend() {
    if (file) std::fclose(file);
}

bool CaptureMidiBackend::open(int device) {
    const bool known = device == mapperDevice || (device >= 0 && device < int(names.size()));
    opened = known && !refuseOpen;
    if (opened) openedDevice = device;
    return opened;
}

void CaptureMidiBackend::reset() {
    ++resets;
    if (!file) return;
    constexpr int channelCount = 16;
    constexpr unsigned controlChange = 0xB0;
    const uint32_t time = systemClock().milliseconds();
    for (unsigned channel = 0; channel < channelCount; ++channel) {
        for (unsigned controller : {123u, 120u, 121u}) {
            std::fprintf(file, "%u;%u;%u;0;\n", time, controlChange + channel, controller);
        }
    }
    std::fflush(file);
}

void CaptureMidiBackend::send(uint32_t packed) {
    const Message message{systemClock().milliseconds(), uint8_t(packed), uint8_t(packed >> 8),
                          uint8_t(packed >> 16)};
    messages.push_back(message);
    if (file) {
        std::fprintf(file, "%u;%u;%u;%u;\n", message.time, message.status, message.data1, message.data2);
        std::fflush(file);
    }
}

}  // namespace brio
