#include "engine/animation/tour.h"

#include "engine/creation/galaxy_model.h"

namespace orb {

namespace {

constexpr double kSixth = 0.16666667f; // the single nearest to 1/6

// Uniform cubic B-spline of one axis, formed in double and stored as a single.
float SplineAxis(const std::array<float, kTourControlPoints>& p, float t) {
    const double p0 = p[0], p1 = p[1], p2 = p[2], p3 = p[3];
    const double u = t;
    const double v = p0 + 4 * p1 + p2 + (3 * p2 - 3 * p0) * u + (3 * p0 - 6 * p1 + 3 * p2) * u * u +
                     (-p0 + 3 * p1 - 3 * p2 + p3) * u * u * u;
    return static_cast<float>(v * kSixth);
}

void Push(std::array<float, kTourControlPoints>& queue, float v) {
    queue[0] = queue[1];
    queue[1] = queue[2];
    queue[2] = queue[3];
    queue[3] = v;
}

} // namespace

void StartUniverseTour(CameraTour& tour, const TourSettings& settings) {
    tour.controlX.fill(0.0f);
    tour.controlY.fill(0.0f);
    tour.controlZ.fill(0.0f);
    tour.previous = {};
    tour.tourParam = 0.0f;
    // The driver clamps gSteps to 1..9999; a stray 0 must not make the step infinite.
    tour.stepIncrement = static_cast<float>(1.0 / (settings.gSteps < 1 ? 1 : settings.gSteps));
}

void AppendControlPoint(CameraTour& tour, Vec3f p) {
    Push(tour.controlX, p.x);
    Push(tour.controlY, p.y);
    Push(tour.controlZ, p.z);
    tour.tourParam = 0.0f;
}

int16_t VisitTypeSlot(const GalaxyTables& tables, int16_t slot, bool markedComposite) {
    if (!markedComposite || slot < kGalaxyTypeSlots || slot >= kGalaxyTableSize) return slot;
    const int16_t major = tables.composites[slot - kGalaxyTypeSlots].member[0];
    return (major >= 0 && major < kGalaxyTypeSlots) ? major : int16_t(0);
}

int16_t VisitTypeSlot(const GalaxyModel& model, int16_t slot) {
    const bool marked = slot >= kGalaxyTypeSlots && slot < kGalaxyTableSize && model.run[slot].composite;
    return VisitTypeSlot(model.tables, slot, marked);
}

Vec3f VisitControlPoint(Vec3f galaxyPos, float standOff, int16_t k, int16_t gpCtrl, int16_t gcCtrl) {
    Vec3f p{galaxyPos.x, galaxyPos.y, static_cast<float>(static_cast<double>(galaxyPos.z) - standOff)};
    // gcCtrl is at least 1 whenever k passes gpCtrl; the test keeps a bad call from dividing by 0.
    if (k > gpCtrl && gcCtrl > 0) p.z = static_cast<float>(p.z + 1.5 * standOff * (k - gpCtrl) / gcCtrl);
    return p;
}

void BeginDeparture(CameraTour& tour, const TourSettings& settings) {
    tour.currentTourType = 0;
    if (settings.tour) return;
    tour.controlX.fill(0.0f);
    tour.controlY.fill(0.0f);
    tour.controlZ.fill(0.0f);
}

Vec3f DepartureControlPoint(int16_t k, int16_t gpCtrl, float distCentre) {
    const double d = distCentre;
    double z = -5000.0 * d;
    if (k < gpCtrl)
        z = -d;
    else if (k == gpCtrl)
        z = -10.0 * d;
    return {0.0f, 0.0f, static_cast<float>(z)};
}

void AppendVisitPoint(CameraTour& tour, const TourSettings& settings, Vec3f galaxyPos, float standOff,
                      int16_t k) {
    AppendControlPoint(tour, VisitControlPoint(galaxyPos, standOff, k, settings.gpCtrl, settings.gcCtrl));
}

void AppendDeparturePoint(CameraTour& tour, const TourSettings& settings, int16_t k) {
    AppendControlPoint(tour, DepartureControlPoint(k, settings.gpCtrl, settings.distCentre));
}

Vec3f EvalCameraSpline(const CameraTour& tour, float t) {
    return {SplineAxis(tour.controlX, t), SplineAxis(tour.controlY, t), SplineAxis(tour.controlZ, t)};
}

Vec3f TourCamera(const CameraTour& tour, const TourSettings& settings) {
    if (!settings.tour) return {};
    return EvalCameraSpline(tour, tour.tourParam);
}

void AdvanceTourParam(CameraTour& tour) {
    tour.tourParam += tour.stepIncrement;
}

Vec3f CameraStep(CameraTour& tour, Vec3f camera) {
    const Vec3f delta{tour.previous.x - camera.x, tour.previous.y - camera.y, tour.previous.z - camera.z};
    tour.previous = camera;
    return delta;
}

} // namespace orb
