// The one chain every visible dot goes through: a star's local position is turned by its galaxy
// type's tilt, shifted by its galaxy's position relative to the camera, divided by depth and
// scaled to pixels around the surface centre. The camera only translates, looking along +Z;
// screen X grows to the right and screen Y downwards.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orb {

// Points at or nearer than this depth are behind the camera and never drawn.
inline constexpr float kNearDepth = 0.001f;

struct ScreenGeometry {
    int16_t centreX = 0;      // ScreenCentreX: half the surface width, pixels
    int16_t centreY = 0;      // ScreenCentreY: half the surface height, pixels
    float focalLength = 1.0f; // FocalLength after clamping to 0.01..10
    float focalScale = 0.0f;  // FocalScale: (centreX + centreY) x 0.5 x focalLength, pixels
};

// Screen constants for a surface of the given size in pixels (a preview host converts its
// window units to pixels first). The focal length is clamped to 0.01..10; NaN counts as 1.
ScreenGeometry MakeScreenGeometry(double widthPixels, double heightPixels, float focalLength);

struct Vec3f {
    float x = 0, y = 0, z = 0;
};

// How the stars of one galaxy type are turned before projection.
struct TypeView {
    float tiltSin = 0;     // sine of the type's current TiltAngle
    float tiltCos = 1;     // cosine of the type's current TiltAngle
    int16_t axisPlane = 0; // Galaxy_AxisPlane: 0 local X horizontal on screen, else vertical
};

struct ScreenPoint {
    int32_t x = 0; // pixel column
    int32_t y = 0; // pixel row
};

// Real to pixel coordinate: nearest, halves to even, saturated so that a point projected from
// just in front of the camera cannot overflow. Adding and removing 1.5 x 2^52 rounds in the
// current (round-to-nearest-even) mode without a library call; this runs for every star drawn.
inline int32_t PixelCoord(double v) {
    constexpr double kRound = 6755399441055744.0;
    if (std::fabs(v) < 2147483647.0) return static_cast<int32_t>((v + kRound) - kRound); // not reassociated
    return v > 0 ? INT32_MAX : (v < 0 ? INT32_MIN : 0); // beyond 32 bits, or NaN
}

// PixelCoord in few vector operations, for every number but NaN (which gives INT32_MIN instead
// of 0): INT32_MIN from -(2^31 - 1) down, INT32_MAX from 2^31 - 1 up, nearest with halves to even
// between. Adding and removing 1.5 x 2^52 rounds exactly up to 2^51, and beyond that never comes
// back below 2^51, so the clamp at 2^31 - 1 still holds; no conversion sees a value out of range,
// and every select stays in double lanes.
[[gnu::always_inline]] inline int32_t PixelCoordLanes(double v) {
    constexpr double kRound = 6755399441055744.0, kMax = 2147483647.0;
    const double rounded = std::min((v + kRound) - kRound, kMax); // not reassociated
    return static_cast<int32_t>(v > -kMax ? rounded : -2147483648.0);
}

// PixelCoord with selects instead of branches, the same value for every input, NaN too.
[[gnu::always_inline]] inline int32_t PixelCoordSelect(double v) {
    return PixelCoordLanes(v == v ? v : 0.0);
}

// ProjectStar. Returns the depth; when it is above kNearDepth the pixel is written to out,
// otherwise out is left as it was (the caller keeps the pixel of an earlier frame).
inline float ProjectStar(const ScreenGeometry& screen, Vec3f local, const TypeView& view, Vec3f rel,
                         ScreenPoint& out) {
    const double s = view.tiltSin, c = view.tiltCos;
    const float depth = static_cast<float>(local.y * s + local.z * c + rel.z);
    if (!(depth > kNearDepth)) return depth;
    const float k = screen.focalScale / depth;
    const double across = local.z * s - local.y * c; // the rotated height, mirrored for screen Y
    if (view.axisPlane == 0) {
        out.x = PixelCoord((static_cast<double>(local.x) + rel.x) * k + screen.centreX);
        out.y = PixelCoord((across + rel.y) * k + screen.centreY);
    } else {
        out.y = PixelCoord((static_cast<double>(local.x) + rel.y) * k + screen.centreY);
        out.x = PixelCoord((across + rel.x) * k + screen.centreX);
    }
    return depth;
}

// ProjectStar for many stars at once, in a loop the compiler vectorises and without branches
// (whether a star is in front of the camera is a coin toss seen from inside a universe); the
// results are those of ProjectStar star by star. The caller fills stars 0..count-1 of the batch
// and reads back depth and pixel; the pixel is left as it was where the depth is not above
// kNearDepth. The tilt of a star's type and the offset of its galaxy are read from tables
// through the star's indices (they change per type and per galaxy, not per star).
struct ProjectionBatch {
    static constexpr int32_t kSize = 256; // stars a batch holds

    // Inputs, held as doubles (the chain works in double precision) so that the loop has one
    // lane width throughout.
    double x[kSize], y[kSize], z[kSize];  // local position, world units
    int32_t type[kSize];                  // index into BatchTables' per-type views
    int32_t galaxy[kSize];                // index into BatchTables' galaxy offsets
    int32_t fromX[kSize], fromY[kSize];   // the pixel so far
    float depth[kSize];                   // out: depth, world units
    int32_t pixelX[kSize], pixelY[kSize]; // out: the pixel seen now (the pixel so far where not seen)
    // Out (PixelAddresses): where the pixel so far and the pixel seen now are stored in a
    // surface, or a scratch word when off it (or, for the one seen now, not seen).
    uint32_t* fromAt[kSize];
    uint32_t* pixelAt[kSize];
    // Out (PixelAddresses, for a surface with block flags): the flags of the blocks that hold
    // those pixels, or a scratch flag where the pixel goes to the scratch word.
    uint8_t* fromFlag[kSize];
    uint8_t* pixelFlag[kSize];
};
// What the stars of a batch share: per type and per galaxy.
struct BatchTables {
    const double* tiltSin = nullptr;  // per type: TypeView::tiltSin
    const double* tiltCos = nullptr;  // per type: TypeView::tiltCos
    const double* vertical = nullptr; // per type: 1 where TypeView::axisPlane is non-zero, else 0
    const float* relX = nullptr;      // per galaxy: centre relative to the camera, world units
    const float* relY = nullptr;
    const float* relZ = nullptr;
};
void ProjectStars(const ScreenGeometry& screen, const BatchTables& tables, ProjectionBatch& batch,
                  int32_t count);
// After ProjectStars: the addresses of the batch's pixels in a surface of the given size whose
// width x height pixels are numbered within 32 bits; scratch stands for any pixel off it. With
// blocks, also the addresses of the flags of their 16 x 16 blocks (Framebuffer::blocks).
struct SurfaceLayout {
    uint32_t* pixels = nullptr;     // first pixel of row 0
    uint32_t width = 0;             // pixels per row
    uint32_t height = 0;            // rows
    uint32_t stride = 0;            // pixels from one row to the next
    uint32_t* scratch = nullptr;    // a word never shown
    uint8_t* blocks = nullptr;      // block flags row by row, or none
    uint32_t blockColumns = 0;      // flags per row of blocks
    uint8_t* scratchFlag = nullptr; // a flag never read, for pixels off the surface
};
void PixelAddresses(ProjectionBatch& batch, int32_t count, const SurfaceLayout& surface);

// Where pixel (x, y) of the surface is stored and, with kFlags, its block flag; the scratch word
// and flag where `write` does not hold or the pixel is off the surface. Picked by masks: as a
// condition, a vectorised loop would branch on whether any lane holds, which goes either way
// from one batch of stars to the next.
struct PixelTarget {
    uint32_t* at;  // the pixel, or the scratch word
    uint8_t* flag; // its block flag, or the scratch flag (null without kFlags)
};
template <bool kFlags>
[[gnu::always_inline]] inline PixelTarget TargetOf(const SurfaceLayout& l, bool write, uint32_t x,
                                                   uint32_t y) {
    const uintptr_t keep = uintptr_t{0} - static_cast<uintptr_t>(write & (x < l.width) & (y < l.height));
    const auto pick = [keep](auto* base, uint32_t index, auto* other) {
        const uintptr_t at = reinterpret_cast<uintptr_t>(base) + uintptr_t{index} * sizeof(*base);
        return reinterpret_cast<decltype(base)>((at & keep) | (reinterpret_cast<uintptr_t>(other) & ~keep));
    };
    uint8_t* flag = nullptr;
    if constexpr (kFlags) flag = pick(l.blocks, (y >> 4) * l.blockColumns + (x >> 4), l.scratchFlag);
    return {pick(l.pixels, y * l.stride + x, l.scratch), flag};
}

// CameraSpace: the same chain without the perspective division (sparkles and novas).
struct CameraPoint {
    float x = 0, y = 0; // camera-space position, world units
    float depth = 0;    // distance along +Z
};
inline CameraPoint CameraSpace(Vec3f local, const TypeView& view, Vec3f rel) {
    const double s = view.tiltSin, c = view.tiltCos;
    const double across = local.z * s - local.y * c;
    CameraPoint p;
    p.depth = static_cast<float>(local.y * s + local.z * c + rel.z);
    if (view.axisPlane == 0) {
        p.x = static_cast<float>(static_cast<double>(local.x) + rel.x);
        p.y = static_cast<float>(across + rel.y);
    } else {
        p.y = static_cast<float>(static_cast<double>(local.x) + rel.y);
        p.x = static_cast<float>(across + rel.x);
    }
    return p;
}

} // namespace orb
