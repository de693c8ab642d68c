#include "ui/help/help_search.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace orb {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> Words(std::string_view query) {
    std::vector<std::string> words;
    std::string w;
    for (char c : query) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!w.empty()) words.push_back(Lower(w)), w.clear();
        } else {
            w += c;
        }
    }
    if (!w.empty()) words.push_back(Lower(w));
    return words;
}

bool HasAll(const std::string& haystack, const std::vector<std::string>& words) {
    return std::all_of(words.begin(), words.end(),
                       [&](const std::string& w) { return haystack.find(w) != std::string::npos; });
}

} // namespace

std::string HtmlToText(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    bool space = false;
    auto put = [&](char c) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            space = !out.empty();
            return;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    };
    static constexpr std::pair<std::string_view, char> entities[] = {
        {"&amp;", '&'},  {"&lt;", '<'},    {"&gt;", '>'},    {"&quot;", '"'}, {"&#39;", '\''},
        {"&nbsp;", ' '}, {"&ndash;", '-'}, {"&mdash;", '-'}, {"&gt", '>'}};
    for (size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            const size_t end = html.find('>', i);
            if (end == std::string_view::npos) break;
            put(' ');
            i = end + 1;
            continue;
        }
        if (c == '&') {
            bool done = false;
            for (const auto& [name, ch] : entities) {
                if (html.substr(i, name.size()) == name) {
                    put(ch);
                    i += name.size();
                    done = true;
                    break;
                }
            }
            if (done) continue;
        }
        put(c);
        ++i;
    }
    return out;
}

std::vector<HelpSection> SplitHelpPage(std::string_view page, std::string_view html) {
    static const std::regex heading(R"re(<h([1-4])[^>]*\sid="([^"]+)"[^>]*>([\s\S]*?)</h\1>)re",
                                    std::regex::icase);
    std::vector<HelpSection> sections;
    const std::string source(html);
    HelpSection current{std::string(page), "", "", ""};
    size_t from = 0;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), heading); it != std::sregex_iterator();
         ++it) {
        const std::smatch& m = *it;
        current.text = Lower(HtmlToText(std::string_view(source).substr(from, m.position(0) - from)));
        if (!current.anchor.empty() || !current.text.empty()) sections.push_back(current);
        current = HelpSection{std::string(page), m[2].str(), HtmlToText(m[3].str()), ""};
        from = m.position(0) + m.length(0);
    }
    current.text = Lower(HtmlToText(std::string_view(source).substr(from)));
    sections.push_back(current);
    return sections;
}

std::vector<const HelpSection*> SearchHelp(const std::vector<HelpSection>& sections, std::string_view query) {
    const std::vector<std::string> words = Words(query);
    std::vector<const HelpSection*> inTitle, inText;
    if (words.empty()) return {};
    for (const HelpSection& s : sections) {
        const std::string title = Lower(s.title);
        if (HasAll(title, words))
            inTitle.push_back(&s);
        else if (HasAll(title + " " + s.text, words))
            inText.push_back(&s);
    }
    inTitle.insert(inTitle.end(), inText.begin(), inText.end());
    return inTitle;
}

} // namespace orb
