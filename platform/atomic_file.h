// Whole-file reads with a size limit and crash-safe replacement of a file (write a temporary
// beside it, fsync, rename over it, fsync the directory), shared by the profile files and the
// settings store. POSIX only; no window system.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orb {

// Owns a file descriptor and closes it.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& o) noexcept : fd_(o.Release()) {}
    UniqueFd& operator=(UniqueFd&& o) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int Get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int Release();
    void Reset(int fd = -1);

  private:
    int fd_ = -1; // the descriptor, -1 when none
};

// What identifies one version of a file: a replacement changes the inode, an edit in place
// changes the size or the times.
struct FileSignature {
    uint64_t device = 0; // st_dev
    uint64_t inode = 0;  // st_ino
    int64_t size = 0;    // bytes
    int64_t mtimeNs = 0; // modification time, ns since the epoch
    int64_t ctimeNs = 0; // status change time, ns since the epoch
    uint32_t mode = 0;   // permission bits
    bool operator==(const FileSignature&) const = default;
};

// The signature of the file at path; nothing when it does not exist or cannot be examined.
std::optional<FileSignature> StatSignature(const std::string& path);

enum class ReadStatus {
    Ok,       // the whole file was read
    Missing,  // no file at the path
    TooLarge, // longer than the limit: only the first `limit` bytes were read
    Error,    // not a regular file, or it could not be read
};

struct FileContents {
    ReadStatus status = ReadStatus::Missing; // outcome of the read
    std::string data;                        // the bytes read (at most the limit)
    FileSignature signature;                 // of the file read (valid for Ok and TooLarge)
    UniqueFd fd;                             // the open file (valid for Ok and TooLarge)
};

// Read a regular file, at most `limit` bytes. Never blocks on a FIFO or device at the path.
FileContents ReadFileLimited(const std::string& path, size_t limit);

struct ReplaceResult {
    bool ok = false;         // the new contents are in place under the path
    FileSignature signature; // of the new file
    UniqueFd fd;             // the new file, open (holding it keeps its inode from being reused)
};

// Replace (or create) the file at path with data so that a crash leaves either the old or the
// new file, never a torn one. With a mode the new file gets exactly those permission bits;
// without, 0666 less the umask. A file the caller may not write is not replaced. Nothing is
// left behind on failure.
ReplaceResult ReplaceFileAtomically(const std::string& path, std::string_view data,
                                    std::optional<uint32_t> mode);

// Temporary files of ReplaceFileAtomically for path start with this name.
std::string TempPrefix(const std::string& path);

// Remove temporaries of path left by a writer that died. Only safe while every writer of path
// holds its lock.
void RemoveStaleTemps(const std::string& path);

// Create the directory that holds path, and any missing parents, with the given mode.
bool EnsureParentDirectory(const std::string& path, uint32_t mode);

// An exclusive advisory lock (flock) on a lock file, created when missing; held until destroyed.
class FileLock {
  public:
    explicit FileLock(const std::string& lockPath);
    bool Held() const { return static_cast<bool>(fd_); }

  private:
    UniqueFd fd_; // the locked file; closing it releases the lock
};

} // namespace orb
