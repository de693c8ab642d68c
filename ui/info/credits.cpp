#include "ui/info/credits.h"

#include <algorithm>
#include <cmath>

#include "settings/numeric.h"

namespace orb {

namespace {

float ClampFinite(float v, float lo, float hi) {
    return std::isnan(v) ? lo : ClampSingle(v, lo, hi);
}

std::string Cut(std::string_view text, size_t n) {
    return std::string(text.substr(0, n));
}

} // namespace

CreditsParams ClampCreditsParams(CreditsParams p) {
    p.stars = ClampInt(p.stars, kCreditStarsMin, kCreditStarsMax);
    p.speed = ClampFinite(p.speed, kCreditSpeedMin, kCreditSpeedMax);
    p.scroll = ClampFinite(p.scroll, kCreditScrollMin, kCreditScrollMax);
    return p;
}

int CreditDotWidth(float z) {
    // The field keeps every depth at or above the respawn bound, so this is at most 50.
    return static_cast<int>(std::nearbyint(1.0f / std::max(z, kCreditRespawnDepth)));
}

CreditStarField::CreditStarField(int16_t stars, float speed, uint64_t seed)
    : stars_(static_cast<size_t>(std::max<int16_t>(stars, 0))), speed_(speed), random_(seed) {}

void CreditStarField::Respawn(CreditStar& s) {
    s.x = 2 * random_() - 1;
    s.y = 2 * random_() - 1;
    s.z = 1;
    s.scrX = s.x;
    s.scrY = s.y;
}

void CreditStarField::Start(const DrawDot& draw) {
    for (CreditStar& s : stars_) {
        Respawn(s);
        draw(s.scrX, s.scrY, CreditDotWidth(s.z));
    }
}

void CreditStarField::Step(const DrawDot& draw) {
    for (CreditStar& s : stars_) {
        draw(s.scrX, s.scrY, CreditDotWidth(s.z)); // erase
        s.z -= speed_;
        // The bound is tested before dividing: a star at depth 0 or behind the viewer has no
        // projection.
        if (!(s.z >= kCreditRespawnDepth)) {
            Respawn(s);
        } else {
            s.scrX = s.x / s.z;
            s.scrY = s.y / s.z;
            if (s.scrX < -1 || s.scrX > 1 || s.scrY < -1 || s.scrY > 1) Respawn(s);
        }
        draw(s.scrX, s.scrY, CreditDotWidth(s.z));
    }
}

void CreditStarField::DrawAll(const DrawDot& draw) const {
    for (const CreditStar& s : stars_)
        draw(s.scrX, s.scrY, CreditDotWidth(s.z));
}

std::vector<CreditLine> BuildCreditLines(const std::vector<std::string>& credits, bool highDpi) {
    // Lines of 9 points and more (title, version, headings) are centred; the small ones sit at
    // the margin.
    auto line = [](std::string text, int size) {
        if (text.empty()) text.push_back(' '); // (assigning a literal here trips a false -Wrestrict at -O3)
        return CreditLine{std::move(text), size, size >= 9};
    };
    std::vector<CreditLine> out;
    out.push_back(line("Orbelune", highDpi ? 20 : 18));
    out.push_back(line("", 8));
    out.push_back(line("Version 3.0", 12));
    for (const std::string& c : credits) {
        if (!c.empty() && c[0] != ' ') {
            out.push_back(line("", 8));
            out.push_back(line(Cut(TrimBlanks(c), 30), 10));
        } else {
            out.push_back(line("     " + Cut(TrimBlanks(c), 40), 8));
        }
    }
    return out;
}

CreditColumn LayoutCreditColumn(const std::vector<std::string>& credits, bool highDpi,
                                const TextMeasure& measure) {
    CreditColumn col;
    const std::string closing = credits.empty() ? std::string() : std::string(TrimBlanks(credits.back()));
    col.width = std::max(kCreditColumnMinWidth, std::ceil(measure.Width("    " + closing + "    ", 10)));
    double nextY = kCreditColumnTopMargin; // NextLineY
    col.height = 0;
    for (CreditLine& l : BuildCreditLines(credits, highDpi)) {
        PlacedCreditLine p;
        col.height += 1.2 * measure.Height("Spuds", l.pointSize);
        if (l.centred) {
            const double x = (col.width - measure.Width(l.text, l.pointSize)) / 2;
            p.shadowX = x + 1;
            p.textX = x - 1;
        } else {
            p.shadowX = 7;
            p.textX = 5;
        }
        p.y = nextY;
        nextY += 1.2 * measure.Height("ABC", l.pointSize);
        p.line = std::move(l);
        col.lines.push_back(std::move(p));
    }
    // The printed lines start below the top margin: keep the last one inside the picture.
    col.height = std::max(col.height, nextY + kCreditColumnTopMargin);
    return col;
}

double ScrollCreditColumn(double top, double columnHeight, double frameHeight, double scroll) {
    if (top < -columnHeight) return CreditColumnStart(frameHeight);
    return top - scroll;
}

const std::vector<std::string>& OrbeluneCredits() {
    static const std::vector<std::string> lines = {
        "Software Engineering:",
        "     The Orbelune developers",
        "Built With:",
        "     Qt 6 Widgets (The Qt Company and",
        "     the Qt Project contributors)",
        "     xcb, the X protocol C binding",
        "     libpng, the PNG reference library",
        "     GoogleTest and CMake",
        "Algorithms:",
        "     Uniform cubic B-spline paths",
        "     Iterated function systems",
        "     Rotation about the world axes",
        "     Perspective projection on a pinhole",
        "     Newtonian attraction between galaxies",
        "     A permuted congruential generator",
        "Testing:",
        "     Unit tests of every window-free rule",
        "     Offscreen window tests",
        "     Real windows on a virtual X server",
        "Fine Print:",
        "     No stars were harmed in the making",
        "     of this program. Galaxies shown are",
        "     not to scale. Objects in the camera",
        "     may be nearer than they appear.",
        "     Gravity is approximate. Comets may",
        "     shed stars. Turn the star count down",
        "     if your computer starts to glow.",
        "     Batteries not included.",
        "Dedication:",
        "     To everyone who ever looked up",
        "     on a clear night and wondered",
        "     what it would be like to fly",
        "     through the stars.",
        " ",
        "     (c) 2026 The Orbelune developers",
    };
    return lines;
}

} // namespace orb
