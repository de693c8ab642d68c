#include "engine/animation/effects.h"

#include <algorithm>
#include <cmath>

#include "settings/numeric.h"

namespace orb {

namespace {

constexpr float kPiSingle = 3.1415927f;
constexpr float kNovaGrowth = 0.6375f;        // exponent of the nova's growth with its age
constexpr float kNovaMinExtent = 0.03125f;    // a smaller main burst is a single pixel
constexpr double kRadiusLimit = 8589934592.0; // 2^33: any offset this far is off every surface

// nearest(v) for pattern offsets: halves to even, NaN as 0, kept in a range whose sums with a
// 32-bit coordinate cannot overflow.
int64_t Offset(double v) {
    if (!(v == v)) return 0;
    return static_cast<int64_t>(std::nearbyint(std::fmax(-kRadiusLimit, std::fmin(kRadiusLimit, v))));
}

int32_t Pin(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Appends the named point shapes around one centre.
class Builder {
  public:
    Builder(PixelPattern& pattern, int64_t x, int64_t y) : p_(pattern), x_(x), y_(y) {}

    void At(int64_t x, int64_t y) {
        if (p_.count < kMaxNovaPixels) p_.points[p_.count++] = {Pin(x), Pin(y)};
    }
    void Centre() { At(x_, y_); }
    // (x - r, y), (x + r, y), (x, y - r), (x, y + r)
    void Cross(int64_t r) {
        At(x_ - r, y_);
        At(x_ + r, y_);
        At(x_, y_ - r);
        At(x_, y_ + r);
    }
    // (x -+ a, y -+ b) in the order minus-minus, plus-minus, minus-plus, plus-plus
    void Corners(int64_t a, int64_t b) {
        At(x_ - a, y_ - b);
        At(x_ + a, y_ - b);
        At(x_ - a, y_ + b);
        At(x_ + a, y_ + b);
    }
    void Diagonal(int64_t r) { Corners(r, r); }

  private:
    PixelPattern& p_;
    int64_t x_, y_;
};

// One burst of a nova: its centre and size at depth d.
struct Burst {
    int64_t x, y; // projected centre, pixels
    float e;      // size, pixels per unit of k
    int64_t R(int k) const { return Offset(static_cast<double>(k) * e); }
};

Burst ProjectBurst(const ScreenGeometry& screen, float cx, float cy, float d, float m, float w) {
    const double scale = static_cast<double>(screen.focalScale) / d;
    return {PixelCoord(scale * cx + screen.centreX), PixelCoord(scale * cy + screen.centreY),
            static_cast<float>(static_cast<double>(screen.focalLength) / d * m * w)};
}

void MainBurst(PixelPattern& p, const Burst& b) {
    Builder at(p, b.x, b.y);
    at.Cross(b.R(16));
    at.Diagonal(b.R(16));
    at.Diagonal(b.R(7));
    at.Cross(b.R(11));
    at.Diagonal(b.R(11));
    at.Corners(b.R(2), b.R(24));
    at.Corners(b.R(24), b.R(2));
    at.Cross(b.R(32));
}

void EchoBurst(PixelPattern& p, const Burst& b) {
    Builder at(p, b.x, b.y);
    at.Corners(b.R(3), b.R(10));
    at.Corners(b.R(10), b.R(3));
    at.Corners(b.R(7), b.R(5));
    at.Corners(b.R(5), b.R(7));
    at.Cross(b.R(24));
}

void Paint(Framebuffer& surface, const PixelPattern& p, uint32_t colour) {
    for (int i = 0; i < p.count; ++i)
        surface.Set(p.points[i].x, p.points[i].y, colour);
}

} // namespace

PixelPattern SparklePattern(const ScreenGeometry& screen, int32_t x, int32_t y, float depth, int32_t left,
                            int32_t total, float m) {
    float e = 0.0f;
    if (total > 0 && depth > 0.0f)
        e = static_cast<float>(static_cast<double>(screen.focalLength) / depth * m * left / total);
    const int64_t n = Offset(32.0 * e);
    auto r = [e](int k) { return Offset(static_cast<double>(k) * e); };

    PixelPattern p;
    Builder at(p, x, y);
    at.Centre();
    if (n < 1) return p;
    if (n == 1) {
        at.Cross(1);
        return p;
    }
    if (n >= 8) {
        at.At(Offset(static_cast<double>(x) - e), y);
        at.At(Offset(static_cast<double>(x) + e), y);
        at.At(x, Offset(static_cast<double>(y) - e));
        at.At(x, Offset(static_cast<double>(y) + e));
        at.Cross(r(4));
    }
    if (n >= 4) {
        at.Diagonal(r(8));
        at.Diagonal(r(12));
    }
    at.Cross(r(16));
    at.Cross(n);
    return p;
}

void DrawSparkle(Framebuffer& surface, const ScreenGeometry& screen, int32_t x, int32_t y, float depth,
                 int32_t left, int32_t total, float m, uint32_t colour) {
    Paint(surface, SparklePattern(screen, x, y, depth, left, total, m), colour);
}

PixelPattern NovaPattern(const ScreenGeometry& screen, float cx, float cy, float depth, int32_t left,
                         int32_t total, float m) {
    PixelPattern p;
    if (!(depth > kNearDepth)) return p;
    const float w = static_cast<float>(
        std::pow(static_cast<double>(total) - left + 1.0, static_cast<double>(kNovaGrowth)));

    const Burst main = ProjectBurst(screen, cx, cy, depth, m, w);
    Builder(p, main.x, main.y).Centre();
    if (!(main.e > kNovaMinExtent)) return p;
    MainBurst(p, main);

    const float nearer = static_cast<float>(depth - 0.1 * m);
    const float farther = static_cast<float>(depth + 0.1 * m);
    if (farther > kNearDepth) EchoBurst(p, ProjectBurst(screen, cx, cy, farther, m, w));
    if (nearer > kNearDepth) EchoBurst(p, ProjectBurst(screen, cx, cy, nearer, m, w));
    return p;
}

void DrawNova(Framebuffer& surface, const ScreenGeometry& screen, float cx, float cy, float depth,
              int32_t left, int32_t total, float m, uint32_t colour) {
    Paint(surface, NovaPattern(screen, cx, cy, depth, left, total, m), colour);
}

int NovaFadeIndex(int32_t total, int32_t left) {
    if (total <= 0) return 0;
    const int64_t shown = static_cast<int64_t>(total) - left;
    const int32_t index = NearestLong(static_cast<double>(shown) * kNovaFadeSteps / total);
    return ClampLong(index, 0, kNovaFadeSteps - 1);
}

NewStarRateResult NewStarRate(const NewStarRateInput& in) {
    NewStarRateResult out;
    out.fade = static_cast<float>((std::cos(static_cast<double>(in.t) * kPiSingle) + 1.0) * 0.5);
    const double u = in.universeFreq;
    if (in.single) {
        out.rate = NearestInt(in.ownFreq);
    } else if (in.k == 1 && in.g >= 1) {
        out.rate = NearestInt((in.previousFreq - u) * out.fade + u);
    } else if (in.k > in.gpCtrl && in.visiting) {
        if (in.k - in.gpCtrl == 1)
            out.rate = NearestInt((in.visitFreq - u) * (1.0 - out.fade) + u);
        else
            out.rate = NearestInt(in.visitFreq);
    } else {
        out.rate = NearestInt(u);
    }
    return out;
}

int32_t RenewalCount(int16_t rate, Random& random) {
    // The fraction of a rate beyond whole hundreds becomes one more renewal by chance; formed in
    // double so that rate 250 is exactly 2.5 and rounds to 2.
    const double b = static_cast<double>(random()) * 100.0 < rate % 100 ? 1.0 : 0.0;
    const int32_t n = NearestLong(rate * 0.01 + b);
    return std::max(n, 0);
}

} // namespace orb
