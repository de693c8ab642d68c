#include <algorithm>

#include "engine/creation/colour.h"
#include "engine/creation/universe.h"
#include "settings/numeric.h"

namespace orb {

namespace {

constexpr size_t kMessageChars = 50;

// The first n characters of a UTF-8 text (a character is never cut in half).
std::string FirstChars(std::string_view text, size_t n) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u;
        if (starts && chars++ == n) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

} // namespace

void BurstArrays::Size(int32_t stars, int16_t galaxies) {
    const size_t n = stars > 0 ? static_cast<size_t>(stars) : 0;
    const size_t g = galaxies > 0 ? static_cast<size_t>(galaxies) : 0;
    for (auto* v : {&x, &y, &z, &velX, &velY, &velZ})
        v->assign(n, 0.0f);
    state.assign(n, BurstState::Flying);
    age.assign(n, 0);
    unsettled.assign(n, 0);
    unsettledCount.assign((n + FlightBlock::kSize - 1) / FlightBlock::kSize, 0);
    for (auto* v : {&galaxyVelX, &galaxyVelY, &galaxyVelZ})
        v->assign(g, 0.0f);
}

UniverseEngine::UniverseEngine(SettingsStore& store, TickSource& ticks)
    : store_(store), ticks_(&ticks), model_(tables_, random_, BuildTrigTables()) {}

void UniverseEngine::SetupSurface(Framebuffer& surface) {
    surface_ = &surface;
    const std::string_view sec = kSectionAdvanced;
    // Each within the dialog's range: a stored delay beyond it would all but stop the animation.
    const auto number = [&](A a) { return std::clamp(store_.Read(sec, Def(a)), Def(a).min, Def(a).max); };
    frameDelay_ = static_cast<int16_t>(number(A::TimeDelay));
    const float focal = static_cast<float>(number(A::FocalLength));
    const SettingDef& fontDef = Def(A::FontName);
    std::string font(TrimBlanks(store_.ReadText(sec, fontDef.name, fontDef.defText)));
    message_.fontName = font.empty() ? std::string(fontDef.defText) : font;
    message_.fontSize = static_cast<int16_t>(number(A::FontSize));
    message_.hue = static_cast<int16_t>(number(A::FontHueV));
    message_.text = FirstChars(TrimBlanks(store_.ReadText(sec, Def(A::LockMessage).name, "")), kMessageChars);
    screen_ = MakeScreenGeometry(surface.width, surface.height, focal);
    if (fixedSeed_)
        random_.Seed(*fixedSeed_);
    else
        random_.SeedFromClock();
}

void UniverseEngine::SetupUniverse(bool preview) {
    // One batch: a file store reads one version of its file for all three, even while the
    // dialog or an import saves.
    StoreBatch whole(store_.Backend());
    UniverseSettings raw = store_.LoadUniverse();
    if (preview) ReduceForPreview(raw);
    values_ = ClampUniverseValues(raw);
    store_.LoadAllGalaxyTypes(tables_);
    store_.LoadAllComposites(tables_);
    BuildGalaxyColourTables(model_.colour, tables_);
    BuildFadePalettes(model_.colour, tables_, raw);
    StartRun();
}

void UniverseEngine::StartRun() {
    stars_.Size(values_.stars, values_.trail);
    galaxies_.Size(values_.galaxies);
    ambient_.Size(values_.ambientStars);
    burst_.Size(values_.stars, values_.galaxies);
    model_.style.Reserve(values_.galaxies);
    PrepareGalaxyTypes(model_);
    step_ = values_.burstSteps; // no universe begun yet
}

} // namespace orb
