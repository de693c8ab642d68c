// Which help page answers for what: every setting, every window and page, and the controls
// whose meaning changes with the galaxy style. A topic is a key (a setting's value name, a
// window or page name, or a section name) that resolves to "page.html#anchor" in the help.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orb {

struct HelpTopic {
    std::string_view key;    // value name ("Universe_Stars"), window or page ("frmAbout", "fraUniProp2")
    std::string_view page;   // help page file name
    std::string_view anchor; // id of its section on the page
};

// The help's front page and its contents.
inline constexpr std::string_view kHelpIndexPage = "index.html";
// Resource folder of the built-in pages.
inline constexpr std::string_view kHelpResourceRoot = ":/help/";

// All topics, in no particular order.
const std::vector<HelpTopic>& HelpTopics();

// The topic of a key, or nothing for an unknown key.
std::optional<HelpTopic> FindHelpTopic(std::string_view key);
// "page.html#anchor" for a key, or nothing.
std::optional<std::string> HelpTopicUrl(std::string_view key);

// Every help page, the front page first.
const std::vector<std::string_view>& HelpPages();

// Topic key of txtGalaxy(box) under a galaxy style: the relabelled boxes of the Nebula style
// show other stored values, and those of the other styles point at their style's section.
// Empty for a box that does not exist.
std::string_view GalaxyBoxTopic(int box, int style);
// Topic key of txtUni(index), or empty.
std::string_view UniverseFieldTopic(int index);
// Topic key of txtPixHue(index) (red, green, blue, base, blend), or empty.
std::string_view PixHueTopic(int index);
// Topic key of a control known by its name in the dialogs (txtAdv0, txtFocalLen, cboGalStyle,
// chkUniTour, ...), or empty.
std::string_view NamedControlTopic(std::string_view name);
// Topic key of a window known by its caption ("Advanced Settings", "Galaxy Properties", ...), or
// empty.
std::string_view WindowCaptionTopic(std::string_view caption);
// Topic key of a galaxy style's section.
std::string_view StyleTopic(int style);

} // namespace orb
