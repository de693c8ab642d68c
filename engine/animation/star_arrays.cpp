#include "engine/animation/star_arrays.h"

#include <algorithm>

namespace orb {

namespace {
template <typename T> void Fit(std::vector<T>& v, size_t n) {
    v.assign(n, T{});
}
} // namespace

void GalaxyArrays::Size(int16_t galaxies) {
    count = std::max<int16_t>(galaxies, 0);
    const size_t n = static_cast<size_t>(count);
    Fit(typeIndex, n);
    for (auto* v : {&relX, &relY, &relZ, &posX, &posY, &posZ, &velX, &velY, &velZ})
        Fit(*v, n);
}

void StarArrays::Size(int32_t stars, int16_t trailSlots) {
    count = std::max<int32_t>(stars, 0);
    trail = std::max<int16_t>(trailSlots, 1);
    const size_t n = static_cast<size_t>(count);
    for (auto* v : {&galaxy, &type, &retire, &newFrames, &novaFrames, &flashTotal})
        Fit(*v, n);
    for (auto* v : {&x, &y, &z, &velX, &velY, &velZ, &radius, &angle, &spin, &height, &flashExt, &sparkDepth,
                    &camX, &camY, &camDepth})
        Fit(*v, n);
    Fit(colour, n);
    Fit(age, n);
    Fit(sparkX, n);
    Fit(sparkY, n);
    Fit(scrX, n * static_cast<size_t>(trail));
    Fit(scrY, n * static_cast<size_t>(trail));
}

} // namespace orb
