#include "engine/animation/projection.h"

#include "settings/numeric.h"

namespace orb {

ScreenGeometry MakeScreenGeometry(double widthPixels, double heightPixels, float focalLength) {
    ScreenGeometry g;
    g.focalLength = focalLength != focalLength ? 1.0f : ClampSingle(focalLength, 0.01f, 10.0f);
    g.centreX = NearestInt(widthPixels * 0.5);
    g.centreY = NearestInt(heightPixels * 0.5);
    g.focalScale = static_cast<float>((g.centreX + g.centreY) * 0.5 * g.focalLength);
    return g;
}

} // namespace orb
