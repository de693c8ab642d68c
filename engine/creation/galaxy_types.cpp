// Derived per-type values and the per-galaxy style set-up of each universe.
#include <algorithm>

#include "engine/creation/galaxy_model.h"
#include "engine/creation/styles.h"
#include "settings/numeric.h"

namespace orb {

namespace {

float Scaled(float v, double k) {
    return static_cast<float>(v * k);
}

void PrepareOne(GalaxyTypeRun& run, const GalaxyType& t) {
    const double twoPi = kTwoPi;
    run.radiusScaled = Scaled(t[G::Radius], 0.01);
    run.radiusSquared = static_cast<float>(double(run.radiusScaled) * run.radiusScaled);
    run.waveSpeed = Scaled(t[G::Radius], 0.0001);
    run.spinRate = Scaled(t[G::Rotation], 0.000001);
    run.standOff = Scaled(t[G::Distance], 0.01);
    run.armFill = Scaled(t[G::RadFill], 0.01);
    run.bandFill = Scaled(t[G::RadBFill], 0.01);
    // Arms and bands divide the disc; a count below 1 can only come from unvalidated data.
    run.armCount = std::max<int16_t>(NearestInt(t[G::RadSegs]), 1);
    run.bandCount = std::max<int16_t>(NearestInt(t[G::RadBands]), 1);
    run.ifsLevels = ClampInt(NearestInt(t[G::RadBands]), 0, 99);
    run.armSpacing = static_cast<float>(twoPi / run.armCount);
    run.bandAngle = static_cast<float>(t[G::RadBands] * twoPi / 360.0);
    run.tiltRate = static_cast<float>(t[G::AngleTInc] * twoPi / 360.0);
    run.colourScale = Scaled(t[G::ColorMult], 0.1);
    run.colourScaleFine = Scaled(t[G::ColorMult], 0.001);
    run.emitSpeed = Scaled(t[G::QG_Force], t.Style() == 5 ? 0.01 : 0.0001);
    run.heightScaled = static_cast<float>(double(t[G::GHW_Ratio]) * t[G::Radius] * 0.01);
    run.bandFillWhole = NearestInt(t[G::RadBFill]);
    run.angleParam = static_cast<float>(t[G::RadiusExp] * twoPi / 360.0);
    run.newExtScaled = Scaled(t[G::NewExtMult], 0.001);
    run.novaFreqScaled = Scaled(t[G::NovaFreq], 0.0001);
    run.novaExtScaled = Scaled(t[G::NovaExtMult], 0.0001);
    run.cometFreqScaled = Scaled(t[G::CometFreq], 0.0001);
    run.cometOrbitScaled = Scaled(t[G::CometOrbit], 0.00001);
    run.cometSpeedScaled = Scaled(t[G::CometSpeed], 0.00001);
    run.cometSWindScaled = Scaled(t[G::CometSWind], 0.00001);
    run.heightExpScaled = Scaled(t[G::HeightExp], 0.001);
    run.biasSpanScaled = Scaled(t[G::CP_B_Exp], 0.01);
    run.biasSpeedScaled = Scaled(t[G::CP_B_Spd], 0.0001);
}

void SetupOne(GalaxyModel& model, int g, int16_t type) {
    if (type < 0 || type >= kGalaxyTypeSlots) return;
    switch (model.Type(type).Style()) {
    case 1:
    case 2:
    case 3:
        styles::BuildIfsFigure(model, g, type);
        break;
    case 4:
        styles::SetupNebula(model, g, type);
        break;
    default:
        break;
    }
}

// A composite is set up member by member from the last to the first, so the major type's
// state is the one that remains where members share an array.
void SetupComposite(GalaxyModel& model, int g, int composite) {
    if (composite < 0 || composite >= kCompositeSlots) return;
    const CompositeGalaxy& c = model.tables.composites[composite];
    const int members = ClampInt(c.count, 0, kMaxMembers - 1);
    for (int m = members - 1; m >= 0; --m)
        SetupOne(model, g, c.member[m]);
}

void ClearStyleState(GalaxyStyleState& s, int count) {
    auto clear = [](std::vector<float>& v, size_t n) { std::fill(v.begin(), v.begin() + n, 0.0f); };
    const size_t n = static_cast<size_t>(count);
    for (auto* v : {&s.ifsVertexX, &s.ifsVertexY, &s.ifsVertexZ})
        clear(*v, n * kIfsVertices);
    for (auto* v : {&s.ifsPointX, &s.ifsPointY, &s.ifsPointZ, &s.nebulaPhase})
        clear(*v, n);
    for (auto* v : {&s.nebulaLayerX, &s.nebulaLayerY, &s.nebulaLayerZ})
        clear(*v, n * kNebulaPositions * kNebulaLayers);
    for (auto* v : {&s.nebulaPathX, &s.nebulaPathY, &s.nebulaPathZ})
        clear(*v, n * kNebulaPositions);
    std::fill(s.nebulaPathDue.begin(), s.nebulaPathDue.begin() + count, GalaxyStyleState::PathDue{});
}

} // namespace

int16_t styles::ControlPoints(const GalaxyType& t) {
    return ClampInt(NearestInt(t[G::CP_Points]), 1, 20);
}

void GalaxyStyleState::Reserve(int capacity) {
    const size_t n = static_cast<size_t>(std::max(capacity, 0));
    for (auto* v : {&ifsVertexX, &ifsVertexY, &ifsVertexZ})
        v->assign(n * kIfsVertices, 0.0f);
    for (auto* v : {&ifsPointX, &ifsPointY, &ifsPointZ, &nebulaPhase})
        v->assign(n, 0.0f);
    for (auto* v : {&nebulaLayerX, &nebulaLayerY, &nebulaLayerZ})
        v->assign(n * kNebulaPositions * kNebulaLayers, 0.0f);
    for (auto* v : {&nebulaPathX, &nebulaPathY, &nebulaPathZ})
        v->assign(n * kNebulaPositions, 0.0f);
    nebulaPathDue.assign(n, {});
    count = std::min(count, static_cast<int>(n));
}

void PrepareGalaxyTypes(GalaxyModel& model) {
    for (int type = 0; type < kGalaxyTypeSlots; ++type)
        PrepareOne(model.run[type], model.Type(type));
}

void SetupGalaxies(GalaxyModel& model, int16_t count, int16_t typeSlot, int16_t compositeIndex,
                   std::span<const int16_t> slots) {
    for (int type = 0; type < kGalaxyTypeSlots; ++type) {
        GalaxyType& t = model.Type(type);
        t[G::CP_Points] = styles::ControlPoints(t);
        model.run[type].ifsPointCount = ClampInt(NearestInt(t[G::RadSegs]), 1, kIfsVertices);
    }
    GalaxyStyleState& s = model.style;
    const int n = ClampInt(count, 0, kMaxGalaxies);
    // Only grows when the run did not reserve enough; a reserved run never allocates here.
    if (n > s.Capacity()) s.Reserve(n);
    ClearStyleState(s, n);
    s.count = n;
    for (int g = 0; g < n; ++g) {
        if (typeSlot >= 0) {
            SetupOne(model, g, typeSlot);
        } else if (compositeIndex >= 0 && g == 0) {
            SetupComposite(model, g, compositeIndex);
        } else if (static_cast<size_t>(g) < slots.size()) {
            const int16_t slot = slots[g];
            if (slot >= kGalaxyTypeSlots)
                SetupComposite(model, g, slot - kGalaxyTypeSlots);
            else
                SetupOne(model, g, slot);
        }
    }
}

} // namespace orb
