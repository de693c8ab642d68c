#include "platform/saver_system.h"

namespace orb {

namespace {

// The desktop's own screen locker asks for the password; a saver closing never leaves the
// session unlocked by itself.
class DesktopSaverSystem : public SaverSystem {
  public:
    void SetSaverRunning(bool) override {}
    bool VerifySaverPassword(uint64_t) override { return true; }
};

} // namespace

SaverSystem& DefaultSaverSystem() {
    static DesktopSaverSystem system;
    return system;
}

} // namespace orb
