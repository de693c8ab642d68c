// Nebula ribbons: a closed or open B-spline path whose control points drift through random
// positions over time, and stars placed along it near travelling bias points.
#include <algorithm>
#include <array>
#include <cmath>

#include "engine/animation/sampling.h"
#include "engine/animation/vector_clones.h"
#include "engine/creation/galaxy_model.h"
#include "engine/creation/styles.h"
#include "settings/numeric.h"

namespace orb::styles {

namespace {

void DrawLayerPoint(GalaxyModel& model, int g, int k, int layer, double R, double ratio) {
    GalaxyStyleState& s = model.style;
    const int i = GalaxyStyleState::Layer(g, k, layer);
    s.nebulaLayerX[i] = static_cast<float>((model.random() - 0.5) * 2 * R);
    s.nebulaLayerY[i] = static_cast<float>((model.random() - 0.5) * 2 * R * ratio);
    s.nebulaLayerZ[i] = static_cast<float>((model.random() - 0.5) * 2 * R);
}

// Path points 0..n-1 of one coordinate from their layers (kNebulaLayers a point) at time t, in
// a loop over the points that runs in vector lanes; each point rounds as BSpline alone does.
ORB_VECTOR_CLONES void SplineLayers(const float* __restrict layers, float* __restrict path, int n, double t) {
    static_assert(kNebulaLayers == 4, "a point's spline takes four layers");
    for (int k = 0; k < n; ++k) {
        const float* l = layers + k * kNebulaLayers;
        path[k] = static_cast<float>(BSpline(l[0], l[1], l[2], l[3], t));
    }
}

// The path from the layers at time t; a closed loop repeats its first three points at the end.
void RecomputePath(GalaxyModel& model, int g, int P, bool closed, double t) {
    GalaxyStyleState& s = model.style;
    s.nebulaPathDue[static_cast<size_t>(g)] = {};
    const int layers = GalaxyStyleState::Layer(g, 0, 0), path = GalaxyStyleState::Path(g, 0);
    const int spline = closed ? P : P + 3;
    SplineLayers(s.nebulaLayerX.data() + layers, s.nebulaPathX.data() + path, spline, t);
    SplineLayers(s.nebulaLayerY.data() + layers, s.nebulaPathY.data() + path, spline, t);
    SplineLayers(s.nebulaLayerZ.data() + layers, s.nebulaPathZ.data() + path, spline, t);
    for (int k = spline; k < P + 3; ++k) {
        const int i = GalaxyStyleState::Path(g, k), j = GalaxyStyleState::Path(g, k - P);
        s.nebulaPathX[i] = s.nebulaPathX[j];
        s.nebulaPathY[i] = s.nebulaPathY[j];
        s.nebulaPathZ[i] = s.nebulaPathZ[j];
    }
}

void ShiftLayers(GalaxyModel& model, int g, int16_t type, int P) {
    GalaxyStyleState& s = model.style;
    const double R = model.run[type].radiusScaled;
    const double ratio = model.Type(type)[G::GHW_Ratio];
    for (int k = 0; k < P + 3; ++k) {
        const int base = GalaxyStyleState::Layer(g, k, 0);
        for (auto* v : {&s.nebulaLayerX, &s.nebulaLayerY, &s.nebulaLayerZ})
            for (int j = 0; j < kNebulaLayers - 1; ++j)
                (*v)[base + j] = (*v)[base + j + 1];
        DrawLayerPoint(model, g, k, kNebulaLayers - 1, R, ratio);
    }
}

// Points 0..n-1 of a plane turned by the angle whose cosine and sine are c and sn, in vector lanes.
ORB_VECTOR_CLONES void TurnPoints(float* __restrict a, float* __restrict b, int n, double c, double sn) {
    for (int i = 0; i < n; ++i) {
        const double u = a[i], w = b[i];
        a[i] = static_cast<float>(u * c - w * sn);
        b[i] = static_cast<float>(u * sn + w * c);
    }
}

// Turns every layer point by the angle whose cosine and sine are c and sn (the type's spin
// rate), about the vertical axis for axial plane 0 and in the y-z plane otherwise.
void TurnLayers(GalaxyModel& model, int g, int16_t type, int P, double c, double sn) {
    GalaxyStyleState& s = model.style;
    std::vector<float>& a = model.Type(type)[G::AxisPlane] == 0 ? s.nebulaLayerX : s.nebulaLayerY;
    const int first = GalaxyStyleState::Layer(g, 0, 0);
    const int end = GalaxyStyleState::Layer(g, P + 3, 0);
    TurnPoints(a.data() + first, s.nebulaLayerZ.data() + first, end - first, c, sn);
}

// The type whose rules drive galaxy g: the given slot, or the galaxy's own (a composite's major).
int16_t DrivingType(const GalaxyModel& model, int g, int16_t typeSlot, std::span<const int16_t> slots) {
    int16_t t = typeSlot;
    if (t < 0) {
        if (static_cast<size_t>(g) >= slots.size()) return -1;
        t = slots[g];
    }
    if (t >= kGalaxyTypeSlots && t < kGalaxyTableSize)
        t = model.tables.composites[t - kGalaxyTypeSlots].member[0];
    return (t >= 0 && t < kGalaxyTypeSlots) ? t : int16_t(-1);
}

} // namespace

void SetupNebula(GalaxyModel& model, int g, int16_t type) {
    const int P = ControlPoints(model.Type(type));
    const double R = model.run[type].radiusScaled;
    const double ratio = model.Type(type)[G::GHW_Ratio];
    for (int k = 0; k < P; ++k)
        for (int j = 0; j < kNebulaLayers; ++j)
            DrawLayerPoint(model, g, k, j, R, ratio);
    RecomputePath(model, g, P, model.Type(type)[G::CP_Close] != 0, 0.0);
}

// Galaxy g's path, worked out now if a step has moved its layers since.
void CurrentNebulaPath(GalaxyModel& model, int g) {
    GalaxyStyleState& s = model.style;
    const GalaxyStyleState::PathDue due = s.nebulaPathDue[static_cast<size_t>(g)];
    if (due.points > 0) RecomputePath(model, g, due.points, due.closed, s.nebulaPhase[static_cast<size_t>(g)]);
}

void SpawnNebula(GalaxyModel& model, StarRef star, int16_t type, int g) {
    CurrentNebulaPath(model, g);
    GalaxyType& t = model.Type(type);
    const GalaxyTypeRun& run = model.run[type];
    const int P = ControlPoints(t);
    const int B = std::max<int16_t>(NearestInt(t[G::CP_B_Pts]), 1);
    float bias = static_cast<float>(double(t.nebulaBiasPos) + run.biasSpeedScaled);
    if (bias >= P) bias = static_cast<float>(bias - P);
    t.nebulaBiasPos = bias;
    const double u1 = model.random();
    const double u2 = model.random();
    const double u3 = model.random();
    const double spread = SignOf(u2 - 0.5) * ((1 - PowDraw(u1, run.biasSpanScaled)) * 0.5);
    float s = static_cast<float>(P * (spread + (std::floor(u3 * B) + 0.5)) / B + bias);
    if (!std::isfinite(s)) s = 0;
    double whole = std::floor(s);
    if (whole >= P) whole -= P;
    // A bias position left outside 0..P by unvalidated data must not index past the path.
    const int k = static_cast<int>(std::clamp(whole, 0.0, static_cast<double>(P - 1)));
    const double f = s - std::floor(s);
    const GalaxyStyleState& st = model.style;
    const int i = GalaxyStyleState::Path(g, k);
    const auto& px = st.nebulaPathX;
    const auto& py = st.nebulaPathY;
    const auto& pz = st.nebulaPathZ;
    star.x = static_cast<float>(BSpline(px[i], px[i + 1], px[i + 2], px[i + 3], f));
    star.y = static_cast<float>(BSpline(py[i], py[i + 1], py[i + 2], py[i + 3], f));
    star.z = static_cast<float>(BSpline(pz[i], pz[i + 1], pz[i + 2], pz[i + 3], f));
    float wx, wy, wz;
    RandomOnSphere(model.random, model.trig, static_cast<float>(t[G::RadiusExp] * 0.001), wx, wy, wz);
    const double push = run.heightExpScaled;
    star.velX = static_cast<float>(wx + star.x * push);
    star.velY = static_cast<float>(wy + star.y * push);
    star.velZ = static_cast<float>(wz + star.z * push);
    star.radius = static_cast<float>(double(s) / P);
    star.height = 0;
    star.spin = 0;
}

} // namespace orb::styles

namespace orb {

void AdvanceNebulaPoints(GalaxyModel& model, int16_t count, int16_t typeSlot, std::span<const int16_t> slots,
                         NebulaPaths paths) {
    GalaxyStyleState& s = model.style;
    const int n = std::min<int>(count, s.count);
    // What the galaxies of one type share, worked out for the first of them (a step changes
    // neither a type's values nor its spin rate).
    struct TypeStep {
        int16_t points = -1; // ControlPoints; -1 until worked out
        int16_t steps;       // CP_Steps, rounded
        double cos, sin;     // of the spin rate
    };
    std::array<TypeStep, kGalaxyTypeSlots> shared;
    for (int g = 0; g < n; ++g) {
        const int16_t type = styles::DrivingType(model, g, typeSlot, slots);
        if (type < 0 || model.Type(type).Style() != 4) continue;
        TypeStep& t = shared[static_cast<size_t>(type)];
        if (t.points < 0) {
            t.points = styles::ControlPoints(model.Type(type));
            t.steps = NearestInt(model.Type(type)[G::CP_Steps]);
            const double angle = model.run[type].spinRate;
            t.cos = std::cos(angle);
            t.sin = std::sin(angle);
        }
        if (t.steps > 0) s.nebulaPhase[g] = static_cast<float>(s.nebulaPhase[g] + 1.0 / t.steps);
        if (s.nebulaPhase[g] >= 1) {
            s.nebulaPhase[g] = static_cast<float>(s.nebulaPhase[g] - 1.0);
            styles::ShiftLayers(model, g, type, t.points);
        }
        styles::TurnLayers(model, g, type, t.points, t.cos, t.sin);
        const bool closed = model.Type(type)[G::CP_Close] != 0;
        if (paths == NebulaPaths::Now)
            styles::RecomputePath(model, g, t.points, closed, s.nebulaPhase[g]);
        else
            s.nebulaPathDue[static_cast<size_t>(g)] = {t.points, closed};
    }
}

void CurrentNebulaPaths(GalaxyModel& model, int16_t count) {
    for (int g = 0; g < std::min<int>(count, model.style.count); ++g)
        styles::CurrentNebulaPath(model, g);
}

} // namespace orb
