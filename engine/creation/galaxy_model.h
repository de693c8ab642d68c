// What galaxy generation needs to place a star: the galaxy-type table with its run-time values,
// the colour tables, the per-galaxy style state, the random generator and the trig tables.
// The universe object owns one GalaxyModel per run and binds its per-star arrays to StarRef.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/animation/random.h"
#include "engine/animation/trig.h"
#include "engine/creation/colour.h"
#include "settings/records.h"

namespace orb {

inline constexpr float kTwoPi = 6.2831855f; // 2 pi in single precision
inline constexpr float kPi = 3.1415927f;
inline constexpr float kTiny = 1e-9f; // keeps divisions and radii away from zero

// Run-time values of one galaxy-type slot. Derived values are filled by PrepareGalaxyTypes for
// types 0..31 at the start of every run and preview; the running values are advanced per frame
// by the frame loop. SpinPhase, SpinPhaseFast and the nebula bias position live in the
// settings record (GalaxyType) because validation resets them.
struct GalaxyTypeRun {
    // ---- derived from the settings ----
    float radiusScaled = 1;     // RadiusScaled: Galaxy_Radius x 0.01, world units
    float radiusSquared = 1;    // RadiusSquared: RadiusScaled^2, world units^2
    float waveSpeed = 0;        // WaveSpeed: Galaxy_Radius x 0.0001, world units per frame (style 7)
    float spinRate = 0;         // SpinRate: Galaxy_Rotation x 1e-6, radians per frame
    float standOff = 0;         // StandOff: Galaxy_Distance x 0.01, camera distance at a visit
    float armFill = 0;          // ArmFill: Galaxy_RadFill x 0.01, fraction of the arm gap (IFS: scale)
    float bandFill = 0;         // BandFill: Galaxy_RadBFill x 0.01, fraction of the band width
    float armSpacing = 0;       // ArmSpacing: 2 pi / arms, radians
    float bandAngle = 0;        // BandAngle: Galaxy_RadBands in radians (IFS attractor turn)
    float tiltRate = 0;         // TiltRate: Galaxy_AngleTInc in radians per frame
    float colourScale = 0;      // ColourScale: Galaxy_ColorMult x 0.1
    float colourScaleFine = 0;  // ColourScaleFine: Galaxy_ColorMult x 0.001
    float emitSpeed = 0;        // EmitSpeed: Galaxy_QG_Force x 0.01 (quasar) or x 0.0001 (graviton pull)
    float heightScaled = 0;     // HeightScaled: Galaxy_GHW_Ratio x Galaxy_Radius x 0.01, wave amplitude
    int16_t bandFillWhole = 0;  // BandFillWhole: nearest(Galaxy_RadBFill), wave persistence in frames
    float angleParam = 0;       // AngleParam: Galaxy_RadiusExp in radians, wave phase step per frame
    float newExtScaled = 0;     // Galaxy_NewExtMult x 0.001, new-star sparkle size multiplier
    float novaFreqScaled = 0;   // Galaxy_NovaFreq x 0.0001, chance a respawn is a nova
    float novaExtScaled = 0;    // Galaxy_NovaExtMult x 0.0001, nova size multiplier
    float cometFreqScaled = 0;  // Galaxy_CometFreq x 0.0001
    float cometOrbitScaled = 0; // Galaxy_CometOrbit x 0.00001
    float cometSpeedScaled = 0; // Galaxy_CometSpeed x 0.00001
    float cometSWindScaled = 0; // Galaxy_CometSWind x 0.00001
    float heightExpScaled = 0;  // Galaxy_HeightExp x 0.001 (nebula push away from the centre)
    float biasSpanScaled = 0;   // Galaxy_CP_B_Exp x 0.01 (nebula bias span exponent)
    float biasSpeedScaled = 0;  // Galaxy_CP_B_Spd x 0.0001 (nebula bias travel per spawn)
    int16_t armCount = 1;       // Galaxy_RadSegs as a count, at least 1 (arms, attractor period)
    int16_t bandCount = 1;      // Galaxy_RadBands as a count, at least 1 (bands, waves)
    int16_t ifsLevels = 0;      // Galaxy_RadBands as the wireframe iteration count, 0..99

    // ---- running values ----
    float tiltAngle = 0;          // TiltAngle: current tilt, radians, wraps at 2 pi
    float tiltSin = 0;            // sine of tiltAngle (projection reads it)
    float tiltCos = 1;            // cosine of tiltAngle
    float hueOffset = 0;          // HueOffset: running hue offset, 0..360
    int16_t ifsPointCount = 1;    // Galaxy_RadSegs clamped to 1..10 by SetupGalaxies (IFS figure vertices)
    int16_t attractorCounter = 0; // attractor step counter, shared by all galaxies of the type
    bool composite = false;       // slot 32..47 stands for a composite with a weight above 0
};

inline constexpr int kIfsVertices = 10;     // vertices per galaxy figure
inline constexpr int kNebulaLayers = 4;     // time-wise control polygon depth
inline constexpr int kNebulaPositions = 23; // up to 20 control points plus 3 for the spline's reach
inline constexpr int kMaxGalaxies = 999;

// Per-galaxy state of the IFS and nebula styles, sized once per run (Reserve) and cleared by
// SetupGalaxies; no allocation afterwards while the count stays within the reserve.
struct GalaxyStyleState {
    int count = 0;                   // galaxies set up by the last SetupGalaxies
    std::vector<float> ifsVertexX;   // IfsVertexX: figure vertices, [g * 10 + k], world units
    std::vector<float> ifsVertexY;   // IfsVertexY
    std::vector<float> ifsVertexZ;   // IfsVertexZ
    std::vector<float> ifsPointX;    // IfsPointX: current iteration point, [g], world units
    std::vector<float> ifsPointY;    // IfsPointY
    std::vector<float> ifsPointZ;    // IfsPointZ
    std::vector<float> nebulaLayerX; // NebulaLayerX: [(g * 23 + k) * 4 + layer], world units
    std::vector<float> nebulaLayerY; // NebulaLayerY
    std::vector<float> nebulaLayerZ; // NebulaLayerZ
    std::vector<float> nebulaPathX;  // NebulaPathX: current control points, [g * 23 + k]
    std::vector<float> nebulaPathY;  // NebulaPathY
    std::vector<float> nebulaPathZ;  // NebulaPathZ
    std::vector<float> nebulaPhase;  // NebulaPhase: [g], 0..1 between layer 1 and layer 2
    // A path still to be worked out from its layers (see NebulaPaths::WhenRead): its control
    // points and whether it is closed, as the step that moved the layers had them.
    struct PathDue {
        int16_t points = 0;  // control points; 0 when the path is current
        bool closed = false; // Galaxy_CP_Close of the driving type
    };
    std::vector<PathDue> nebulaPathDue; // [g]

    // Allocates room for galaxies 0..capacity-1 (call once per run, outside any step).
    void Reserve(int capacity);
    int Capacity() const { return static_cast<int>(nebulaPhase.size()); }
    static int Vertex(int g, int k) { return g * kIfsVertices + k; }
    static int Path(int g, int k) { return g * kNebulaPositions + k; }
    static int Layer(int g, int k, int layer) { return (g * kNebulaPositions + k) * kNebulaLayers + layer; }
};

// Everything SpawnStar reads and writes besides the star itself.
struct GalaxyModel {
    GalaxyTables& tables;                              // settings: 48 type records and 16 composites
    std::array<GalaxyTypeRun, kGalaxyTableSize> run{}; // run-time values per type slot
    ColourTables colour{};                             // colour tables and fade palettes
    GalaxyStyleState style{};                          // per-galaxy IFS and nebula state
    Random& random;                                    // the run's one generator
    const TrigTables& trig;                            // CosTable / SinTable

    GalaxyModel(GalaxyTables& t, Random& r, const TrigTables& trigTables)
        : tables(t), random(r), trig(trigTables) {}
    GalaxyType& Type(int slot) { return tables.types[slot]; }
    const GalaxyType& Type(int slot) const { return tables.types[slot]; }
};

// The fifteen per-star values SpawnStar writes, bound to one entry of the per-star arrays.
struct StarRef {
    float& x;            // StarX: local position, world units (styles 4..7)
    float& y;            // StarY
    float& z;            // StarZ
    float& velX;         // StarVelX: local velocity, world units per frame (styles 4..7)
    float& velY;         // StarVelY (style 7: wave phase, radians)
    float& velZ;         // StarVelZ
    float& radius;       // StarRadius: distance from the axis, world units
    float& angle;        // StarAngle: orbital angle, radians
    float& spin;         // StarSpin: angle added per frame, radians
    int32_t& age;        // StarAge: frames since spawn
    int16_t& retire;     // StarRetire: renewal countdown, frames
    int16_t& newFrames;  // StarNewFrames: sparkle frames left
    int16_t& novaFrames; // StarNovaFrames: nova frames left
    float& height;       // StarHeight: offset along the axis, world units
    uint32_t& colour;    // StarColour: packed colour
};

// Derived values of types 0..31 from their settings (start of every run and preview).
void PrepareGalaxyTypes(GalaxyModel& model);

// For the typeSlot and compositeIndex arguments below: no single type or composite given.
constexpr int16_t kNoSlot = -1;

// Sizes and fills the per-galaxy style state for galaxies 0..count-1. typeSlot >= 0 gives every
// galaxy that type; else compositeIndex >= 0 gives galaxy 0 that composite's members; else
// each galaxy takes slots[g] (32..47 a composite, set up member by member from the last to the
// first so the major type's state remains). Also clamps Galaxy_CP_Points and records the IFS
// point counts.
void SetupGalaxies(GalaxyModel& model, int16_t count, int16_t typeSlot, int16_t compositeIndex,
                   std::span<const int16_t> slots);

// When a nebula's path (NebulaPathX..Z) is worked out from its moved layers: at once, or when a
// star is next placed on it (a burst step moves every nebula's layers, and few of them take a
// star before the next step moves them again). Either way a star reads the same path.
// CurrentNebulaPaths works out every path still due, before anything else may read them.
enum class NebulaPaths { Now, WhenRead };

// One frame of nebula control-point motion for every galaxy whose type (a composite's major
// member) is a nebula. typeSlot >= 0 stands for every galaxy's type, as in SetupGalaxies.
void AdvanceNebulaPoints(GalaxyModel& model, int16_t count, int16_t typeSlot, std::span<const int16_t> slots,
                         NebulaPaths paths = NebulaPaths::Now);
void CurrentNebulaPaths(GalaxyModel& model, int16_t count);

// Places one star of type (0..31) in galaxy instance galaxy, resets its counters and colours it.
void SpawnStar(GalaxyModel& model, StarRef star, int16_t type, int16_t galaxy);

// The colour a star of type takes from its spin, radius and height; current is returned for
// a computation type outside 0..5.
uint32_t StarColour(const GalaxyModel& model, int16_t type, float spin, float radius, float height,
                    uint32_t current);

// Radius and height of a star of type for the disc styles (0, 5, 6): four draws.
void StandardRadiusHeight(GalaxyModel& model, float& radius, float& height, int16_t type);

// Shape envelope of profile 0..6 at radius r of a shape of radius R (Q = R squared), times a
// random sign (one draw). Always finite; 0 outside the shape.
float ProfileHeight(Random& random, int16_t profile, float r, float R, float Q);

} // namespace orb
