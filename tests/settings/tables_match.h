// Field-by-field comparison of two galaxy tables that names the slot which differs.
#pragma once

#include <gtest/gtest.h>

#include "settings/records.h"

namespace orb::test {

inline void ExpectSameTables(const GalaxyTables& a, const GalaxyTables& b) {
    for (int s = 0; s < kGalaxyTypeSlots; ++s) {
        EXPECT_EQ(a.types[s].name, b.types[s].name) << "type " << s;
        EXPECT_EQ(a.types[s].pct, b.types[s].pct) << "type " << s;
        EXPECT_EQ(a.types[s].prop, b.types[s].prop) << "type " << s;
    }
    for (int s = 0; s < kCompositeSlots; ++s) {
        const CompositeGalaxy &x = a.composites[s], &y = b.composites[s];
        EXPECT_EQ(x.name, y.name) << "composite " << s;
        EXPECT_EQ(x.pct, y.pct) << "composite " << s;
        EXPECT_EQ(x.count, y.count) << "composite " << s;
        EXPECT_EQ(x.member, y.member) << "composite " << s;
    }
}

} // namespace orb::test
