// Small geometric and random-sampling helpers shared by creation, galaxy generation and the
// frame loop. Draws come from the run's one generator in the order each helper states.
#pragma once

#include "engine/animation/random.h"
#include "engine/animation/trig.h"

namespace orb {

// The angle in 0..2 pi whose cosine is c and whose sine has the sign of s (arccos c, mirrored
// for s < 0). A cosine a hair outside -1..1 gives 0 or pi instead of a NaN.
float FullAngle(float c, float s);

// A point on the sphere of radius r from the half-turn tables. Three draws: polar index,
// azimuth index (each nearest(rand x 1000), so 1000 can come out), then the sign of y.
void RandomOnSphere(Random& random, const TrigTables& trig, float r, float& x, float& y, float& z);

// A uniform point inside the ball of radius |r| by rejection: three draws (x, y, z) per try.
void RandomInBall(Random& random, float r, float& x, float& y, float& z);

// A point of RandomInBall pushed toward the sphere: a = 0 keeps the ball, a = 1 the shell.
void RandomInBallToShell(Random& random, float r, float a, float& x, float& y, float& z);

} // namespace orb
