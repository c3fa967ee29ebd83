#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "graphics/Limage.h"
#include "platform/PngWriter.h"

namespace brio {

// Saves the image as BRIO_SNAPSHOT_DIR/<name>.png for a person to look at.
inline void saveSnapshot(const Limage& image, const std::string& name) {
    std::error_code error;
    std::filesystem::create_directories(BRIO_SNAPSHOT_DIR, error);
    const std::string path = std::string(BRIO_SNAPSHOT_DIR) + "/" + name + ".png";
    if (!savePng(image, path)) ADD_FAILURE() << "could not save the snapshot " << path;
}

}  // namespace brio
