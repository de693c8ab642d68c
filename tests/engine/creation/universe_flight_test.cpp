#include "engine/creation/universe_flight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace orb {
namespace {

// The flight's rounding must give PixelCoord's pixel for every number a star in front of the
// viewer can give: near each edge of the saturation, near the end of the exact rounding, halves.
TEST(FlightPixel, MatchesPixelCoordForEveryNumber) {
    std::vector<double> values{0.0, -0.0, 0.5, 1.5, -2.5, 1e300, -1e300, INFINITY, -INFINITY};
    for (double edge : {2147483647.0, 2147483648.0, 0x1p51, 0x1p52, 0x1p53})
        for (double at :
             {edge, edge - 0.5, edge + 0.5, std::nextafter(edge, 0.0), std::nextafter(edge, 1e300)})
            for (double sign : {1.0, -1.0})
                values.push_back(sign * at);
    std::mt19937_64 bits(7);
    std::uniform_real_distribution<double> exponent(-4, 20);
    for (int n = 0; n < 100000; ++n) { // magnitudes from 10^-4 to 10^20, either sign, and halves
        const double v = (n % 2 ? 1 : -1) * std::pow(10.0, exponent(bits));
        values.insert(values.end(), {v, std::floor(v) + 0.5});
    }
    for (double v : values)
        ASSERT_EQ(FlightPixel(v), PixelCoord(v)) << v;
    EXPECT_EQ(FlightPixel(std::nan("")), INT32_MIN); // only ever a lane whose pixel is not drawn
}

} // namespace
} // namespace orb
