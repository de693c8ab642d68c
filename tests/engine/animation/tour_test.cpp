#include "engine/animation/tour.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orb {
namespace {

void ExpectPoint(Vec3f p, float x, float y, float z, const char* what = "") {
    EXPECT_TRUE(std::fabs(p.x - x) <= 1e-6f * (1 + std::fabs(x)) && std::fabs(p.y - y) <= 1e-6f * (1 + std::fabs(y)) &&
                std::fabs(p.z - z) <= 1e-6f * (1 + std::fabs(z)))
        << what << ": " << p.x << "," << p.y << "," << p.z;
}

void RunFrames(CameraTour& tour, int frames) {
    for (int i = 0; i < frames; ++i)
        AdvanceTourParam(tour);
}

} // namespace

TEST(CameraTour, FirstFrameAtTheOriginAndSecondPointStartsAtOneSixthOfTheFirst) {
    TourSettings settings{true, 4, 2, 1, 0.0f};
    CameraTour tour;
    StartUniverseTour(tour, settings);
    AppendVisitPoint(tour, settings, {60, -30, 900}, 12, 1);
    ExpectPoint(TourCamera(tour, settings), 0, 0, 0, "first frame");
    RunFrames(tour, 4);
    AppendVisitPoint(tour, settings, {60, -30, 900}, 12, 2);
    EXPECT_EQ(tour.tourParam, 0.0f) << "a new control point restarts the parameter";
    ExpectPoint(TourCamera(tour, settings), 10, -5, 148, "one sixth of (60, -30, 888)");
    settings.tour = false;
    ExpectPoint(TourCamera(tour, settings), 0, 0, 0, "tour off");
}

TEST(CameraTour, VisitPointsStandOffThenPassThroughTheCore) {
    // Stand-off 10, two points in front, three through the core.
    const float z[] = {90, 90, 95, 100, 105};
    for (int16_t k = 1; k <= 5; ++k)
        ExpectPoint(VisitControlPoint({1, 2, 100}, 10, k, 2, 3), 1, 2, z[k - 1]);
    // No core points: every point hovers in front; a bad call past them does not divide by 0.
    ExpectPoint(VisitControlPoint({0, 0, 50}, 20, 3, 2, 0), 0, 0, 30);
}

TEST(CameraTour, DepartureReturnsBeforeTheCentreThenFliesAway) {
    const float z[] = {-20, -20, -200, -100000};
    for (int16_t k = 1; k <= 4; ++k)
        ExpectPoint(DepartureControlPoint(k, 3, 20), 0, 0, z[k - 1]);
    ExpectPoint(DepartureControlPoint(1, 1, 20), 0, 0, -200);
}

TEST(CameraTour, DepartureWithNoCentreDistanceEndsAtTheCentre) {
    const TourSettings settings{true, 2, 3, 0, 0.0f};
    CameraTour tour;
    StartUniverseTour(tour, settings);
    for (int16_t k = 1; k <= 3; ++k)
        AppendVisitPoint(tour, settings, {40, 40, 400}, 100, k);
    tour.currentTourType = 9;
    BeginDeparture(tour, settings);
    EXPECT_EQ(tour.currentTourType, 0);
    EXPECT_EQ(tour.controlX[3], 40.0f) << "with the tour on the flight continues from the last galaxy";
    for (int16_t k = 1; k <= 4; ++k)
        AppendDeparturePoint(tour, settings, k);
    for (float t : {0.0f, 0.5f, 0.99f})
        ExpectPoint(EvalCameraSpline(tour, t), 0, 0, 0);
    const TourSettings off{false, 2, 4, 0, 50.0f}; // with the tour off it starts from the origin
    BeginDeparture(tour, off);
    AppendDeparturePoint(tour, off, 1);
    ExpectPoint(EvalCameraSpline(tour, 0.0f), 0, 0, 0);
    ExpectPoint(EvalCameraSpline(tour, 1.0f), 0, 0, -50.0f / 6);
}

TEST(CameraTour, SplineIsContinuousAcrossControlPoints) {
    const TourSettings settings{true, 8, 1, 0, 0.0f};
    CameraTour tour;
    StartUniverseTour(tour, settings);
    const Vec3f points[] = {{5, -3, 200}, {80, 20, 640}, {-30, 7, 90}, {0, 0, -400}, {12, 34, 56}};
    for (const Vec3f& p : points) {
        RunFrames(tour, 8);
        const Vec3f end = EvalCameraSpline(tour, tour.tourParam); // t = 1 after 8 steps of 1/8
        AppendControlPoint(tour, p);
        const Vec3f start = TourCamera(tour, settings);
        EXPECT_NEAR(end.x, start.x, 1e-3f);
        EXPECT_NEAR(end.y, start.y, 1e-3f);
        EXPECT_NEAR(end.z, start.z, 1e-3f);
    }
    // Halfway through, the weights are 1, 23, 23, 1 over 48 for the window (640, 90, -400, 56).
    EXPECT_NEAR(EvalCameraSpline(tour, 0.5f).z, -6434.0f / 48, 1e-3f);
}

TEST(CameraTour, StartClearsTheQueuesAndTheCameraStepIsThePreviousMinusTheNewPosition) {
    CameraTour tour;
    AppendControlPoint(tour, {1, 2, 3});
    tour.previous = {4, 5, 6};
    StartUniverseTour(tour, {true, 0, 1, 0, 0.0f});
    EXPECT_TRUE(tour.controlZ[3] == 0.0f && tour.previous.z == 0.0f);
    EXPECT_EQ(tour.stepIncrement, 1.0f) << "no steps: the step stays finite";
    StartUniverseTour(tour, {true, 3, 1, 0, 0.0f});
    EXPECT_EQ(tour.stepIncrement, 1.0f / 3);
    ExpectPoint(CameraStep(tour, {1, 2, 3}), -1, -2, -3);
    ExpectPoint(CameraStep(tour, {1, 0, 10}), 0, 2, -7);
    ExpectPoint(tour.previous, 1, 0, 10);
}

TEST(CameraTour, CompositeGalaxiesAreVisitedAsTheirMajorType) {
    GalaxyTables tables;
    tables.composites[3].member[0] = 7;
    tables.composites[4].member[0] = 40; // never validated
    EXPECT_EQ(VisitTypeSlot(tables, 5, false), 5);
    EXPECT_EQ(VisitTypeSlot(tables, 5, true), 5) << "a type slot is never a composite";
    EXPECT_EQ(VisitTypeSlot(tables, 35, true), 7);
    EXPECT_EQ(VisitTypeSlot(tables, 35, false), 35) << "an unmarked stand-in is visited as itself";
    EXPECT_EQ(VisitTypeSlot(tables, 36, true), 0);
}

} // namespace orb
