#include "ProgramRun.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace brio::e2e {

namespace fs = std::filesystem;

ProgramFolder::ProgramFolder() {
    std::string pattern = (fs::temp_directory_path() / "brio-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    folder = pattern;
    fs::copy(BRIO_BIN_DIR, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

ProgramFolder::~ProgramFolder() {
    std::error_code ignored;
    if (!folder.empty()) fs::remove_all(folder, ignored);
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<Captured> readCapture(const std::string& path) {
    std::vector<Captured> result;
    std::istringstream in(readWholeFile(path));
    for (std::string line; std::getline(in, line);) {
        Captured c{};
        if (std::sscanf(line.c_str(), "%lld;%d;%d;%d;", &c.time, &c.status, &c.data1, &c.data2) == 4) result.push_back(c);
    }
    return result;
}

long long monotonicMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000LL + t.tv_nsec / 1000000;
}

}  // namespace brio::e2e
