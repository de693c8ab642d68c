// The help pages as installed: every topic lands on a section that exists, every link resolves (the
// search over them is the help window's test).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "settings/store_backend.h"
#include "test_paths.h"
#include "ui/help/help_topics.h"

namespace orb {
namespace {

std::string ReadPage(std::string_view page) {
    std::ifstream in(std::string(ORBELUNE_SOURCE_DIR) + "/ui/help/html/" + std::string(page));
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class HelpPageFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (std::string_view p : orb::HelpPages())
            pages_[std::string(p)] = ReadPage(p);
    }
    static inline std::map<std::string, std::string> pages_;
};

TEST_F(HelpPageFiles, EveryTopicIsKeyedOnceAndLandsOnASection) {
    for (const auto& [name, text] : pages_)
        ASSERT_FALSE(text.empty()) << name;
    std::set<std::string> keys;
    for (const HelpTopic& t : HelpTopics()) {
        EXPECT_TRUE(keys.insert(AsciiLower(t.key)).second) << "twice: " << t.key;
        const std::string& page = pages_[std::string(t.page)];
        EXPECT_NE(page.find("id=\"" + std::string(t.anchor) + "\""), std::string::npos)
            << t.key << " has no section " << t.anchor << " on " << t.page;
    }
}

TEST_F(HelpPageFiles, LinksBetweenPagesResolve) {
    for (const auto& [name, text] : pages_) {
        size_t at = 0;
        while ((at = text.find("href=\"", at)) != std::string::npos) {
            at += 6;
            const std::string link = text.substr(at, text.find('"', at) - at);
            if (link.rfind("help.css", 0) == 0) continue;
            const size_t hash = link.find('#');
            const std::string page = link.substr(0, hash);
            ASSERT_TRUE(pages_.count(page)) << name << " links to " << link;
            if (hash == std::string::npos) continue;
            EXPECT_NE(pages_[page].find("id=\"" + link.substr(hash + 1) + "\""), std::string::npos)
                << name << " links to " << link;
        }
    }
}

} // namespace
} // namespace orb
