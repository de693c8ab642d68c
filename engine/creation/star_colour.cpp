// The colour a star takes when it spawns, from its type's hue computation type.
#include <cmath>

#include "engine/creation/galaxy_model.h"
#include "settings/numeric.h"

namespace orb {

uint32_t StarColour(const GalaxyModel& model, int16_t type, float spin, float radius, float height,
                    uint32_t current) {
    if (type < 0 || type >= kGalaxyTableSize) return current;
    const GalaxyTypeRun& run = model.run[type];
    const double scale = run.colourScale;
    const double offset = run.hueOffset;
    const double d = std::sqrt(double(radius) * radius + double(height) * height);
    // A zero galaxy radius (unvalidated data) leaves the distance term out instead of NaN.
    const double rim = run.radiusScaled != 0 ? std::fabs(1.0 - d / run.radiusScaled) : 0.0;
    double hue = 0;
    switch (NearestInt(model.Type(type)[G::ColorComp])) {
    case 0:
        hue = scale * spin * 10 + offset;
        break;
    case 1:
        hue = std::sqrt(std::fmax(scale * spin * 1000, 0.0)) + offset;
        break;
    case 2:
        hue = scale * rim + offset;
        break;
    case 3:
        hue = scale * (rim * rim) + offset;
        break;
    case 4:
        return 0;
    case 5:
        hue = double(run.colourScaleFine) * radius * 360 + offset;
        break;
    default:
        return current;
    }
    int32_t index = NearestLong(hue) % 360;
    if (index < 0) index += 360; // only a negative spin or offset from junk data gets here
    return model.colour.GalaxyColour(type, index);
}

} // namespace orb
