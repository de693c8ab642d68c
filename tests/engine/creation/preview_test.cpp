#include "engine/creation/preview.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/animation/alloc_count.h"
#include "settings/presets.h"

namespace orb {
namespace {


// A store with the factory set 0 and the "Classical" theme, and an engine bound to it.
class PreviewTest : public ::testing::Test {
  protected:
    MemoryBackend backend;
    SettingsStore store{backend};
    SteppingTicks ticks{1000, 7};
    OwnedFramebuffer fb{151, 113};
    std::unique_ptr<UniverseEngine> engine;

    void SetUp() override {
        FactoryConfiguration f = MakeFactoryConfiguration(0);
        store.SaveAllSettings(f.universe, f.tables);
        engine = std::make_unique<UniverseEngine>(store, ticks);
        engine->SetFixedSeed(5);
        // The dialog edits tables loaded from the store.
        engine->SetupSurface(fb.Surface(), true);
        engine->SetupUniverse(true);
    }
    void SetAdvanced(A a, double v) { store.WriteNumber(kSectionAdvanced, Def(a).name, v, Def(a).type); }
    void SetUniverse(U u, double v) { store.WriteNumber(kSectionUniverse, Def(u).name, v, Def(u).type); }
    static PreviewGalaxyParams Small(int16_t index, bool composite) {
        PreviewGalaxyParams p;
        p.index = index;
        p.composite = composite;
        p.stars = 300;
        p.ambientStars = 20;
        return p;
    }
    int LitPixels() const {
        int n = 0;
        for (uint32_t p : fb.Pixels())
            n += p != 0;
        return n;
    }
};

} // namespace

// 151 x 113 pixels: centres 75.5 and 56.5 round to the even 76 and 56.
TEST_F(PreviewTest, SurfaceCentreAndFocalRules) {
    struct Case {
        bool about;
        double storedFocal, storedDelay;
        float focal;
        int16_t delay;
    };
    for (const Case c : {Case{false, 3.0, 5, 3.0f, 5}, Case{false, 50.0, 5, 10.0f, 5},
                         Case{false, 0.001, 5, 0.01f, 5}, Case{true, 3.0, 5, 1.0f, 32}}) {
        SetAdvanced(A::FocalLength, c.storedFocal);
        SetAdvanced(A::TimeDelay, c.storedDelay);
        fb.Surface().Set(3, 4, 0xFFFFFF);
        const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), c.about);
        EXPECT_EQ(s.screen.centreX, 76);
        EXPECT_EQ(s.screen.centreY, 56);
        EXPECT_FLOAT_EQ(s.screen.focalLength, c.focal) << c.storedFocal;
        EXPECT_FLOAT_EQ(s.screen.focalScale, 66.0f * c.focal) << c.storedFocal;
        EXPECT_EQ(s.frameDelay, c.delay) << c.about;
        EXPECT_EQ(LitPixels(), 0);
    }
}

TEST_F(PreviewTest, OneGalaxyUniverseValues) {
    struct Case {
        int16_t stars;
        float factor;
        int16_t trail;
        int16_t expectStars, expectTrail;
    };
    const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), false);
    for (const Case c : {Case{2000, 0.8f, 1, 1600, 1}, Case{30000, 1.0f, 999, 30000, 1},
                         Case{4000, 1.0f, 99, 4000, 7}, Case{10, 1.0f, 999, 10, 999}}) {
        PreviewGalaxyParams p = Small(3, false);
        p.stars = c.stars;
        p.starFactor = c.factor;
        p.trail = c.trail;
        p.ambientExtent = 12500;
        p.ambientFrames = 5000;
        PreviewGalaxy preview(*engine, s, p);
        EXPECT_EQ(preview.Values().stars, c.expectStars);
        EXPECT_EQ(preview.Values().trail, c.expectTrail) << c.stars;
        EXPECT_EQ(engine->Stars().count, c.expectStars);
        EXPECT_EQ(preview.Values().galaxies, 1);
        EXPECT_EQ(preview.Values().gravity, 0.0f);
        EXPECT_FLOAT_EQ(preview.Values().ambientFlashSize, 1.25f);
        EXPECT_EQ(preview.Values().ambientFlashFrames, 999);
    }
}

// A composite is shown through its stand-in slot and visited as its major member: the galaxy
// stands off by that member's distance and its comets take that member's budget.
TEST_F(PreviewTest, CompositeIsVisitedAsItsMajorMember) {
    const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), false);
    const CompositeGalaxy& comp = engine->Tables().composites[2];
    const int16_t major = comp.member[0];
    engine->Tables().types[major][G::CometStars] = 30;
    PreviewGalaxy preview(*engine, s, Small(2, true));
    EXPECT_EQ(engine->Galaxies().typeIndex[0], 34);
    EXPECT_TRUE(engine->Model().run[34].composite);
    EXPECT_EQ(preview.VisitType(), major);
    EXPECT_FLOAT_EQ(engine->Galaxies().relZ[0], engine->Model().run[major].standOff);
    EXPECT_EQ(preview.Comets().maxComets, 83);
    for (int32_t i = 0; i < engine->Stars().count; ++i) {
        const int16_t t = engine->Stars().type[i];
        bool member = false;
        for (int m = 0; m < comp.count; ++m)
            member = member || comp.member[m] == t;
        ASSERT_TRUE(member) << i << " " << t;
    }
}

// The ambient stars are renewed in a ball five stand-off distances wide around the galaxy.
TEST_F(PreviewTest, AmbientStarsFillABallAroundTheGalaxy) {
    const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), false);
    PreviewGalaxyParams p = Small(0, false);
    p.ambientPersist = 0.25f; // nearly every star renewed within a few frames
    PreviewGalaxy preview(*engine, s, p);
    for (int f = 0; f < 30; ++f)
        preview.Step();
    const double standOff = engine->Model().run[preview.VisitType()].standOff;
    const AmbientArrays& a = engine->Ambient();
    double farthest = 0;
    for (int32_t i = 0; i < a.Count(); ++i)
        farthest = std::max(farthest, std::hypot(a.x[i], a.y[i], a.z[i] - standOff));
    EXPECT_LE(farthest, 5 * standOff * 1.0001);
    EXPECT_GT(farthest, 2.5 * standOff);
}

TEST_F(PreviewTest, FrameLimitEndsOnlyWhenAutoAdvancing) {
    const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), false);
    for (const bool autoAdvance : {true, false}) {
        PreviewGalaxyParams p = Small(0, false);
        p.autoAdvance = autoAdvance;
        p.frameLimit = 5;
        PreviewGalaxy preview(*engine, s, p);
        for (int f = 1; f <= 12; ++f) {
            const PreviewStatus status = preview.Step().status;
            const bool last = autoAdvance && f == 5;
            EXPECT_EQ(status, last ? PreviewStatus::FrameLimit : PreviewStatus::Running) << f;
            if (last) break;
        }
    }
}

TEST_F(PreviewTest, CancelEndsBeforeDrawingAndClearsTheFlag) {
    const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), false);
    std::atomic<bool> cancel{false};
    PreviewGalaxy preview(*engine, s, Small(0, false), &cancel);
    EXPECT_EQ(preview.Step().frameStartTick, ticks.now) << "each frame is held from its own start";
    const std::vector<uint32_t> before = fb.Pixels();
    ASSERT_GT(LitPixels(), 0);
    cancel = true;
    EXPECT_EQ(preview.Step().status, PreviewStatus::Cancelled);
    EXPECT_FALSE(cancel.load());
    EXPECT_EQ(preview.Frames(), 1);
    EXPECT_EQ(fb.Pixels(), before);
}

TEST_F(PreviewTest, FramesAllocateNothing) {
    const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), false);
    PreviewGalaxyParams p = Small(0, false);
    p.trail = 4;
    PreviewGalaxy preview(*engine, s, p);
    test::AllocationCount count;
    for (int f = 0; f < 50; ++f)
        preview.Step();
    EXPECT_EQ(count.Count(), 0);
}

// Every style and every composite runs from its first frame with finite stars.
TEST_F(PreviewTest, EveryTypeAndCompositeRuns) {
    const PreviewSurface s = PreparePreviewSurface(*engine, fb.Surface(), false);
    for (const bool composite : {false, true}) {
        const int16_t count = composite ? kCompositeSlots : kGalaxyTypeSlots;
        for (int16_t i = 0; i < count; ++i) {
            PreviewGalaxy preview(*engine, s, Small(i, composite));
            for (int f = 0; f < 10; ++f)
                preview.Step();
            const StarArrays& st = engine->Stars();
            for (int32_t k = 0; k < st.count; ++k)
                ASSERT_TRUE(std::isfinite(st.x[k]) && std::isfinite(st.radius[k]) &&
                            std::isfinite(st.angle[k]))
                    << composite << " " << i << " " << k;
        }
    }
}

TEST_F(PreviewTest, PropertiesPreviewClampsTheTypedFields) {
    PropertiesPreviewFields f;
    f.index = 4;
    f.stars = 5;
    f.trail = 5000;
    f.ambientStars = 0;
    f.ambientPersist = 1.0;
    f.ambientAgeStep = -1;
    f.ambientFrames = 1000;
    f.ambientExtent = 1e6;
    f.symmetry = 2;
    f.hueStart = -5;
    f.hueEnd = 1200;
    const PropertiesPreview p = PropertiesPreviewValues(f);
    EXPECT_EQ(p.params.index, 4);
    EXPECT_EQ(p.params.stars, 10);
    EXPECT_EQ(p.params.trail, 999);
    EXPECT_EQ(p.params.ambientStars, 1);
    EXPECT_FLOAT_EQ(p.params.ambientPersist, 0.999f);
    EXPECT_FLOAT_EQ(p.params.ambientAgeStep, 0.0f);
    EXPECT_EQ(p.params.ambientFrames, 999);
    EXPECT_FLOAT_EQ(p.params.ambientExtent, 99999.0f);
    EXPECT_FLOAT_EQ(p.params.symmetry, 1.0f);
    EXPECT_EQ(p.hueStart, 0);
    EXPECT_EQ(p.hueEnd, 999);
    EXPECT_FLOAT_EQ(p.params.starFactor, 1.0f);
    EXPECT_FALSE(p.params.autoAdvance);
}

// The About show walks the composites in order, skipping those whose galaxy-type record of the
// same number weighs below 1, but never composite 0; a cancel moves on at once.
TEST_F(PreviewTest, AboutSequenceSkipsLightRecords) {
    std::atomic<bool> cancel{false};
    AboutPreview about(*engine, fb.Surface(), UniverseSettings{}, &cancel);
    GalaxyTables& tables = engine->Tables();
    for (int c = 0; c < kAboutComposites; ++c)
        tables.types[c].pct = (c == 0 || c == 3 || c == 7) ? 0 : 10;
    std::vector<int16_t> shown;
    for (int n = 0; n < 16; ++n) {
        about.Step();
        shown.push_back(about.Composite());
        cancel = true;
        EXPECT_EQ(about.Step().status, PreviewStatus::Cancelled);
    }
    const std::vector<int16_t> expected{0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(about.FrameDelay(), 32);
}

// Each composite of the About show runs 500 frames of 1600 stars, drawn with focal length 1.
TEST_F(PreviewTest, AboutShowsFiveHundredFramesPerComposite) {
    SetAdvanced(A::FocalLength, 4.0);
    AboutPreview about(*engine, fb.Surface(), UniverseSettings{});
    EXPECT_EQ(engine->Tables().types[0].name, FactoryNameOf(0, 0).name);
    int frames = 1;
    while (about.Step().status == PreviewStatus::Running)
        ++frames;
    EXPECT_EQ(frames, 500);
    EXPECT_EQ(engine->Stars().count, 1600);
    EXPECT_EQ(engine->Ambient().Count(), 100);
    about.Step();
    EXPECT_EQ(about.Composite(), 1);
}

// The preview window runs the reduced universe and, unlike the saver's surface, has its surface
// cleared between universes by the run itself.
TEST_F(PreviewTest, PreviewWindowIsClearedBetweenUniverses) {
    SetUniverse(U::Stars, 101);
    SetUniverse(U::AmStar, 5);
    SetUniverse(U::Galaxy, 1);
    SetUniverse(U::ESteps, 2);
    SetUniverse(U::GSteps, 2);
    SetUniverse(U::GPCtrl, 1);
    SetUniverse(U::GCCtrl, 0);
    PreviewWindowRun run(*engine, fb.Surface());
    EXPECT_EQ(engine->Values().stars, 66);       // 65.65
    EXPECT_EQ(engine->Values().ambientStars, 2); // 2.5 rounds to even
    bool cleared = false;
    int markerKept = 0;
    for (int step = 0; step < 200 && !cleared; ++step) {
        fb.Surface().Set(0, 0, 0x010203); // a pixel no star of this universe touches
        cleared = run.Step().clearScreen;
        if (cleared)
            EXPECT_EQ(LitPixels(), 0);
        else
            markerKept += fb.Surface().Get(0, 0) == 0x010203;
    }
    EXPECT_TRUE(cleared);
    EXPECT_GT(markerKept, 0);
}

} // namespace orb
