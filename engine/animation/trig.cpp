#include "engine/animation/trig.h"

#include <cmath>

namespace orb {

const TrigTables& BuildTrigTables() {
    static const TrigTables tables = [] {
        TrigTables t{};
        const double pi = static_cast<double>(3.1415927f);
        for (int i = 0; i <= 1000; ++i) {
            t.cos[i] = static_cast<float>(std::cos(i * pi / 1000.0));
            t.sin[i] = static_cast<float>(std::sin(i * pi / 1000.0));
        }
        return t;
    }();
    return tables;
}

} // namespace orb
