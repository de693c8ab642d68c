#include "engine/creation/preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include "engine/factory_store.h"

namespace orb {
namespace {

// The factory set 0 and the "Classical" theme, and an engine set up for a preview.
class PreviewTest : public ::testing::Test, protected test::FactoryStore {
  protected:
    SteppingTicks ticks{1000, 7};
    OwnedFramebuffer fb{151, 113};
    std::unique_ptr<UniverseEngine> engine = Engine(ticks, fb.Surface(), 5, true);

    PreviewSurface Surface() { return PreparePreviewSurface(*engine, fb.Surface(), false); }
    static PreviewGalaxyParams Small(int16_t index, bool composite = false) {
        return {.index = index, .composite = composite, .stars = 300, .ambientStars = 20};
    }
    int Lit() const {
        return static_cast<int>(
            std::count_if(fb.Pixels().begin(), fb.Pixels().end(), [](uint32_t p) { return p; }));
    }
};

// 151 x 113 pixels: centres 75.5 and 56.5 round to the even 76 and 56.
TEST_F(PreviewTest, SurfaceCentreAndFocalRules) {
    struct Case {
        bool about;
        double storedFocal;
        float focal;
        int16_t delay;
    };
    for (const Case c : {Case{false, 3.0, 3.0f, 5}, Case{false, 50.0, 10.0f, 5}, Case{false, 0.001, 0.01f, 5},
                         Case{true, 3.0, 1.0f, 32}}) {
        Set(A::FocalLength, c.storedFocal);
        Set(A::TimeDelay, 5);
        fb.Surface().Set(3, 4, 0xFFFFFF);
        const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), c.about);
        EXPECT_EQ(std::tuple(s.screen.centreX, s.screen.centreY, s.frameDelay, Lit()),
                  std::tuple(76, 56, c.delay, 0));
        EXPECT_FLOAT_EQ(s.screen.focalLength, c.focal) << c.storedFocal;
        EXPECT_FLOAT_EQ(s.screen.focalScale, 66.0f * c.focal) << c.storedFocal;
    }
}

TEST_F(PreviewTest, OneGalaxyUniverseValues) {
    struct Case {
        int16_t stars;
        float factor;
        int16_t trail, expectStars, expectTrail, ambient, expectAmbient;
    };
    const PreviewSurface s = Surface();
    for (const Case c : {Case{2000, 0.8f, 1, 1600, 1, 0, 1}, Case{30000, 1.0f, 999, 30000, 1, 5000, 3000},
                         Case{4000, 1.0f, 99, 4000, 7, 1, 1}, Case{10, 1.0f, 999, 10, 999, 20, 20},
                         Case{2, 0.2f, 999, 1, 999, 3000, 3000}}) {
        PreviewGalaxyParams p = Small(3);
        p.stars = c.stars, p.starFactor = c.factor, p.trail = c.trail, p.ambientFrames = 5000;
        p.ambientStars = c.ambient;
        PreviewGalaxy preview(*engine, s, p);
        const UniverseValues& v = preview.Values();
        EXPECT_EQ(std::tuple(v.stars, v.trail, engine->Stars().count, v.galaxies, v.ambientFlashFrames,
                             v.ambientStars),
                  std::tuple(c.expectStars, c.expectTrail, c.expectStars, 1, 999, c.expectAmbient))
            << c.stars;
        EXPECT_EQ(std::pair(v.gravity, v.ambientFlashSize), std::pair(0.0f, 1.25f));
    }
}

// A composite is shown through its stand-in slot and visited as its major member: the galaxy
// stands off by that member's distance and its comets take that member's budget.
TEST_F(PreviewTest, CompositeIsVisitedAsItsMajorMember) {
    const PreviewSurface s = Surface();
    const CompositeGalaxy& comp = engine->Tables().composites[2];
    const int16_t major = comp.member[0];
    engine->Tables().types[major][G::CometStars] = 30;
    engine->Tables().types[major][G::CometFreq] = 9999; // a comet starts almost every frame
    PreviewGalaxy preview(*engine, s, Small(2, true));
    EXPECT_EQ(engine->Galaxies().typeIndex[0], 34);
    EXPECT_TRUE(engine->Model().run[34].composite);
    EXPECT_EQ(preview.VisitType(), major);
    EXPECT_FLOAT_EQ(engine->Galaxies().relZ[0], engine->Model().run[major].standOff);
    EXPECT_EQ(preview.Comets().maxComets, 83);
    for (int32_t i = 0; i < engine->Stars().count; ++i) {
        const int16_t t = engine->Stars().type[i];
        ASSERT_NE(std::find(comp.member.begin(), comp.member.begin() + comp.count, t),
                  comp.member.begin() + comp.count)
            << i << " " << t;
    }
    for (int f = 0; f < 5; ++f)
        preview.Step();
    EXPECT_GT(LiveCometStars(preview.Comets()), 0) << "the one galaxy's comets fly";
    for (const bool composite : {false, true}) { // an index out of range is clamped to the nearest
        const int16_t past = composite ? kCompositeSlots : kGalaxyTypeSlots,
                      first = composite ? kGalaxyTypeSlots : 0;
        PreviewGalaxy beyond(*engine, s, Small(past, composite));
        EXPECT_EQ(engine->Galaxies().typeIndex[0], first + past - 1);
        PreviewGalaxy below(*engine, s, Small(-1, composite));
        EXPECT_EQ(engine->Galaxies().typeIndex[0], first);
    }
}

// The galaxy takes its type's tilt and start hue and keeps every renewed star; the ambient ball,
// five times the galaxy's distance in radius, stays centred on it as its stars are replaced.
TEST_F(PreviewTest, StarsStayInTheOneGalaxyAndAmbientStarsInABallAroundIt) {
    GalaxyType& type = engine->Tables().types[0];
    type[G::AngleTilt] = 90, type[G::HueStart] = 123;
    PreviewGalaxyParams p = Small(0);
    p.ambientPersist = 0.25f, p.ambientFrames = 0, p.symmetry = 0.5f;
    PreviewGalaxy preview(*engine, Surface(), p);
    const GalaxyTypeRun& run = engine->Model().run[0];
    EXPECT_EQ(std::pair(run.hueOffset, run.tiltSin), std::pair(123.0f, 1.0f));
    const AmbientArrays& a = engine->Ambient();
    const double d = engine->Galaxies().relZ[0];
    auto farthest = [&] {
        double far = 0;
        for (int32_t i = 0; i < a.Count(); ++i)
            far = std::max(far, std::hypot(a.x[i], a.y[i], a.z[i] - d));
        return far / d;
    };
    EXPECT_TRUE(farthest() > 4 && farthest() < 5.0001) << "placed at the start: " << farthest();
    for (int f = 0; f < 30; ++f)
        preview.Step();
    const std::vector<int16_t>& galaxy = engine->Stars().galaxy;
    EXPECT_EQ(std::count(galaxy.begin(), galaxy.begin() + engine->Stars().count, 0), engine->Stars().count);
    EXPECT_EQ(*std::max_element(a.flash.begin(), a.flash.end()), 0) << "new ambient stars do not sparkle";
    EXPECT_TRUE(farthest() > 4 && farthest() < 5.0001) << farthest();
}

// Stars of a figure style are placed by the one galaxy's figure, set up for galaxy 0.
TEST_F(PreviewTest, FigureStarsArePlacedInTheOneGalaxy) {
    GalaxyType& cube = engine->Tables().types[3];
    cube[G::GalStyle] = 3, cube[G::RadSegs] = 8, cube[G::RadFill] = 50;
    PreviewGalaxy preview(*engine, Surface(), Small(3));
    const std::vector<float>& r = engine->Stars().radius;
    EXPECT_GT(std::set<float>(r.begin(), r.begin() + engine->Stars().count).size(), 1u);
}

TEST_F(PreviewTest, FrameLimitEndsOnlyWhenAutoAdvancingAndCancelEndsBeforeDrawing) {
    const PreviewSurface s = Surface();
    for (const bool autoAdvance : {true, false}) {
        PreviewGalaxyParams p = Small(0);
        p.autoAdvance = autoAdvance;
        p.frameLimit = 5;
        PreviewGalaxy preview(*engine, s, p);
        for (int f = 1; f <= 12; ++f) {
            const bool last = autoAdvance && f == 5;
            EXPECT_EQ(preview.Step().status, last ? PreviewStatus::FrameLimit : PreviewStatus::Running) << f;
            if (last) break;
        }
    }
    std::atomic<bool> cancel{false};
    PreviewGalaxy preview(*engine, s, Small(0), &cancel);
    EXPECT_EQ(preview.Step().frameStartTick, ticks.now) << "each frame is held from its own start";
    const std::vector<uint32_t> before = fb.Pixels();
    ASSERT_GT(Lit(), 0);
    cancel = true;
    EXPECT_EQ(preview.Step().status, PreviewStatus::Cancelled);
    EXPECT_FALSE(cancel.load());
    EXPECT_EQ(preview.Frames(), 1);
    EXPECT_EQ(fb.Pixels(), before);
}

// The typed fields below, beyond and outside their ranges (junk takes the lower bound).
TEST(PropertiesPreview, ClampsTheTypedFields) {
    const double nan = std::nan("");
    const PropertiesPreviewFields low{4, true, 5, 0, 0, 0, -1, -1, 0, -1, -5, -5},
        junk{4, true, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan},
        high{4, true, 1e6, 5000, 5000, 1, 20, 1000, 1e6, 2, 1200, 1200};
    for (const PropertiesPreviewFields* f : {&low, &junk, &high}) {
        const bool up = f == &high;
        const PropertiesPreview p = PropertiesPreviewValues(*f);
        const PreviewGalaxyParams& g = p.params;
        EXPECT_EQ(std::tuple(g.index, g.composite, g.autoAdvance, g.frameLimit, g.starFactor),
                  std::tuple(4, true, false, 0, 1.0f));
        EXPECT_EQ(std::tuple(g.stars, g.trail, g.ambientStars, g.ambientFrames, p.hueStart, p.hueEnd),
                  up ? std::tuple(30000, 999, 999, 999, 999, 999) : std::tuple(10, 1, 1, 0, 0, 0));
        EXPECT_EQ(std::tuple(g.ambientPersist, g.ambientAgeStep, g.ambientExtent, g.symmetry),
                  up ? std::tuple(0.999f, 10.0f, 99999.0f, 1.0f) : std::tuple(0.25f, 0.0f, 1.0f, 0.0f));
    }
}

// The About show walks the composites in order, skipping those whose galaxy-type record of the
// same number weighs below 1, but never composite 0; a cancel moves on at once.
TEST_F(PreviewTest, AboutSequenceSkipsLightRecords) {
    std::atomic<bool> cancel{false};
    AboutPreview about(*engine, fb.Surface(), UniverseSettings{}, &cancel);
    for (int c = 0; c < kAboutComposites; ++c)
        engine->Tables().types[c].pct = (c == 0 || c == 3 || c == 7) ? 0 : 1;
    std::vector<int16_t> shown;
    for (int n = 0; n < 16; ++n) {
        about.Step();
        shown.push_back(about.Composite());
        cancel = true;
        EXPECT_EQ(about.Step().status, PreviewStatus::Cancelled);
    }
    EXPECT_EQ(shown, (std::vector<int16_t>{0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1}));
    EXPECT_EQ(about.FrameDelay(), 32);
    cancel = false; // uncancelled, each composite runs 500 frames of 1600 stars
    int frames = 1;
    int16_t flash = 0; // a new ambient star sparkles for 20 frames
    while (about.Step().status == PreviewStatus::Running) {
        ++frames;
        flash = std::max(flash,
                         *std::max_element(engine->Ambient().flash.begin(), engine->Ambient().flash.end()));
    }
    EXPECT_EQ(std::tuple(frames, flash, engine->Stars().count, engine->Ambient().Count()),
              std::tuple(500, int16_t{20}, 1600, 100));
    about.Step();
    EXPECT_EQ(about.Composite(), 4); // 3 is skipped
    EXPECT_EQ(engine->Galaxies().typeIndex[0], kGalaxyTypeSlots + 4);
    EXPECT_EQ(engine->Tables().types[0].name, FactoryNameOf(0, 0).name);
}

// The preview window runs the reduced universe and clears its surface between universes itself.
TEST_F(PreviewTest, PreviewWindowIsClearedBetweenUniverses) {
    const std::pair<U, double> tiny[] = {{U::Stars, 101}, {U::AmStar, 5}, {U::Galaxy, 1}, {U::ESteps, 2},
                                         {U::GSteps, 2},  {U::GPCtrl, 1}, {U::GCCtrl, 0}};
    Set(tiny);
    PreviewWindowRun run(*engine, fb.Surface());
    EXPECT_EQ(engine->Values().stars, 66);       // 65.65
    EXPECT_EQ(engine->Values().ambientStars, 2); // 2.5 rounds to even
    bool cleared = false;
    int markerKept = 0;
    for (int step = 0; step < 200 && !cleared; ++step) {
        fb.Surface().Set(0, 0, 0x010203); // a pixel no star of this universe touches
        cleared = run.Step().clearScreen;
        if (cleared)
            EXPECT_EQ(Lit(), 0);
        else
            markerKept += fb.Surface().Get(0, 0) == 0x010203;
    }
    EXPECT_TRUE(cleared);
    EXPECT_GT(markerKept, 0);
}

} // namespace
} // namespace orb
