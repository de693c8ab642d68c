// Hashes of the animation's pixels, to prove that a change meant to make drawing faster draws
// the same frames: every 25th burst step and every 25th tour frame of three runs on a 1920 x 1080
// surface with seed 1 (30000 stars with trail 1, 4000 stars with trail 7, the factory set). The
// frames go through the window hand-over as in the program, and the window's image is compared
// with the engine's surface at every hashed frame.
//
//   orbelune-pixel-hash [--quick] [--records]    one line per hashed frame: run kind index hash
//
// The engine draws into the window's image as it does with a shared-memory image, or with
// --records into a surface of its own whose written pixels are recorded and copied.
// scripts/pixel-hash-check.sh compares the lines with the ones recorded in tools/pixel-hashes.txt.
// Exit status 1 when the window's image and the surface differ.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/core/frame_presenter.h"
#include "engine/animation/animation.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"
#include "settings/store.h"

namespace {

using namespace orb;

constexpr int32_t kWidth = 1920, kHeight = 1080;
constexpr int32_t kEvery = 25;

struct RunKind {
    const char* name;
    int32_t stars;  // 0: the factory value
    int32_t trail;  // STrail, 0: the factory value
    int32_t tour;   // tour frames to run
    int32_t bursts; // burst steps to run
};

// The window as the program keeps it: only what the presenter hands over reaches it. With a
// shared image the engine draws into `shared` and the rectangles are copied from there.
struct Window {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(static_cast<size_t>(kWidth) * kHeight, 0);
    std::vector<uint32_t> shared;                           // the image shared with the server
    int64_t frames = 0, rectangles = 0, area = 0, rows = 0; // what went to the window system
    void Present(FramePresenter& p) {
        const std::vector<PixelRect>& rects = p.TakeChanges();
        ++frames;
        for (const PixelRect& r : rects) {
            ++rectangles;
            area += int64_t{r.width} * r.height;
            rows += r.height;
        }
        if (p.DrawsWindow()) {
            for (const PixelRect& r : rects)
                for (int32_t y = r.y; y < r.y + r.height; ++y)
                    std::copy_n(shared.data() + static_cast<size_t>(y) * kWidth + r.x, r.width,
                                pixels.data() + static_cast<size_t>(y) * kWidth + r.x);
        } else if (p.LastWasWhole()) {
            for (const PixelRect& r : rects)
                p.CopyRect(r, pixels.data(), kWidth);
        } else {
            p.CopyChanges(pixels.data(), kWidth);
        }
    }
    // The engine's colour at (x, y) as drawn.
    uint32_t Drawn(const Framebuffer& s, int32_t x, int32_t y) const {
        const uint32_t c = s.Get(x, y);
        return shared.empty() ? c : WindowPixel(c) & 0xFFFFFFu; // swapped back
    }
    uint64_t Hash(const Framebuffer& s) const {
        uint64_t h = 0xcbf29ce484222325ull;
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x)
                h = (h ^ Drawn(s, x, y)) * 0x100000001b3ull;
        return h;
    }
    bool Shows(const Framebuffer& s) const {
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x)
                if ((pixels[static_cast<size_t>(y) * kWidth + x] & 0xFFFFFFu) !=
                    (WindowPixel(Drawn(s, x, y)) & 0xFFFFFFu))
                    return false;
        return true;
    }
};

bool Run(const RunKind& kind, bool shared) {
    MemoryBackend backend;
    SettingsStore store(backend);
    FactoryConfiguration f = MakeFactoryConfiguration(0);
    if (kind.stars) f.universe[U::Stars] = kind.stars;
    if (kind.trail) f.universe[U::STrail] = kind.trail;
    store.SaveAllSettings(f.universe, f.tables);

    FramePresenter presenter;
    Window window;
    if (shared) {
        window.shared.assign(window.pixels.size(), 0);
        presenter.AttachWindow(window.shared.data(), kWidth, kHeight, kWidth);
    } else {
        presenter.Resize(kWidth, kHeight);
    }
    UniverseEngine engine(store);
    engine.SetFixedSeed(1);
    engine.SetupSurface(presenter.Surface());
    engine.SetupUniverse(false);
    presenter.Surface().Clear();
    UniverseAnimation animation(engine);
    animation.Begin();

    int32_t tour = 0, bursts = 0;
    bool same = true;
    while (tour < kind.tour || bursts < kind.bursts) {
        const bool burst = animation.Phase() == AnimationPhase::Creating;
        int32_t& count = burst ? bursts : tour;
        const FrameResult r = animation.Step();
        window.Present(presenter);
        if (++count % kEvery == 0 && count <= (burst ? kind.bursts : kind.tour)) {
            const Framebuffer& s = presenter.Surface();
            std::printf("%s %s %d %016" PRIx64 "\n", kind.name, burst ? "burst" : "tour", count,
                        window.Hash(s));
            if (!window.Shows(s)) {
                std::fprintf(stderr, "%s %s %d: the window's image differs from the surface\n", kind.name,
                             burst ? "burst" : "tour", count);
                same = false;
            }
        }
        if (r.clearScreen) presenter.Surface().Clear();
    }
    std::fprintf(stderr, "%s (%s): per frame %.0f rectangles, %.0f pixel rows, %.0f pixels\n", kind.name,
                 shared ? "shared image" : "records", double(window.rectangles) / window.frames,
                 double(window.rows) / window.frames, double(window.area) / window.frames);
    return same;
}

} // namespace

int main(int argc, char** argv) {
    bool quick = false, shared = true;
    for (int i = 1; i < argc; ++i) {
        quick |= std::strcmp(argv[i], "--quick") == 0;
        if (std::strcmp(argv[i], "--records") == 0) shared = false;
    }
    const int32_t tour = quick ? 300 : 3000, bursts = quick ? 100 : 300;
    const RunKind kinds[] = {
        {"max", 30000, 1, tour, bursts},
        {"trail7", 4000, 99, tour, bursts}, // 30000 \ 4000 = 7 trail slots a star
        {"factory", 0, 0, tour, bursts},
    };
    bool same = true;
    for (const RunKind& k : kinds)
        same = Run(k, shared) && same;
    return same ? 0 : 1;
}
