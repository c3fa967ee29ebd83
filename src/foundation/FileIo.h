#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace brio {

// Reads the whole file into `bytes` (binary, any size). False, with `bytes` unchanged, when the
// path cannot be opened or read or is not a regular file (a folder, a FIFO or a device, which
// are never opened for reading, so none of them can block the program).
bool readWholeFile(const std::string& path, std::string& bytes);
// The same, and also false for a file larger than `maxBytes`, told by its size before any read.
bool readWholeFile(const std::string& path, std::string& bytes, size_t maxBytes);
// The file's first `count` bytes (all of a shorter file), with readWholeFile's refusals.
bool readFileStart(const std::string& path, size_t count, std::string& bytes);
// True when `path` names a regular file this process may read (checked without reading it).
bool isReadableFile(const std::string& path);
// True when something exists at `path`, readable or not.
bool pathExists(const std::string& path);

// Replaces the file's contents with `bytes` all or nothing: the bytes go to a temporary file in
// the target's folder, which is renamed over the target only once every write, the flush to disk
// and the close succeeded. On failure the result is false, the temporary file is gone and an
// existing target is untouched. The new file keeps the old one's permission bits, else it gets
// 0666 less the umask. A symbolic link as target is followed, so the link stays a link; an
// existing target that is not a regular file is refused. When the folder refuses a temporary
// file for permission (EACCES, EPERM, EROFS) and the target may be written, the target is
// written in place instead, and only once the room for the new content is reserved; any other
// failure to make the temporary file (a full disk) fails the save with the target untouched. A
// successful save also removes the temporary files that saves killed over an hour before left
// in the folder.
bool replaceFile(const std::string& path, const std::string& bytes);

// A replacement of a file written in pieces, as replaceFile writes a whole one: the pieces go to
// a temporary file in the target's folder that commit() renames over the target once every
// write, the flush and the close succeeded. Without a commit (a failure, a cancel) the temporary
// file is removed when the object goes, and an existing target stays as it was. A folder that
// takes no temporary file fails it (there is no writing in place).
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // False once anything failed, or when the temporary file could not be made.
    bool ok() const { return fd >= 0 && !failed; }
    // Appends at the file's offset, all or fail.
    bool write(const void* bytes, size_t count);
    // The temporary file, for moving about in it while it is written (-1 when it failed).
    int descriptor() const { return fd; }
    // The file replaced: the path given, its symbolic link followed.
    const std::string& targetPath() const { return target; }
    // The folder refused the temporary file for permission (EACCES, EPERM, EROFS), not for
    // want of room.
    bool temporaryRefusedForPermission() const;
    // Renames the temporary file over the target; a success also removes the temporary files
    // that saves killed over an hour before left in the folder.
    bool commit();

private:
    std::string target;
    std::string tempPath;
    int fd = -1;
    int temporaryError = 0;  // why the temporary file could not be made
    bool failed = false;
};

// The system calls through which replaceFile and FileReplacement write, so that a test can make the disk fail at
// any byte or step. Each has the system call's contract (-1 with errno on failure).
struct FileWriteCalls {
    ssize_t (*write)(int fd, const void* bytes, size_t count);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*makeTemporary)(char* pattern);     // mkstemp
    int (*reserve)(int fd, off_t length);    // posix_fallocate from 0, with -1 and errno
};
// The calls in use; nullptr puts the system's back.
void installFileWriteCalls(const FileWriteCalls* calls);

}  // namespace brio
