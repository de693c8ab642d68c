// One instance per user for a window caption, without a window manager: the window that holds a
// caption listens on a Unix socket named after it in the user's private runtime folder; a second
// start asks whether the socket answers, or asks its holder to come to the front.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/atomic_file.h"

namespace orb {

// $XDG_RUNTIME_DIR/orbelune when that is usable, otherwise /tmp/orbelune-<uid>; created with
// mode 0700. Empty when no such folder can be had (then no caption is ever held).
std::string InstanceFolder();

// The socket of a caption: its letters and digits, every other character as '_'.
std::string InstanceSocketPath(std::string_view caption);

// True when a running process holds the caption.
bool InstanceExists(std::string_view caption);

// Asks the holder of the caption to bring its window to the front; false when none answers.
bool RequestToFront(std::string_view caption);

class InstanceClaim {
  public:
    // Holds the caption for as long as the object lives; nothing when a running process holds
    // it already or no socket can be made. A socket left behind by a dead process is replaced.
    static std::unique_ptr<InstanceClaim> Take(std::string_view caption);
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;

    // Readable when another start has connected.
    int Fd() const { return listen_.Get(); }
    // Answers every waiting connection; the number of them that asked for the front.
    int TakeFrontRequests();

  private:
    InstanceClaim(UniqueFd listen, std::string path, FileSignature socket);
    UniqueFd listen_;      // the listening socket
    std::string path_;     // its file
    FileSignature socket_; // of that file, so only our own socket is removed
};

} // namespace orb
