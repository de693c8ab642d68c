// SpawnStar: the one routine that places a star, at creation, at respawn and in previews.
// Dispatches on the type's style; the disc styles (standard, quasar, graviton, starwave) live
// here, the IFS and nebula styles in their own files.
#include <cmath>

#include "engine/creation/galaxy_model.h"
#include "engine/creation/styles.h"

namespace orb {

float styles::ArmAngle(GalaxyModel& model, int16_t type, float phase) {
    const GalaxyTypeRun& run = model.run[type];
    const double u5 = model.random();
    const double u6 = model.random();
    const double spacing = run.armSpacing;
    return static_cast<float>(std::floor(run.armCount * u5) * spacing + spacing * u6 * run.armFill + phase);
}

namespace {

// Style 0: circular orbits in arms and bands; inner stars turn faster (spin falls as 1/r).
void SpawnStandard(GalaxyModel& model, StarRef star, int16_t type) {
    StandardRadiusHeight(model, star.radius, star.height, type);
    star.angle = styles::ArmAngle(model, type, model.Type(type).spinPhase);
    star.spin =
        static_cast<float>((1.0 / (double(star.radius) + 1e-9)) * double(kTwoPi) * model.run[type].spinRate);
}

// Styles 5 to 7 start from the same arm angle, turned by the fast phase.
void SpawnEmitted(GalaxyModel& model, StarRef star, int16_t type, int16_t style) {
    const GalaxyTypeRun& run = model.run[type];
    const float a = styles::ArmAngle(model, type, model.Type(type).spinPhaseFast);
    star.angle = a;
    const double c = std::cos(double(a)), s = std::sin(double(a));
    if (style == 7) {
        // A wave particle leaves the core; velocity y carries its wave phase.
        star.x = star.y = star.z = 0;
        star.radius = run.radiusScaled;
        star.height = 0;
        star.velX = static_cast<float>(run.waveSpeed * c);
        star.velZ = static_cast<float>(run.waveSpeed * s);
        const double bands = run.bandCount;
        star.velY = static_cast<float>(std::floor(model.random() * bands) * (double(kTwoPi) / bands));
        return;
    }
    StandardRadiusHeight(model, star.radius, star.height, type);
    star.x = static_cast<float>(star.radius * c);
    star.y = star.height;
    star.z = static_cast<float>(star.radius * s);
    if (style == 5) {
        // Quasar: stars stream out from the core, faster the farther they start.
        const double k = run.emitSpeed;
        star.velX = static_cast<float>(k * star.x);
        star.velY = static_cast<float>(k * star.y);
        star.velZ = static_cast<float>(k * star.z);
    } else {
        // Graviton: at rest; the core's pull acts per frame.
        star.velX = star.velY = star.velZ = 0;
    }
}

bool HasGalaxy(const GalaxyModel& model, int16_t galaxy) {
    return galaxy >= 0 && galaxy < model.style.count;
}

} // namespace

void SpawnStar(GalaxyModel& model, StarRef star, int16_t type, int16_t galaxy) {
    star.age = 0;
    star.retire = 0;
    star.newFrames = 0;
    star.novaFrames = 0;
    if (type < 0 || type >= kGalaxyTypeSlots) return;
    const int16_t style = model.Type(type).Style();
    switch (style) {
    case 0:
        SpawnStandard(model, star, type);
        break;
    case 1:
    case 2:
    case 3:
        if (HasGalaxy(model, galaxy)) styles::SpawnIfs(model, star, type, galaxy);
        break;
    case 4:
        if (HasGalaxy(model, galaxy)) styles::SpawnNebula(model, star, type, galaxy);
        break;
    case 5:
    case 6:
    case 7:
        SpawnEmitted(model, star, type, style);
        break;
    default:
        break; // an unknown style draws no position
    }
    star.colour = StarColour(model, type, star.spin, star.radius, star.height, star.colour);
}

} // namespace orb
