#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brio {

// A 64-bit fingerprint of a file's content (FNV-1a): its size, its first and last megabyte and
// 64 blocks spread between them. Cheap for a file of hundreds of megabytes, and another version
// of the same file almost always differs in one of them. nullopt when the file cannot be read.
std::optional<uint64_t> fileFingerprint(const std::string& path);

}  // namespace brio
