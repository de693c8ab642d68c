#include "ui/help/help_topics.h"

#include <algorithm>

#include "settings/setting_defs.h"
#include "settings/store_backend.h"
#include "settings/universe_fields.h"

namespace orb {

namespace {

// A topic whose anchor is its key.
HelpTopic Same(std::string_view key, std::string_view page) {
    return {key, page, key};
}

std::vector<HelpTopic> BuildTopics() {
    std::vector<HelpTopic> t;
    for (const SettingDef& d : kUniverseDefs)
        t.push_back(Same(d.name, "universe.html"));
    for (const SettingDef& d : kGalaxyDefs)
        t.push_back(Same(d.name, "galaxy.html"));
    for (const SettingDef& d : kAdvancedDefs)
        t.push_back(Same(d.name, "advanced.html"));
    for (std::string_view k : {kUniGalName, kUniGalPct})
        t.push_back(Same(k, "galaxy-types.html"));
    for (std::string_view k : {kCompGalName, kCompGalPct, kCompGalCountStore, kCompGalTypeStore})
        t.push_back(Same(k, "composites.html"));
    for (std::string_view k : {kAnimationType, kResetSettings, kWindowState, kWindowSize})
        t.push_back(Same(k, "linux.html"));
    const HelpTopic windows[] = {
        {"contents", "index.html", "contents"},
        {"frmProps", "properties.html", "frmProps"},
        {"mnuFile", "properties.html", "mnuFile"},
        {"mnuEdit", "properties.html", "mnuEdit"},
        {"mnuHelp", "properties.html", "mnuHelp"},
        {"mnuResetProps", "properties.html", "mnuResetProps"},
        {"cboUniTheme", "properties.html", "cboUniTheme"},
        {"cboGalTheme", "galaxy.html", "cboGalTheme"},
        {"fraPreview", "properties.html", "fraPreview"},
        {"fraPropCopy", "properties.html", "fraPropCopy"},
        {"cmdAccept", "properties.html", "cmdAccept"},
        {"fraBack", "universe.html", "fraBack"},
        {"cboUniExtras", "universe.html", "fraBack"},
        {"fraUniProp0", "universe.html", "fraUniProp0"},
        {"fraUniProp1", "universe.html", "fraUniProp1"},
        {"fraAmbient", "universe.html", "fraUniProp1"},
        {"fraUniProp2", "universe.html", "fraUniProp2"},
        {"fraUniProp3", "composites.html", "fraUniProp3"},
        {"fraUniProp4", "universe.html", "fraUniProp4"},
        {"fraAni1", "galaxy-types.html", "fraAni1"},
        {"fraUniGalaxies", "galaxy-types.html", "fraAni1"},
        {"cmdGalCommit", "galaxy-types.html", "cmdGalCommit"},
        {"cmdGalProps", "galaxy-types.html", "cmdGalProps"},
        {"cmdGalPreview", "galaxy-types.html", "cmdGalPreview"},
        {"cmdResetGalPct", "galaxy-types.html", "cmdResetGalPct"},
        {"fraAni0", "galaxy.html", "fraAni0"},
        {"cboGalaxExtras", "galaxy.html", "fraAni0"},
        {"fraGalProp0", "galaxy.html", "fraGalProp0"},
        {"fraGalProp1", "galaxy.html", "fraGalProp1"},
        {"fraGalProp2", "galaxy.html", "fraGalProp2"},
        {"fraGalaxyColor", "galaxy.html", "fraGalaxyColor"},
        {"styles", "styles.html", "styles"},
        {"style-standard", "styles.html", "style-standard"},
        {"style-ifs-attractor", "styles.html", "style-ifs-attractor"},
        {"style-ifs-wireframe", "styles.html", "style-ifs-wireframe"},
        {"style-ifs-fractal", "styles.html", "style-ifs-fractal"},
        {"style-nebula", "styles.html", "style-nebula"},
        {"style-quasar", "styles.html", "style-quasar"},
        {"style-graviton", "styles.html", "style-graviton"},
        {"style-starwave", "styles.html", "style-starwave"},
        {"frmAdvanced", "advanced.html", "frmAdvanced"},
        {"frmTemplate", "templates.html", "frmTemplate"},
        {"propsave", "templates.html", "propsave"},
        {"frmAbout", "about.html", "frmAbout"},
        {"frmCredits", "about.html", "frmCredits"},
        {"frmWelcome", "about.html", "frmWelcome"},
        {"help", "about.html", "help"},
        {"commandline", "commandline.html", "commandline"},
        {"linux", "linux.html", "linux"},
        {"xscreensaver", "linux.html", "xscreensaver"},
        {"settings-file", "linux.html", "settings-file"},
        {"import-export", "linux.html", "import-export"},
    };
    t.insert(t.end(), std::begin(windows), std::end(windows));
    return t;
}

// Value names match without regard to case, as in the store.
bool SameKey(std::string_view a, std::string_view b) {
    return AsciiLower(a) == AsciiLower(b);
}

} // namespace

const std::vector<HelpTopic>& HelpTopics() {
    static const std::vector<HelpTopic> topics = BuildTopics();
    return topics;
}

std::optional<HelpTopic> FindHelpTopic(std::string_view key) {
    for (const HelpTopic& t : HelpTopics())
        if (SameKey(t.key, key)) return t;
    return std::nullopt;
}

std::optional<std::string> HelpTopicUrl(std::string_view key) {
    const std::optional<HelpTopic> t = FindHelpTopic(key);
    if (!t) return std::nullopt;
    return std::string(t->page) + "#" + std::string(t->anchor);
}

const std::vector<std::string_view>& HelpPages() {
    static const std::vector<std::string_view> pages = {
        "index.html",     "properties.html", "universe.html",    "galaxy-types.html",
        "galaxy.html",    "styles.html",     "composites.html",  "advanced.html",
        "templates.html", "about.html",      "commandline.html", "linux.html",
    };
    return pages;
}

std::string_view StyleTopic(int style) {
    static constexpr std::string_view keys[kStyleCount] = {
        "style-standard", "style-ifs-attractor", "style-ifs-wireframe", "style-ifs-fractal",
        "style-nebula",   "style-quasar",        "style-graviton",      "style-starwave"};
    return keys[std::clamp(style, 0, kStyleCount - 1)];
}

std::string_view GalaxyBoxTopic(int box, int style) {
    style = std::clamp(style, 0, kStyleCount - 1);
    const auto s = static_cast<GalaxyStyle>(style);
    auto name = [](G g) { return Def(g).name; };
    // What the style puts in the box instead of its Standard meaning.
    switch (s) {
    case GalaxyStyle::Nebula:
        if (box >= 3 && box <= 6) return name(static_cast<G>(static_cast<int>(G::CP_Points) + box - 3));
        if (box == 93) return name(G::CP_B_Spd);
        if (box == 91 || box == 92) return StyleTopic(style);
        break;
    case GalaxyStyle::IfsAttractor:
    case GalaxyStyle::IfsWireframe:
        if (box >= 3 && box <= 5) return StyleTopic(style);
        break;
    case GalaxyStyle::IfsFractal:
        if (box == 3 || box == 4) return StyleTopic(style);
        break;
    case GalaxyStyle::Quasar:
    case GalaxyStyle::Graviton:
        if (box == 90) return StyleTopic(style);
        break;
    case GalaxyStyle::Starwave:
        if (box == 0 || box == 5 || box == 6 || box == 91) return StyleTopic(style);
        break;
    default:
        break;
    }
    if (box >= 0 && box <= 2) return name(static_cast<G>(box)); // radius, rotation, distance
    if (box >= 3 && box <= 6) return name(static_cast<G>(static_cast<int>(G::RadSegs) + box - 3));
    if (box == 7) return name(G::ColorMult);
    if (box == 8) return name(G::QG_Force);
    if (box >= 90 && box <= 96) return name(static_cast<G>(static_cast<int>(G::GHW_Ratio) + box - 90));
    if (box >= 10 && box <= 12) return name(static_cast<G>(static_cast<int>(G::NewFreq) + box - 10));
    if (box >= 20 && box <= 22) return name(static_cast<G>(static_cast<int>(G::NovaFreq) + box - 20));
    if (box >= 40 && box <= 48) return name(static_cast<G>(static_cast<int>(G::CometFreq) + box - 40));
    return {};
}

std::string_view UniverseFieldTopic(int index) {
    for (const UniverseBinding& b : kUniverseBindings)
        if (b.control == UniverseControl::Field && b.index == index) return Def(b.value).name;
    return {};
}

std::string_view NamedControlTopic(std::string_view name) {
    static constexpr std::pair<std::string_view, std::string_view> names[] = {
        {"txtAdv0", "Adv_TimeDelay"},          {"txtAdv1", "Adv_FontSize"},
        {"txtAdv2", "Adv_FontHueV"},           {"txtFocalLen", "FocalLength"},
        {"txtMessage", "LockMessage"},         {"cboFont", "Adv_FontName"},
        {"chkResize", "Adv_WinResize"},        {"chkMouseM", "Adv_MouseMove"},
        {"cboGalStyle", "Galaxy_GalStyle"},    {"cboGalPlane", "Galaxy_AxisPlane"},
        {"cboGalColor", "Galaxy_ColorComp"},   {"cboGalProfile", "Galaxy_Profile"},
        {"cboUniProfile", "Universe_Profile"}, {"chkUniTour", "Universe_Tour"},
        {"chkVisitSeq", "Universe_GVisit"},    {"chkTrackGrav", "Universe_GTrack"},
        {"chkAmbDisp", "Universe_AmProf"},     {"chkCP_Closed", "Galaxy_CP_Close"},
        {"txtUniGalName", "_UniGalName"},      {"txtUniGalPct", "_UniGalPct"},
        {"txtCompGalName", "_CompGalName"},    {"txtCompGalPct", "_CompGalPct"},
        {"lstCompGalaxy", "fraUniProp3"},      {"lstUniGalaxy", "fraAni1"},
    };
    for (const auto& [control, key] : names)
        if (control == name) return key;
    return {};
}

std::string_view WindowCaptionTopic(std::string_view caption) {
    static constexpr std::pair<std::string_view, std::string_view> captions[] = {
        {"Galaxy Properties", "frmProps"},
        {"Advanced Settings", "frmAdvanced"},
        {"Select Template to Open", "frmTemplate"},
        {"Enter or Select Template to Save", "frmTemplate"},
        {"About Orbelune", "frmAbout"},
        {"Credits", "frmCredits"},
        {"Welcome", "frmWelcome"},
    };
    for (const auto& [text, key] : captions)
        if (text == caption) return key;
    return {};
}

std::string_view PixHueTopic(int index) {
    if (index < 0 || index > 4) return {};
    return Def(static_cast<G>(static_cast<int>(G::HueRed) + index)).name;
}

} // namespace orb
