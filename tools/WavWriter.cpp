#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace brio {

namespace {

constexpr int channels = 2;
constexpr int bytesPerSample = 2;
constexpr uint32_t fmtChunkSize = 16;
constexpr uint16_t pcmFormat = 1;

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value & 0xFF));
    out.push_back(uint8_t((value >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

int16_t toPcm(float sample) {
    const float clipped = std::clamp(sample, -1.0f, 1.0f);
    return int16_t(std::lrint(clipped * 32767.0f));
}

}  // namespace

bool writeWav(const std::string& path, const std::vector<float>& left,
              const std::vector<float>& right, int sampleRate) {
    const size_t frames = std::min(left.size(), right.size());
    const uint32_t dataBytes = uint32_t(frames * channels * bytesPerSample);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, fmtChunkSize);
    put16(out, pcmFormat);
    put16(out, channels);
    put32(out, uint32_t(sampleRate));
    put32(out, uint32_t(sampleRate * channels * bytesPerSample));  // byte rate
    put16(out, channels * bytesPerSample);                         // block align
    put16(out, bytesPerSample * 8);                                // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (size_t i = 0; i < frames; ++i) {
        put16(out, uint16_t(toPcm(left[i])));
        put16(out, uint16_t(toPcm(right[i])));
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace brio
