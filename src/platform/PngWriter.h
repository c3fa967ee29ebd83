#pragma once

#include <string>

namespace brio {

class Limage;

// Writes the image as an 8-bit RGB PNG file; false for an empty image or when the file cannot
// be written (a partly written file is removed).
bool savePng(const Limage& image, const std::string& path);

}  // namespace brio
