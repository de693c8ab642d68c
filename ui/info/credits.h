// The credits window without its window: the parameters it is handed, the star field that flies
// at the viewer, and the column of credit lines that scrolls up through the frame.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/animation/random.h"

namespace orb {

// What the About window hands the credits window (FormLet). Clamped when the animation starts.
struct CreditsParams {
    int16_t stars = 150;              // i3DStars: number of stars, 10..200
    float speed = 0.005f;             // f3DSpeed: depth a star approaches per frame, 0.0025..0.25
    float scroll = 2.0f;              // fScrlInc: upward scroll of the column per frame, pixels, 0.5..10
    std::vector<std::string> credits; // sCredits: the credit lines in order
};

inline constexpr int16_t kCreditStarsMin = 10, kCreditStarsMax = 200;
inline constexpr float kCreditSpeedMin = 0.0025f, kCreditSpeedMax = 0.25f;
inline constexpr float kCreditScrollMin = 0.5f, kCreditScrollMax = 10.0f;
// A star nearer than this depth is sent back to the far plane before it is projected.
inline constexpr float kCreditRespawnDepth = 0.02f;

// The parameters within their ranges (a value that is not a number takes the lower bound).
CreditsParams ClampCreditsParams(CreditsParams p);

// Per star, in the field's own scale: x and y run from -1 to 1, depth 1 is the far plane.
struct CreditStar {
    float x = 0;    // CreditStarX: position in the plane, [-1, 1)
    float y = 0;    // CreditStarY
    float z = 1;    // CreditStarZ: depth, 1 = far, never below kCreditRespawnDepth
    float scrX = 0; // CreditStarScrX: projected position, within [-1, 1]
    float scrY = 0; // CreditStarScrY
};

// Width in pixels of a star's dot at depth z (1 / z rounded), for a depth the field keeps.
int CreditDotWidth(float z);

// The star field. Dots are drawn with exclusive-or, so drawing a dot again erases it: `draw`
// is called once to erase each star at its old place and once to show it at the new one.
class CreditStarField {
  public:
    using DrawDot = std::function<void(float scrX, float scrY, int width)>;

    CreditStarField(int16_t stars, float speed, uint64_t seed);

    // A fresh pass: every star placed at the far plane and drawn.
    void Start(const DrawDot& draw);
    // One frame: each star erased, moved nearer, respawned when it came too near or left the
    // field, and drawn again.
    void Step(const DrawDot& draw);
    // Draw every star where it is (to rebuild the field after its background was repainted).
    void DrawAll(const DrawDot& draw) const;

    const std::vector<CreditStar>& Stars() const { return stars_; }
    std::vector<CreditStar>& Stars() { return stars_; }

  private:
    void Respawn(CreditStar& s);

    std::vector<CreditStar> stars_; // one per star
    float speed_;                   // depth approached per frame
    Random random_;                 // placement of new stars
};

// ---- the column of credit lines ----

// One printed line of the column.
struct CreditLine {
    std::string text;     // as printed (never empty: an empty line prints one blank)
    int pointSize = 8;    // 8 lines and spacers, 10 headings, 12 the version, 18 or 20 the title
    bool centred = false; // centred in green; otherwise at the margin in cyan
};

// The lines of the column: the title (20 points on a 120-dpi screen, else 18), a spacer, the
// version, then each credit: a line not starting with a blank is a heading (a spacer, then the
// trimmed line cut to 30 characters at 10 points), any other five blanks and the trimmed line
// cut to 40 characters at 8 points.
std::vector<CreditLine> BuildCreditLines(const std::vector<std::string>& credits, bool highDpi);

// Measures text in the column's font.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual double Width(std::string_view text, int pointSize) const = 0;
    virtual double Height(std::string_view text, int pointSize) const = 0;
};

// Where a line is printed: the text at (textX, y), its shadow at (shadowX, y + 1).
struct PlacedCreditLine {
    CreditLine line;
    double textX = 0;   // pixels from the column's left edge
    double shadowX = 0; // the shadow, printed first
    double y = 0;       // top of the text
};

struct CreditColumn {
    double width = 0;                    // column and frame width, pixels
    double height = 0;                   // column height, pixels
    std::vector<PlacedCreditLine> lines; // in print order
};

inline constexpr double kCreditColumnMinWidth = 240;
inline constexpr double kCreditColumnTopMargin = 10;

// The column laid out: wide enough for 240 pixels and for the closing credit (the last line)
// with four blanks either side at 10 points; each line takes 1.2 times the height of "Spuds" of
// the column's height and moves the next line down by 1.2 times the height of "ABC".
CreditColumn LayoutCreditColumn(const std::vector<std::string>& credits, bool highDpi,
                                const TextMeasure& measure);

// The column's top after one frame of scrolling: up by `scroll`, or back just below the frame
// (frame height - 10) once the whole column has passed above the frame's top.
double ScrollCreditColumn(double top, double columnHeight, double frameHeight, double scroll);

// The column's top when it starts: just below the visible part of the frame.
inline double CreditColumnStart(double frameHeight) {
    return frameHeight - kCreditColumnTopMargin;
}

// The credit lines this program shows.
const std::vector<std::string>& OrbeluneCredits();

} // namespace orb
