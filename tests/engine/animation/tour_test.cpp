#include "engine/animation/tour.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/creation/galaxy_model.h"

namespace orb {
namespace {

void ExpectPoint(Vec3f p, float x, float y, float z, const char* what = "") {
    EXPECT_TRUE(std::fabs(p.x - x) <= 1e-6f * (1 + std::fabs(x)) && std::fabs(p.y - y) <= 1e-6f * (1 + std::fabs(y)) &&
                std::fabs(p.z - z) <= 1e-6f * (1 + std::fabs(z)))
        << what << ": " << p.x << "," << p.y << "," << p.z;
}

} // namespace

// Without core points every visit point hovers in front; a call past them does not divide by 0.
TEST(CameraTour, WithoutCorePointsEveryVisitPointHoversInFront) {
    ExpectPoint(VisitControlPoint({0, 0, 50}, 20, 3, 2, 0), 0, 0, 30);
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

// Only composites marked in the model (slots 32..47) stand for their major type; a type slot, an
// unmarked stand-in and a slot outside the table are visited as themselves.
TEST(CameraTour, CompositeGalaxiesAreVisitedAsTheirMajorType) {
    GalaxyTables tables;
    Random random;
    GalaxyModel model{tables, random, BuildTrigTables()};
    tables.composites[0].member[0] = 9, tables.composites[3].member[0] = 7;
    tables.composites[4].member[0] = kGalaxyTypeSlots; // never validated: type 0
    model.run[32].composite = model.run[35].composite = model.run[36].composite = true;
    for (auto [slot, want] :
         {std::pair<int16_t, int16_t>{32, 9}, {35, 7}, {36, 0}, {37, 37}, {5, 5}, {-1, -1}, {48, 48}})
        EXPECT_EQ(VisitTypeSlot(model, slot), want) << slot;
    EXPECT_EQ(VisitTypeSlot(tables, 5, true), 5) << "a type slot is never a composite";
}

} // namespace orb
