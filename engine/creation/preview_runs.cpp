// The three hosts of the engine outside a saver run: the Properties dialog's preview values, the
// About show's sequence of composites and the preview window's reduced run.
#include <cmath>

#include "engine/creation/colour.h"
#include "engine/creation/preview.h"
#include "settings/numeric.h"
#include "settings/presets.h"

namespace orb {

namespace {

// A typed field within lo..hi; junk takes the lower bound.
double FieldIn(double v, double lo, double hi) {
    return std::isfinite(v) ? ClampRange(v, lo, hi) : lo;
}

int16_t WholeFieldIn(double v, int16_t lo, int16_t hi) {
    return static_cast<int16_t>(NearestInt(FieldIn(v, lo, hi)));
}

} // namespace

PropertiesPreview PropertiesPreviewValues(const PropertiesPreviewFields& f) {
    PropertiesPreview p;
    PreviewGalaxyParams& g = p.params;
    g.index = f.index;
    g.composite = f.composite;
    g.autoAdvance = false;
    g.frameLimit = 0;
    g.stars = WholeFieldIn(f.stars, 10, 30000);
    g.starFactor = 1.0f;
    g.trail = WholeFieldIn(f.trail, 1, 999);
    g.ambientStars = WholeFieldIn(f.ambientStars, 1, 999);
    g.ambientPersist = static_cast<float>(FieldIn(f.ambientPersist, 0.25, 0.999));
    g.ambientAgeStep = static_cast<float>(FieldIn(f.ambientAgeStep, 0, 10));
    g.ambientFrames = WholeFieldIn(f.ambientFrames, 0, 999);
    g.ambientExtent = static_cast<float>(FieldIn(f.ambientExtent, 1, 99999));
    g.symmetry = static_cast<float>(FieldIn(f.symmetry, 0, 1));
    p.hueStart = WholeFieldIn(f.hueStart, 0, 999);
    p.hueEnd = WholeFieldIn(f.hueEnd, 0, 999);
    return p;
}

void BuildPreviewColours(UniverseEngine& engine, const PropertiesPreview& preview) {
    ColourTables& colour = engine.Model().colour;
    BuildGalaxyColourTables(colour, engine.Tables());
    BuildFadePalettes(colour, engine.Tables(), UniverseSettings{}, preview.hueStart, preview.hueEnd);
}

// ---- About ----

AboutPreview::AboutPreview(UniverseEngine& engine, Framebuffer& picture, const UniverseSettings& universe,
                           std::atomic<bool>* cancel)
    : engine_(engine), picture_(picture), cancel_(cancel) {
    GalaxyTables& tables = engine_.Tables();
    ApplyFactoryGalaxyTypes(tables, 0);
    ApplyFactoryComposites(tables, 0);
    BuildGalaxyColourTables(engine_.Model().colour, tables);
    BuildFadePalettes(engine_.Model().colour, tables, universe);
}

bool AboutPreview::Shows(const GalaxyTables& tables, int16_t c) {
    return c == 0 || (c > 0 && c < kGalaxyTypeSlots && tables.types[c].pct >= 1);
}

void AboutPreview::StartNext() {
    // Composite 0 always shows, so this ends within one round of the counter.
    for (;;) {
        picture_.Clear();
        const int16_t c = next_;
        next_ = static_cast<int16_t>((next_ + 1) % kAboutComposites);
        if (!Shows(engine_.Tables(), c)) continue;
        const PreviewSurface surface = PreparePreviewSurface(engine_, picture_, true);
        PreviewGalaxyParams p;
        p.index = c;
        p.composite = true;
        p.autoAdvance = true;
        p.frameLimit = 500;
        p.stars = 2000;
        p.trail = 1;
        p.ambientStars = 100;
        p.ambientPersist = 0.9925f;
        p.ambientAgeStep = 0.1f;
        p.symmetry = 0;
        p.ambientFrames = 20;
        p.ambientExtent = 12500;
        p.starFactor = 0.8f;
        preview_.emplace(engine_, surface, p, cancel_);
        current_ = c;
        return;
    }
}

PreviewFrame AboutPreview::Step() {
    if (!preview_) StartNext();
    const PreviewFrame f = preview_->Step();
    if (f.status != PreviewStatus::Running) preview_.reset();
    return f;
}

// ---- preview window ----

PreviewWindowRun::PreviewWindowRun(UniverseEngine& engine, Framebuffer& window)
    : engine_(engine), window_(window) {
    engine_.SetupSurface(window_);
    engine_.SetupUniverse(true);
    window_.Clear();
    animation_ = std::make_unique<UniverseAnimation>(engine_);
    animation_->Begin();
}

FrameResult PreviewWindowRun::Step() {
    const FrameResult r = animation_->Step();
    if (r.clearScreen) window_.Clear();
    return r;
}

} // namespace orb
