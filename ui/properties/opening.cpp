#include "ui/properties/opening.h"

namespace orb {

bool ShowsWelcome(int16_t resetSettings) {
    return resetSettings == -1;
}

OpeningLoad DecideOpeningLoad(bool welcomeShown, bool welcomeReset, int16_t animationType) {
    if (welcomeShown && welcomeReset) return OpeningLoad::Reset;
    if (animationType != -1) return OpeningLoad::Stored;
    // Nothing was ever saved. After the Welcome window the user decides with Accept; otherwise
    // the factory settings are stored at once, so the saver finds them too.
    return welcomeShown ? OpeningLoad::Reset : OpeningLoad::ResetAndSave;
}

} // namespace orb
