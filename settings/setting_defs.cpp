#include "settings/setting_defs.h"

#include "settings/numeric.h"

namespace orb {

using VT = ValueType;

const std::array<SettingDef, kUniverseCount> kUniverseDefs{{
    {"Universe_Stars", VT::Long, 10, 30000, 4000},
    {"Universe_Galaxy", VT::Integer, 1, 999, 100},
    {"Universe_STrail", VT::Integer, 1, 99, 1},
    {"Universe_Expand", VT::Long, 0, 99999, 10000},
    {"Universe_ESteps", VT::Integer, 1, 9999, 300},
    {"Universe_Persist", VT::Real, 0.25, 1.0, 0.985},
    {"Universe_Symetry", VT::Real, 0.0, 1.0, 0.05},
    {"Universe_Damping", VT::Real, 0.0, 1.0, 0.01},
    {"Universe_HWRatio", VT::Real, 0, 99.9, 0.6},
    {"Universe_HW_Start", VT::Integer, 0, 999, 170},
    {"Universe_HW_End", VT::Integer, 0, 999, 270},
    {"Universe_Profile", VT::Integer, 0, 6, 2},
    {"Universe_NewFreq", VT::Integer, 0, 9999, 400},
    {"Universe_NewPctStEx", VT::Integer, 0, 100, 90},
    {"Universe_GSteps", VT::Integer, 1, 9999, 200},
    {"Universe_GPCtrl", VT::Integer, 1, 999, 1},
    {"Universe_GCCtrl", VT::Integer, 0, 999, 4},
    {"Universe_DstCen", VT::Long, 0, 999999, 15000},
    {"Universe_Tour", VT::Flag, 0, 1, 1},
    {"Universe_GVisit", VT::Flag, 0, 1, 0},
    {"Universe_GTrack", VT::Flag, 0, 1, 0},
    {"Universe_AmStar", VT::Integer, 0, 3000, 100},
    {"Universe_AmPers", VT::Real, 0.25, 1.0, 0.998},
    {"Universe_AmCAge", VT::Real, 0.0, 10.0, 0.1},
    {"Universe_AmFrames", VT::Integer, 0, 999, 30},
    {"Universe_AmMaxExt", VT::Long, 1, 99999, 15000},
    {"Universe_AmProf", VT::Flag, 0, 1, 0},
    {"Universe_GravForce", VT::Long, 0, 999999, 0},
    {"Universe_GravFrame", VT::Integer, 1, 999, 1},
}};

const std::array<SettingDef, kGalaxyPropCount> kGalaxyDefs{{
    {"Galaxy_Radius", VT::WholeLong, 1, 30000, 300},
    {"Galaxy_Rotation", VT::WholeLong, 0, 30000, 500},
    {"Galaxy_Distance", VT::WholeLong, 0, 30000, 400},
    {"Galaxy_GalStyle", VT::Integer, 0, 7, 0},
    {"Galaxy_AxisPlane", VT::Integer, 0, 1, 0},
    {"Galaxy_RadSegs", VT::Integer, 1, 99, 1},
    {"Galaxy_RadFill", VT::WholeInteger, 0, 100, 100},
    {"Galaxy_RadBands", VT::Integer, 1, 99, 1},
    {"Galaxy_RadBFill", VT::WholeInteger, 0, 100, 100},
    {"Galaxy_ColorMult", VT::WholeLong, 0, 30000, 1800},
    {"Galaxy_GHW_Ratio", VT::Real, 0, 99.9, 0.30},
    {"Galaxy_RadiusExp", VT::Real, 0, 99.9, 1.4},
    {"Galaxy_HeightExp", VT::Real, 0, 99.9, 2.0},
    {"Galaxy_AngleTilt", VT::Real, 0, 360, 170},
    {"Galaxy_AngleTInc", VT::Real, 0, 360, 0.0},
    {"Galaxy_HueStart", VT::Integer, 0, 359, 240},
    {"Galaxy_HWheelInc", VT::Real, 0, 360, 0.005},
    {"Galaxy_ColorComp", VT::Integer, 0, 5, 3},
    {"Galaxy_Profile", VT::Integer, 0, 6, 0},
    {"Galaxy_NewFreq", VT::Integer, 0, 9999, 400},
    {"Galaxy_NewFrames", VT::Integer, 0, 999, 8},
    {"Galaxy_NewExtMult", VT::WholeInteger, 1, 9999, 120},
    {"Galaxy_NovaFreq", VT::WholeInteger, 0, 9999, 200},
    {"Galaxy_NovaFrames", VT::Integer, 1, 999, 30},
    {"Galaxy_NovaExtMult", VT::WholeInteger, 1, 9999, 600},
    {"Galaxy_CometFreq", VT::WholeInteger, 0, 9999, 300},
    {"Galaxy_CometStars", VT::Integer, 1, 999, 50},
    {"Galaxy_CometOrbit", VT::Real, 0, 9999, 100},
    {"Galaxy_CometSpeed", VT::Real, 0, 9999, 50},
    {"Galaxy_CometSWind", VT::Real, 0, 9999, 200},
    {"Galaxy_CometCPersist", VT::Real, 0.1, 0.9999, 0.9975},
    {"Galaxy_CometSPersist", VT::Real, 0.1, 0.9999, 0.95},
    {"Galaxy_HWC_Start", VT::Integer, 0, 999, 140},
    {"Galaxy_HWC_End", VT::Integer, 0, 999, 220},
    {"Galaxy_HueRed", VT::Integer, 0, 100, 100},
    {"Galaxy_HueGrn", VT::Integer, 0, 100, 100},
    {"Galaxy_HueBlu", VT::Integer, 0, 100, 100},
    {"Galaxy_HueBase", VT::Integer, 0, 100, 0},
    {"Galaxy_HueBlend", VT::Integer, 1, 60, 60},
    {"Galaxy_CP_Points", VT::Integer, 1, 20, 8},
    {"Galaxy_CP_Steps", VT::Integer, 0, 9999, 500},
    {"Galaxy_CP_B_Pts", VT::Integer, 1, 99, 1},
    {"Galaxy_CP_B_Exp", VT::Real, 0, 100, 100},
    {"Galaxy_CP_B_Spd", VT::Real, 0, 999, 0},
    {"Galaxy_CP_Close", VT::Flag, 0, 1, 1},
    {"Galaxy_QG_Force", VT::Real, 0, 99.9, 5},
}};

const std::array<std::string_view, kStyleCount> kStyleListText{{
    "Standard:  Stellar Rotation about Axis",
    "I.F.S.:  Single Point Attractor",
    "I.F.S.:  Nested Geometric Wireframe",
    "I.F.S.:  Space Filling Fractal",
    "Nebula:  Particle Ribbons",
    "Quasar:  Stars emitted from Core",
    "Graviton:  Stars reflected through Core",
    "Starwave:  Attenuated Particle Waves",
}};

// Columns: RadSegs, RadFill, RadBands, RadBFill.
const std::array<std::array<StyleRange, 4>, kStyleCount> kStyleRanges{{
    {{{1, 99}, {0, 100}, {1, 99}, {0, 100}}},    // Standard
    {{{1, 99}, {0, 100}, {0, 360}, {0, 100}}},   // IfsAttractor
    {{{4, 10}, {0, 100}, {1, 99}, {0, 100}}},    // IfsWireframe
    {{{4, 10}, {0, 100}, {0, 100}, {0, 100}}},   // IfsFractal
    {{{1, 20}, {0, 9999}, {1, 99}, {0, 100}}},   // Nebula
    {{{1, 99}, {0, 100}, {1, 99}, {0, 100}}},    // Quasar
    {{{1, 99}, {0, 100}, {1, 99}, {0, 100}}},    // Graviton
    {{{1, 99}, {0, 100}, {1, 99}, {0, 999}}},    // Starwave
}};

const std::array<std::string_view, kProfileCount> kProfileNames{{
    "Standard", "Top-Like", "Spherical", "Conical", "Hyperbolic", "Outer-Hyperbolic", "Inner-Hyperbolic",
}};

const std::array<std::string_view, 5> kColourCompNames{{
    "Rotational Velocity",
    "Rotational Velocity (Square Root)",
    "Distance from Core",
    "Distance from Core (Squared)",
    "Black (Stars are Invisible)",
}};

const std::array<SettingDef, kAdvancedCount> kAdvancedDefs{{
    {"Adv_TimeDelay", VT::Integer, 0, 999, 30, "30"},
    {"FocalLength", VT::Real, 0.01, 10.0, 1.0, "1.0"},
    {"LockMessage", VT::Text, 0, 0, 0, ""},
    {"Adv_FontName", VT::Text, 0, 0, 0, "MS Sans Serif"},
    {"Adv_FontSize", VT::Integer, 10, 80, 20, "20"},
    {"Adv_FontHueV", VT::Integer, 0, 359, 180, "180"},
    {"Adv_WinResize", VT::Flag, 0, 1, 0, "0"},
    {"Adv_MouseMove", VT::Flag, 0, 1, 0, "0"},
}};

StyleRange GalaxyRange(G prop, int style) {
    int p = static_cast<int>(prop);
    if (p >= static_cast<int>(G::RadSegs) && p <= static_cast<int>(G::RadBFill)) {
        int s = ClampRange(style, 0, kStyleCount - 1);
        return kStyleRanges[s][p - static_cast<int>(G::RadSegs)];
    }
    return {kGalaxyDefs[p].min, kGalaxyDefs[p].max};
}

const SettingDef& Def(U u) { return kUniverseDefs[static_cast<int>(u)]; }
const SettingDef& Def(G g) { return kGalaxyDefs[static_cast<int>(g)]; }
const SettingDef& Def(A a) { return kAdvancedDefs[static_cast<int>(a)]; }

} // namespace orb
