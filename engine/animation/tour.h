// The camera's flight through a universe: a uniform cubic B-spline over a moving window of four
// control points per axis. The driver appends one control point per stretch of frames and steps
// the spline parameter; the camera only translates and always looks along +Z.
#pragma once

#include <array>
#include <cstdint>

#include "engine/animation/projection.h"
#include "settings/records.h"

namespace orb {

struct GalaxyModel;

inline constexpr int kTourControlPoints = 4; // spline window per axis

// Tour values after the driver's clamping and scaling.
struct TourSettings {
    bool tour = true;        // Universe_Tour: false keeps the camera at the origin
    int16_t gSteps = 1;      // Universe_GSteps: frames per control point, 1..9999
    int16_t gpCtrl = 1;      // Universe_GPCtrl: control points in front of each galaxy, 1..999
    int16_t gcCtrl = 0;      // Universe_GCCtrl: control points through each core, 0..999
    float distCentre = 0.0f; // Universe_DstCen x 0.01: departure distance from the centre, world units
};

struct CameraTour {
    std::array<float, kTourControlPoints> controlX{}; // ControlPointX: queue, slot 3 newest, world units
    std::array<float, kTourControlPoints> controlY{}; // ControlPointY
    std::array<float, kTourControlPoints> controlZ{}; // ControlPointZ
    Vec3f previous{};                                 // camera position of the previous frame, world units
    float tourParam = 0.0f;      // TourParam: spline parameter within the current control point, 0..1
    float stepIncrement = 1.0f;  // StepIncrement: 1 / Universe_GSteps, added after each frame
    int16_t currentTourType = 0; // CurrentTourType: visit type slot of the visited galaxy (comets)
};

// Start of every universe: queues and previous position at the origin, step = 1 / gSteps.
void StartUniverseTour(CameraTour& tour, const TourSettings& settings);

// Shifts slots 1..3 of each queue into 0..2 and writes p into slot 3; TourParam restarts at 0.
void AppendControlPoint(CameraTour& tour, Vec3f p);

// The type slot whose stand-off distance and comet settings a galaxy of the given type slot
// uses: a marked composite (slot 32..47) stands for its major member; anything else is itself.
// A major member outside 0..31 (a composite never validated) falls back to type 0.
int16_t VisitTypeSlot(const GalaxyTables& tables, int16_t slot, bool markedComposite);
// The same for a galaxy of a running universe, whose composites are marked in the model. A slot
// outside the table (never validated) is itself.
int16_t VisitTypeSlot(const GalaxyModel& model, int16_t slot);

// The point appended at visit control point k (1 .. gpCtrl + gcCtrl) of a galaxy at galaxyPos
// whose visit type has stand-off distance standOff: in front of the galaxy, and for the core
// points (k > gpCtrl) moved forward so that the last one lies 0.5 x standOff behind the centre.
Vec3f VisitControlPoint(Vec3f galaxyPos, float standOff, int16_t k, int16_t gpCtrl, int16_t gcCtrl);

// Start of the departure: the tour type becomes 0 and, with the tour off, every queue is zeroed.
void BeginDeparture(CameraTour& tour, const TourSettings& settings);

// The point appended at departure control point k (1 .. gpCtrl + 1): back to the front of the
// universe centre, then ever faster away along -Z.
Vec3f DepartureControlPoint(int16_t k, int16_t gpCtrl, float distCentre);

// Appends the visit point k of a galaxy (VisitControlPoint) and restarts TourParam.
void AppendVisitPoint(CameraTour& tour, const TourSettings& settings, Vec3f galaxyPos, float standOff,
                      int16_t k);

// Appends the departure point k (DepartureControlPoint) and restarts TourParam.
void AppendDeparturePoint(CameraTour& tour, const TourSettings& settings, int16_t k);

// EvalCameraSpline: the camera position at parameter t of the current window.
Vec3f EvalCameraSpline(const CameraTour& tour, float t);

// A visit frame's camera: the spline at TourParam, or the origin with the tour off. Departure
// frames always follow the spline (EvalCameraSpline at TourParam).
Vec3f TourCamera(const CameraTour& tour, const TourSettings& settings);

// After each frame: TourParam += StepIncrement, in single precision.
void AdvanceTourParam(CameraTour& tour);

// CameraDelta for a frame: previous position - camera; the camera becomes the previous position.
Vec3f CameraStep(CameraTour& tour, Vec3f camera);

} // namespace orb
