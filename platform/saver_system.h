// What the operating system asks of a running full-screen saver: to be told that a saver covers
// the screen, and to check the user's password before the saver may close. A Linux desktop
// secures the session with its own locker, so there is nothing to do here; a Windows build fills
// this in with the system's calls.
#pragma once

#include <cstdint>

namespace orb {

class SaverSystem {
  public:
    virtual ~SaverSystem() = default;
    // Tells the system whether a saver is running (SetSaverRunning).
    virtual void SetSaverRunning(bool running) = 0;
    // True when the saver window may close (VerifySaverPassword); window is its native id.
    virtual bool VerifySaverPassword(uint64_t window) = 0;
};

// The system's saver services on this platform.
SaverSystem& DefaultSaverSystem();

} // namespace orb
