#include "platform/instance_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orb {

namespace {

constexpr std::string_view kFrontRequest = "front\n";
constexpr int kAnswerWaitMs = 200; // how long a connection may take to say what it wants

// A private folder of ours: created 0700, or an existing one that is ours, not a link, 0700.
bool PrivateFolder(const std::string& dir) {
    ::mkdir(dir.c_str(), 0700); // fails when it exists; whatever is there is checked below
    struct stat st {};
    return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 0077) == 0;
}

bool FillAddress(const std::string& path, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.data(), path.size());
    return true;
}

UniqueFd StreamSocket() {
    return UniqueFd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

// A connected socket to the caption's holder, or none.
UniqueFd Connect(const std::string& path) {
    sockaddr_un addr;
    if (!FillAddress(path, addr)) return {};
    UniqueFd fd = StreamSocket();
    if (!fd) return {};
    // A full backlog (EAGAIN) still means a live holder.
    if (::connect(fd.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 && errno != EAGAIN)
        return {};
    return fd;
}

} // namespace

std::string InstanceFolder() {
    const size_t room = sizeof(sockaddr_un{}.sun_path) - 40; // the longest socket name that follows
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
        std::string dir = std::string(runtime) + "/orbelune";
        if (dir.size() < room && PrivateFolder(dir)) return dir;
    }
    std::string dir = "/tmp/orbelune-" + std::to_string(::getuid());
    return PrivateFolder(dir) ? dir : std::string();
}

std::string InstanceSocketPath(std::string_view caption) {
    std::string dir = InstanceFolder();
    if (dir.empty()) return {};
    std::string name;
    for (char c : caption.substr(0, 32))
        name += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : '_';
    return dir + "/" + name + ".sock";
}

bool InstanceExists(std::string_view caption) {
    return static_cast<bool>(Connect(InstanceSocketPath(caption)));
}

bool RequestToFront(std::string_view caption) {
    UniqueFd fd = Connect(InstanceSocketPath(caption));
    if (!fd) return false;
    // The holder reads after it accepts; a freshly connected socket's buffer takes these bytes.
    return ::send(fd.Get(), kFrontRequest.data(), kFrontRequest.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(kFrontRequest.size());
}

InstanceClaim::InstanceClaim(UniqueFd listen, std::string path, FileSignature socket)
    : listen_(std::move(listen)), path_(std::move(path)), socket_(socket) {}

std::unique_ptr<InstanceClaim> InstanceClaim::Take(std::string_view caption) {
    const std::string path = InstanceSocketPath(caption);
    sockaddr_un addr;
    if (!FillAddress(path, addr)) return nullptr;
    // Two starts at once must not both find the socket dead and both replace it.
    UniqueFd lock(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!lock || ::flock(lock.Get(), LOCK_EX) != 0) return nullptr;
    if (Connect(path)) return nullptr;
    ::unlink(path.c_str()); // left by a process that died
    UniqueFd fd = StreamSocket();
    // The backlog's size does not matter: a start that finds it full still sees a live holder.
    if (!fd || ::bind(fd.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(fd.Get(), SOMAXCONN) != 0)
        return nullptr;
    std::optional<FileSignature> sig = StatSignature(path);
    return std::unique_ptr<InstanceClaim>(
        new InstanceClaim(std::move(fd), path, sig.value_or(FileSignature{})));
}

InstanceClaim::~InstanceClaim() {
    // Only our own socket: a later holder may have replaced it after we were thought dead.
    std::optional<FileSignature> now = StatSignature(path_);
    if (now && now->inode == socket_.inode && now->device == socket_.device) ::unlink(path_.c_str());
}

int InstanceClaim::TakeFrontRequests() {
    int requests = 0;
    for (;;) {
        UniqueFd peer(::accept4(listen_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!peer) return requests;
        pollfd p{peer.Get(), POLLIN, 0};
        char buf[16] = {};
        if (::poll(&p, 1, kAnswerWaitMs) > 0 && ::recv(peer.Get(), buf, sizeof buf - 1, 0) > 0 &&
            std::string_view(buf).starts_with(kFrontRequest))
            ++requests;
    }
}

} // namespace orb
