// Cosine and sine of i * pi / 1000 for i = 0 .. 1000 (half a turn in 1000 steps).
#pragma once

#include <array>

namespace orb {

struct TrigTables {
    std::array<float, 1001> cos;  // CosTable: cos(i * pi / 1000), single precision
    std::array<float, 1001> sin;  // SinTable: sin(i * pi / 1000), single precision
};

// BuildTrigTables: filled once, read-only afterwards. Computed in double from the
// single-precision pi 3.1415927 and stored as singles.
const TrigTables& BuildTrigTables();

} // namespace orb
