#pragma once

#include <string>
#include <vector>

namespace brio {

// Writes 16-bit stereo PCM: samples -1..1 (clipped), `left` and `right` of equal length.
// False when the file cannot be written.
bool writeWav(const std::string& path, const std::vector<float>& left,
              const std::vector<float>& right, int sampleRate);

}  // namespace brio
