#include "ui/help/help_topics.h"

#include <gtest/gtest.h>

#include "settings/setting_defs.h"
#include "settings/universe_fields.h"
#include "ui/help/help_search.h"

namespace orb {
namespace {

TEST(HelpTopics, EverySettingHasATopic) {
    std::vector<std::string_view> names;
    for (const SettingDef& d : kUniverseDefs)
        names.push_back(d.name);
    for (const SettingDef& d : kGalaxyDefs)
        names.push_back(d.name);
    for (const SettingDef& d : kAdvancedDefs)
        names.push_back(d.name);
    for (std::string_view n : {kUniGalName, kUniGalPct, kCompGalName, kCompGalPct, kCompGalCountStore,
                               kCompGalTypeStore, kAnimationType, kResetSettings})
        names.push_back(n);
    for (std::string_view n : names) {
        const auto url = HelpTopicUrl(n);
        ASSERT_TRUE(url) << n;
        EXPECT_NE(url->find(".html#"), std::string::npos) << n;
    }
    EXPECT_EQ(HelpTopicUrl("universe_stars"), HelpTopicUrl("Universe_Stars")); // names ignore case
    EXPECT_FALSE(HelpTopicUrl("Universe_Nothing"));
}

TEST(HelpTopics, FieldsLeadToTheirTopicsRelabelledGalaxyBoxesByStyle) {
    const std::tuple<int, int, std::string_view> cases[] = {
        // box, style, topic
        {3, 0, "Galaxy_RadSegs"},
        {93, 0, "Galaxy_AngleTilt"},
        {3, 4, "Galaxy_CP_Points"},
        {6, 4, "Galaxy_CP_B_Exp"},
        {93, 4, "Galaxy_CP_B_Spd"},
        {91, 4, "style-nebula"},
        {3, 1, "style-ifs-attractor"},
        {6, 1, "Galaxy_RadBFill"},
        {5, 3, "Galaxy_RadBands"},
        {90, 5, "style-quasar"},
        {90, 6, "style-graviton"},
        {0, 7, "style-starwave"},
        {1, 7, "Galaxy_Rotation"},
        {8, 5, "Galaxy_QG_Force"},
        {48, 2, "Galaxy_HWC_End"},
        {5, 99, "style-starwave"},
        {3, 3, "style-ifs-fractal"},
        {9, 0, ""},
        {97, 0, ""},
    };
    for (auto [box, style, topic] : cases)
        EXPECT_EQ(GalaxyBoxTopic(box, style), topic) << box << "/" << style;
    // Every box of every style leads somewhere.
    for (int style = 0; style < kStyleCount; ++style)
        for (int box :
             {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 20, 21, 22, 40, 44, 48, 90, 91, 92, 93, 94, 95, 96}) {
            EXPECT_TRUE(FindHelpTopic(GalaxyBoxTopic(box, style))) << box << "/" << style;
        }
    EXPECT_EQ(UniverseFieldTopic(9), ""); // between the panes' index groups
    EXPECT_EQ(PixHueTopic(5), "");
    for (const UniverseBinding& b : kUniverseBindings) {
        if (b.control == UniverseControl::Field) {
            EXPECT_TRUE(FindHelpTopic(UniverseFieldTopic(b.index))) << b.index;
        }
    }
}

TEST(HelpTopics, NamedControlsAndCaptionsLeadToTheirTopics) {
    for (std::string_view name :
         {"txtAdv0", "txtAdv1", "txtAdv2", "txtFocalLen", "txtMessage", "cboFont", "chkResize", "chkMouseM",
          "cboGalStyle", "chkUniTour", "txtCompGalPct", "lstCompGalaxy"})
        EXPECT_TRUE(FindHelpTopic(NamedControlTopic(name))) << name;
    EXPECT_EQ(NamedControlTopic("txtFocalLen"), "FocalLength");
    EXPECT_EQ(NamedControlTopic("txtNothing"), "");
    EXPECT_EQ(WindowCaptionTopic("Advanced Settings"), "frmAdvanced");
    EXPECT_EQ(WindowCaptionTopic("Enter or Select Template to Save"), "frmTemplate");
    EXPECT_EQ(WindowCaptionTopic("Orbelune"), ""); // a message box has no topic of its own
}

TEST(HelpSearch, FindsSectionsHoldingEveryWord) {
    const std::string html = R"(<html><body><h1 id="top">Advanced &amp; more</h1><p>Intro text.</p>
<h3 id="FocalLength">Focal Length Distance (0.01 - 10.0):</h3><p>How far the <b>eye</b> sits.</p>
<h3 id="Adv_TimeDelay">Delay in Milliseconds</h3><p>Frame delay; the focal value is elsewhere.</p>
</body></html>)";
    const std::vector<HelpSection> sections = SplitHelpPage("advanced.html", html);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].title, "Advanced & more");
    EXPECT_EQ(sections[0].text, "intro text.");
    EXPECT_EQ(sections[1].anchor, "FocalLength");
    EXPECT_EQ(sections[1].text, "how far the eye sits.");

    const auto focal = SearchHelp(sections, "FOCAL");
    ASSERT_EQ(focal.size(), 2u);
    EXPECT_EQ(focal[0]->anchor, "FocalLength"); // the title match first
    EXPECT_EQ(focal[1]->anchor, "Adv_TimeDelay");
    const auto both = SearchHelp(sections, "focal  eye");
    ASSERT_EQ(both.size(), 1u);
    EXPECT_TRUE(SearchHelp(sections, "   ").empty());
    EXPECT_TRUE(SearchHelp(sections, "nebula").empty());
}

} // namespace
} // namespace orb
