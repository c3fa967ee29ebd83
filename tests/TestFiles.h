#pragma once

// Files and folders for tests: a temporary folder that removes itself, and whole-file helpers.

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/RealFormat.h"
#include "foundation/Text.h"

namespace brio::test {

// A fresh folder under /tmp, removed with everything in it when the object goes away.
class TempDir {
public:
    TempDir() {
        std::string pattern = "/tmp/brio-test-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) root = pattern;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        if (root.empty()) return;
        std::error_code ignored;
        ::chmod(root.c_str(), 0700);
        // Folders a test made read-only must be writable again before their files can go.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ignored)) {
            if (entry.is_directory(ignored)) ::chmod(entry.path().c_str(), 0700);
        }
        std::filesystem::remove_all(root, ignored);
    }

    // The folder itself, without a trailing "/".
    const std::string& folder() const { return root; }
    // A path inside the folder.
    std::string path(const std::string& name) const { return root + "/" + name; }

private:
    std::string root;
};

// While alive, writes that would make any file larger than `bytes` fail (EFBIG) instead of
// raising SIGXFSZ: a way to make a write fail on purpose, even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    }

private:
    rlimit saved{};
    void (*oldHandler)(int) = SIG_DFL;
};

// Creates or replaces the file with exactly these bytes; false when it cannot be written.
inline bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The file's bytes; empty when it cannot be read.
inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}


// Sets the decimal separator for one test and puts the previous one back.
class SeparatorScope {
public:
    explicit SeparatorScope(char separator) : saved(decimalSeparator()) { setDecimalSeparator(separator); }
    SeparatorScope(const SeparatorScope&) = delete;
    SeparatorScope& operator=(const SeparatorScope&) = delete;
    ~SeparatorScope() { setDecimalSeparator(saved); }

private:
    char saved;
};

// The items of a line list, for comparing with matchers.
inline std::vector<std::string> itemsOf(const Text_& text) {
    return std::vector<std::string>(text.begin(), text.end());
}

}  // namespace brio::test
