// Search in the help: the pages cut into their titled sections, and the sections that hold
// every word of a query.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orb {

struct HelpSection {
    std::string page;   // page file name
    std::string anchor; // id of the section's heading; empty for the text before the first one
    std::string title;  // the heading's text
    std::string text;   // the section's plain text, lower-cased
};

// The sections of one page: each heading (h1 to h4) with an id starts one; tags are dropped and
// the common entities decoded.
std::vector<HelpSection> SplitHelpPage(std::string_view page, std::string_view html);

// The sections that contain every word of the query (case-insensitive), those whose title
// holds all the words first, then in page order. An empty query finds nothing.
std::vector<const HelpSection*> SearchHelp(const std::vector<HelpSection>& sections, std::string_view query);

// Plain text of an HTML fragment: tags dropped, entities decoded, runs of white space as one.
std::string HtmlToText(std::string_view html);

} // namespace orb
