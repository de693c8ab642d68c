#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <random>

namespace orb {

UniqueFd& UniqueFd::operator=(UniqueFd&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
}

int UniqueFd::Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

namespace {

int64_t Nanoseconds(const timespec& t) {
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

FileSignature SignatureOf(const struct stat& st) {
    FileSignature s;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.mtimeNs = Nanoseconds(st.st_mtim);
    s.ctimeNs = Nanoseconds(st.st_ctim);
    s.mode = st.st_mode & 07777;
    return s;
}

std::string ParentOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// A name no other writer (thread or process) picks at the same moment.
std::string UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937_64 rng{std::random_device{}()};
    return std::to_string(::getpid()) + '-' + std::to_string(counter++) + '-' +
           std::to_string(rng() & 0xffffff);
}

void SyncDirectory(const std::string& dir) {
    UniqueFd d(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems refuse fsync on a directory; the rename itself has happened.
    if (d) ::fsync(d.Get());
}

} // namespace

std::optional<FileSignature> StatSignature(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return SignatureOf(st);
}

FileContents ReadFileLimited(const std::string& path, size_t limit) {
    FileContents out;
    // O_NONBLOCK: opening a FIFO planted at the path must not hang the caller.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd) {
        out.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Error;
        return out;
    }
    struct stat st;
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        out.status = ReadStatus::Error;
        return out;
    }
    out.signature = SignatureOf(st);
    // Read until end of file rather than trusting st_size: the file may change meanwhile.
    // One byte past the limit tells whether anything lies beyond it.
    size_t cap = limit + 1;
    out.data.reserve(std::min<size_t>(static_cast<size_t>(st.st_size), limit) + 1);
    while (out.data.size() < cap) {
        size_t have = out.data.size();
        size_t chunk = std::min<size_t>(cap - have, 1 << 16);
        out.data.resize(have + chunk);
        ssize_t n = ::read(fd.Get(), out.data.data() + have, chunk);
        int err = errno;
        out.data.resize(have + static_cast<size_t>(n > 0 ? n : 0));
        if (n < 0 && err == EINTR) continue;
        if (n < 0) {
            out.status = ReadStatus::Error;
            out.data.clear();
            return out;
        }
        if (n == 0) break;
    }
    out.status = ReadStatus::Ok;
    if (out.data.size() > limit) {
        out.data.resize(limit);
        out.status = ReadStatus::TooLarge;
    }
    out.fd = std::move(fd);
    return out;
}

std::string TempPrefix(const std::string& path) {
    return path + ".tmp-";
}

ReplaceResult ReplaceFileAtomically(const std::string& path, std::string_view data,
                                    std::optional<uint32_t> mode) {
    ReplaceResult result;
    // Renaming over a file ignores its permissions; a file made read-only stays as it is.
    if (::access(path.c_str(), W_OK) != 0 && errno == EACCES) return result;
    std::string temp;
    UniqueFd fd;
    for (int attempt = 0; attempt < 8 && !fd; ++attempt) {
        temp = TempPrefix(path) + UniqueSuffix();
        fd.Reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode ? *mode : 0666));
        if (!fd && errno != EEXIST) return result;
    }
    if (!fd) return result;
    bool ok = (!mode || ::fchmod(fd.Get(), *mode) == 0) && WriteAll(fd.Get(), data) &&
              ::fsync(fd.Get()) == 0 && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return result;
    }
    SyncDirectory(ParentOf(path));
    struct stat st;
    if (::fstat(fd.Get(), &st) == 0) result.signature = SignatureOf(st);
    result.fd = std::move(fd);
    result.ok = true;
    return result;
}

void RemoveStaleTemps(const std::string& path) {
    std::string dir = ParentOf(path);
    std::string prefix = BaseOf(TempPrefix(path));
    DIR* d = ::opendir(dir.c_str());
    if (!d) return;
    while (dirent* e = ::readdir(d)) {
        std::string_view name(e->d_name);
        if (name.size() > prefix.size() && name.starts_with(prefix)) ::unlinkat(::dirfd(d), e->d_name, 0);
    }
    ::closedir(d);
}

bool EnsureParentDirectory(const std::string& path, uint32_t mode) {
    std::string dir = ParentOf(path);
    struct stat st;
    if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    if (ParentOf(dir) == dir || !EnsureParentDirectory(dir, mode)) return false;
    if (::mkdir(dir.c_str(), mode) == 0) return true;
    return errno == EEXIST && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

FileLock::FileLock(const std::string& lockPath) {
    UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600));
    if (!fd) return;
    int rc;
    do
        rc = ::flock(fd.Get(), LOCK_EX);
    while (rc != 0 && errno == EINTR);
    if (rc == 0) fd_ = std::move(fd);
}

} // namespace orb
