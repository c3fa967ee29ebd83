#include "foundation/FileIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string_view>

namespace brio {

namespace {

constexpr size_t readChunk = 1 << 16;
constexpr const char* temporaryPrefix = ".brio-save-";
// A temporary file this old was left by a save that never finished (the program was killed):
// no save takes that long.
constexpr time_t staleTemporarySeconds = 3600;

int reserveRoom(int fd, off_t length) {
    const int error = ::posix_fallocate(fd, 0, length);
    errno = error;
    return error == 0 ? 0 : -1;
}

const FileWriteCalls systemCalls{::write, ::fsync, ::close, ::rename, ::mkstemp, reserveRoom};
const FileWriteCalls* writeCalls = &systemCalls;
constexpr mode_t defaultMode = 0666;
constexpr mode_t permissionBits = 07777;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
    int get() const { return fd; }
    // Closes now so that the caller sees a failing close (delayed write errors).
    bool close() {
        int result = writeCalls->close(fd);
        fd = -1;
        return result == 0;
    }

private:
    int fd;
};

bool writeAll(int fd, const char* bytes, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t written = writeCalls->write(fd, bytes + done, count - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

bool writeAll(int fd, const std::string& bytes) { return writeAll(fd, bytes.data(), bytes.size()); }

// The umask without changing it: /proc/self/status reports it; setting and restoring it is the
// fallback for kernels that do not.
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The file actually written: the target of a symbolic link, else the path itself.
std::string resolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The permission bits for the new file. False when an existing target may not be written (a
// plain overwrite would have been refused too) or is not a regular file: renaming over a device
// or a folder would replace it rather than write into it.
bool targetMode(const std::string& target, mode_t& mode) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        mode = defaultMode & ~currentUmask();
        return true;
    }
    if (!S_ISREG(info.st_mode)) return false;
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
    mode = info.st_mode & permissionBits;
    return true;
}

// The overwrite of a target whose folder takes no temporary file. Nothing of the old content
// goes before the room for the new is reserved; the rest of a longer old file is cut after.
bool writeInPlace(const std::string& target, const std::string& bytes) {
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (file.get() < 0) return false;
    const bool written = (bytes.empty() || writeCalls->reserve(file.get(), off_t(bytes.size())) == 0) &&
                         writeAll(file.get(), bytes) && ::ftruncate(file.get(), off_t(bytes.size())) == 0 &&
                         writeCalls->fsync(file.get()) == 0;
    return file.close() && written;
}

// A folder that refuses new files for permission, not for want of room.
bool refusedForPermission(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// Makes the rename itself durable: after a power cut the folder names the new file, not the old
// one. The file is in place either way, so a folder that cannot be synced changes nothing.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    writeCalls->fsync(fd);
    ::close(fd);
}

// Removes the temporary files that killed saves left in `folder`.
void removeStaleTemporaries(const std::string& folder) {
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) return;
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(entries)) {
        if (std::string_view(entry->d_name).rfind(temporaryPrefix, 0) != 0) continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime > staleTemporarySeconds) {
            ::unlink(path.c_str());
        }
    }
    ::closedir(entries);
}

// Reads up to `count` bytes from the start of the file; `maxBytes` refuses a larger file unread.
bool readFile(const std::string& path, std::string& bytes, size_t count, size_t maxBytes) {
    // Opening without blocking: a FIFO would otherwise wait for a writer forever. It is
    // refused below, before any read.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return false;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const size_t size = static_cast<size_t>(info.st_size);
    if (size > maxBytes) return false;
    std::string content;
    content.reserve(std::min(size, count));
    char chunk[readChunk];
    while (content.size() < count) {
        ssize_t got = ::read(file.get(), chunk, std::min(sizeof chunk, count - content.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        content.append(chunk, static_cast<size_t>(got));
        if (content.size() > maxBytes) return false;  // the file grew while it was read
    }
    bytes = std::move(content);
    return true;
}

}  // namespace

bool isReadableFile(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

bool pathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    return readFile(path, bytes, SIZE_MAX, SIZE_MAX);
}

bool readWholeFile(const std::string& path, std::string& bytes, size_t maxBytes) {
    return readFile(path, bytes, SIZE_MAX, maxBytes);
}

bool readFileStart(const std::string& path, size_t count, std::string& bytes) {
    return readFile(path, bytes, count, SIZE_MAX);
}

bool replaceFile(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    FileReplacement file(path);
    if (file.descriptor() < 0) {
        const bool inPlace = file.temporaryRefusedForPermission() && ::access(file.targetPath().c_str(), W_OK) == 0;
        return inPlace && writeInPlace(file.targetPath(), bytes);
    }
    return file.write(bytes.data(), bytes.size()) && file.commit();
}

FileReplacement::FileReplacement(const std::string& path) {
    mode_t mode = 0;
    target = resolveTarget(path);
    if (path.empty() || !targetMode(target, mode)) return;
    // A fixed short name, so that a target name near the length limit still gets a temporary.
    tempPath = folderOf(target) + "/" + temporaryPrefix + "XXXXXX";
    fd = writeCalls->makeTemporary(tempPath.data());
    if (fd < 0) {
        temporaryError = errno;
        tempPath.clear();
        return;
    }
    if (::fchmod(fd, mode) != 0) failed = true;
}

FileReplacement::~FileReplacement() {
    if (fd >= 0) ::close(fd);
    if (!tempPath.empty()) ::unlink(tempPath.c_str());
}

bool FileReplacement::temporaryRefusedForPermission() const { return refusedForPermission(temporaryError); }

bool FileReplacement::write(const void* bytes, size_t count) {
    if (!ok() || !writeAll(fd, static_cast<const char*>(bytes), count)) failed = true;
    return ok();
}

bool FileReplacement::commit() {
    if (!ok()) return false;
    const bool flushed = writeCalls->fsync(fd) == 0;
    const bool closed = writeCalls->close(fd) == 0;
    fd = -1;
    if (!flushed || !closed || writeCalls->rename(tempPath.c_str(), target.c_str()) != 0) return false;
    tempPath.clear();
    const std::string folder = folderOf(target);
    syncFolder(folder);
    removeStaleTemporaries(folder);
    return true;
}

void installFileWriteCalls(const FileWriteCalls* calls) { writeCalls = calls ? calls : &systemCalls; }

}  // namespace brio
