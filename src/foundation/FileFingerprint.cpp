#include "foundation/FileFingerprint.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "foundation/FileIo.h"

namespace brio {

namespace {

constexpr uint64_t fnvOffset = 14695981039346656037ull;
constexpr uint64_t fnvPrime = 1099511628211ull;
constexpr uint64_t endSpan = 1 << 20;    // bytes read at either end
constexpr uint64_t blockSize = 1 << 14;  // bytes of each block between
constexpr int blockCount = 64;

void mix(uint64_t& hash, const char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        hash ^= uint8_t(bytes[i]);
        hash *= fnvPrime;
    }
}

// Mixes `count` bytes from `offset` in; false when they cannot be read.
bool mixSpan(std::ifstream& file, uint64_t offset, uint64_t count, uint64_t& hash) {
    std::vector<char> bytes(count);
    file.seekg(std::streamoff(offset));
    if (!file.read(bytes.data(), std::streamsize(count))) return false;
    mix(hash, bytes.data(), bytes.size());
    return true;
}

}  // namespace

std::optional<uint64_t> fileFingerprint(const std::string& path) {
    if (!isReadableFile(path)) return {};
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return {};
    const auto end = file.tellg();
    if (end < 0) return {};
    const uint64_t size = uint64_t(end);
    uint64_t hash = fnvOffset;
    mix(hash, reinterpret_cast<const char*>(&size), sizeof size);
    const uint64_t head = std::min(size, endSpan);
    if (!mixSpan(file, 0, head, hash)) return {};
    if (size > 2 * endSpan + blockSize) {
        const uint64_t between = size - 2 * endSpan - blockSize;
        for (int b = 0; b < blockCount; ++b) {
            if (!mixSpan(file, endSpan + between * uint64_t(b) / (blockCount - 1), blockSize, hash)) return {};
        }
    }
    if (size > endSpan && !mixSpan(file, size - std::min(size - endSpan, endSpan), std::min(size - endSpan, endSpan), hash)) {
        return {};
    }
    return hash;
}

}  // namespace brio
