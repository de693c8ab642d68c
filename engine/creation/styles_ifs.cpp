// The three iterated-function styles: attractor spiral, nested wireframe and chaos game.
#include <cmath>

#include "engine/animation/sampling.h"
#include "engine/creation/galaxy_model.h"
#include "engine/creation/styles.h"
#include "settings/numeric.h"

namespace orb::styles {

namespace {

struct Vertex {
    double x, y, z;
};

void SetVertex(GalaxyStyleState& s, int g, int k, Vertex v) {
    const int i = GalaxyStyleState::Vertex(g, k);
    s.ifsVertexX[i] = static_cast<float>(v.x);
    s.ifsVertexY[i] = static_cast<float>(v.y);
    s.ifsVertexZ[i] = static_cast<float>(v.z);
}

// A solid's corners in table order; the table's length is the corner count.
template <size_t N> void SetVertices(GalaxyStyleState& s, int g, const Vertex (&v)[N]) {
    for (size_t k = 0; k < N; ++k)
        SetVertex(s, g, static_cast<int>(k), v[k]);
}

Vertex GetVertex(const GalaxyStyleState& s, int g, int k) {
    const int i = GalaxyStyleState::Vertex(g, k);
    return {s.ifsVertexX[i], s.ifsVertexY[i], s.ifsVertexZ[i]};
}

void Pyramid(GalaxyStyleState& s, int g, int n, double R, double H) {
    SetVertex(s, g, 0, {0, -H, 0});
    for (int k = 1; k < n; ++k) {
        const double a = (k - 1) * double(kTwoPi) / (n - 1);
        SetVertex(s, g, k, {R * std::cos(a), H * 0.5, R * std::sin(a)});
    }
}

void Octahedron(GalaxyStyleState& s, int g, double R, double H) {
    const Vertex v[] = {{0, H, 0}, {0, -H, 0}, {-R, 0, 0}, {R, 0, 0}, {0, 0, -R}, {0, 0, R}};
    SetVertices(s, g, v);
}

void Cube(GalaxyStyleState& s, int g, double R, double H) {
    const Vertex v[] = {{R, -H, R}, {R, -H, -R}, {-R, -H, R}, {-R, -H, -R},
                        {R, H, R},  {R, H, -R},  {-R, H, R},  {-R, H, -R}};
    SetVertices(s, g, v);
}

void Prisms(GalaxyStyleState& s, int g, double R, double H) {
    const Vertex v[] = {{-0.6 * R, H, -0.36 * R},  {0.6 * R, H, -0.36 * R},  {0, H, 0.72 * R},
                        {-0.6 * R, -H, -0.36 * R}, {0.6 * R, -H, -0.36 * R}, {0, -H, 0.72 * R},
                        {-1.25 * R, 0, 0.75 * R},  {1.25 * R, 0, 0.75 * R},  {0, 0, -1.5 * R}};
    SetVertices(s, g, v);
}

void Lantern(GalaxyStyleState& s, int g, double R, double H) {
    const Vertex v[] = {{0, -H, 0},    {R, -H / 2, R}, {R, -H / 2, -R}, {-R, -H / 2, R}, {-R, -H / 2, -R},
                        {R, H / 2, 0}, {-R, H / 2, 0}, {0, H / 2, R},   {0, H / 2, -R},  {0, H, 0}};
    SetVertices(s, g, v);
}

// Style 1: a new orbit point every armCount stars, otherwise one step further along a
// shrinking, turning spiral.
void AttractorStep(GalaxyModel& model, int16_t type, float& x, float& y, float& z) {
    const GalaxyType& t = model.Type(type);
    GalaxyTypeRun& run = model.run[type];
    if (run.attractorCounter == 0) {
        const double R = run.radiusScaled;
        const float r = static_cast<float>(PowDraw(model.random(), t[G::RadiusExp]) * R + kTiny);
        const float e =
            ProfileHeight(model.random, NearestInt(t[G::Profile]), r, run.radiusScaled, run.radiusSquared);
        const float height =
            static_cast<float>(PowDraw(model.random(), t[G::HeightExp]) * t[G::GHW_Ratio] * e);
        const double a = static_cast<float>(model.random() * double(kTwoPi));
        x = static_cast<float>(r * std::cos(a));
        y = height;
        z = static_cast<float>(r * std::sin(a));
    } else {
        x = static_cast<float>(double(x) * run.armFill);
        y = static_cast<float>(double(y) * run.armFill);
        z = static_cast<float>(double(z) * run.armFill);
        const double c = std::cos(double(run.bandAngle)), s = std::sin(double(run.bandAngle));
        const float nx = static_cast<float>(x * c - z * s);
        z = static_cast<float>(z * c + x * s);
        x = nx;
    }
    run.attractorCounter = static_cast<int16_t>((run.attractorCounter + 1) % run.armCount);
}

// Style 2: iterate toward random vertices, then place the star on the last step's segment
// (up to twice its length).
void WireframeStep(GalaxyModel& model, int16_t type, int g, float& x, float& y, float& z) {
    const GalaxyStyleState& s = model.style;
    const GalaxyTypeRun& run = model.run[type];
    const int n = ClampInt(run.ifsPointCount, 1, kIfsVertices);
    const double fill = run.armFill;
    Vertex p = GetVertex(s, g, PickIndex(model.random, n));
    Vertex prev{0, 0, 0};
    for (int level = 0; level < run.ifsLevels; ++level) {
        prev = p;
        const Vertex v = GetVertex(s, g, PickIndex(model.random, n));
        p = {static_cast<float>(p.x + (v.x - p.x) * fill), static_cast<float>(p.y + (v.y - p.y) * fill),
             static_cast<float>(p.z + (v.z - p.z) * fill)};
    }
    const double u2 = 2.0 * model.random();
    x = static_cast<float>(prev.x + u2 * (p.x - prev.x));
    y = static_cast<float>(prev.y + u2 * (p.y - prev.y));
    z = static_cast<float>(prev.z + u2 * (p.z - prev.z));
}

// Style 3: the chaos game; the point moves ArmFill of the way toward a random vertex.
void FractalStep(GalaxyModel& model, int16_t type, int g, float& x, float& y, float& z) {
    const GalaxyTypeRun& run = model.run[type];
    const int n = ClampInt(run.ifsPointCount, 1, kIfsVertices);
    const Vertex v = GetVertex(model.style, g, PickIndex(model.random, n));
    const double fill = run.armFill;
    x = static_cast<float>(x + (v.x - x) * fill);
    y = static_cast<float>(y + (v.y - y) * fill);
    z = static_cast<float>(z + (v.z - z) * fill);
}

} // namespace

void BuildIfsFigure(GalaxyModel& model, int g, int16_t type) {
    GalaxyStyleState& s = model.style;
    const GalaxyTypeRun& run = model.run[type];
    const double R = run.radiusScaled;
    const double H = static_cast<float>(double(model.Type(type)[G::GHW_Ratio]) * R);
    const int n = run.ifsPointCount;
    switch (n) {
    case 2:
    case 3:
    case 4:
    case 5:
        Pyramid(s, g, n, R, H);
        break;
    case 6:
        Octahedron(s, g, R, H);
        break;
    case 7:
        Octahedron(s, g, R, H);
        SetVertex(s, g, 6, {0, 0, 0});
        break;
    case 8:
        Cube(s, g, R, H);
        break;
    case 9:
        Prisms(s, g, R, H);
        break;
    case 10:
        Lantern(s, g, R, H);
        break;
    default:
        break; // a single vertex keeps whatever it held
    }
    const Vertex v0 = GetVertex(s, g, 0);
    s.ifsPointX[g] = static_cast<float>(v0.x);
    s.ifsPointY[g] = static_cast<float>(v0.y);
    s.ifsPointZ[g] = static_cast<float>(v0.z);
}

void SpawnIfs(GalaxyModel& model, StarRef star, int16_t type, int g) {
    GalaxyStyleState& s = model.style;
    float x = s.ifsPointX[g], y = s.ifsPointY[g], z = s.ifsPointZ[g];
    switch (model.Type(type).Style()) {
    case 1:
        AttractorStep(model, type, x, y, z);
        break;
    case 2:
        WireframeStep(model, type, g, x, y, z);
        break;
    default:
        FractalStep(model, type, g, x, y, z);
        break;
    }
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
        // Only a scale above 100 % (unvalidated data) makes the iteration run away; start the
        // point over at vertex 0 rather than hand infinities to the star.
        const Vertex v0 = GetVertex(s, g, 0);
        x = static_cast<float>(v0.x), y = static_cast<float>(v0.y), z = static_cast<float>(v0.z);
    }
    s.ifsPointX[g] = x;
    s.ifsPointY[g] = y;
    s.ifsPointZ[g] = z;
    const GalaxyTypeRun& run = model.run[type];
    star.radius = static_cast<float>(std::sqrt(double(z) * z + double(x) * x));
    star.height = y;
    const float c = static_cast<float>(x / (double(star.radius) + 1e-9));
    star.angle = static_cast<float>(double(FullAngle(c, z)) + model.Type(type).spinPhaseFast);
    star.spin = static_cast<float>(double(run.spinRate) * 8);
}

} // namespace orb::styles
