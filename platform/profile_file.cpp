#include "platform/profile_file.h"

#include <algorithm>

namespace orb {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

void AppendLower(std::string& out, std::string_view s) {
    size_t from = out.size();
    out.append(s);
    for (size_t i = from; i < out.size(); ++i) {
        char c = out[i];
        out[i] = static_cast<char>(c + (static_cast<unsigned char>(c - 'A') < 26 ? 'a' - 'A' : 0));
    }
}

std::string Lower(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    AppendLower(out, s);
    return out;
}

// Index key of a value: names are compared without regard to ASCII case, and a line break
// can appear in neither name, so it separates them unambiguously.
void AppendKeyIndex(std::string& out, std::string_view section, std::string_view key) {
    AppendLower(out, section);
    out.push_back('\n');
    AppendLower(out, key);
}

// Lookups build their index key in a reused buffer rather than a new string each time.
const std::string& LookupIndex(std::string_view section, std::string_view key) {
    thread_local std::string buffer;
    buffer.clear();
    AppendKeyIndex(buffer, section, key);
    return buffer;
}

enum class Kind { Blank, Comment, Section, Key, Other };

struct LineParse {
    Kind kind = Kind::Other; // what the line is
    std::string_view name;   // section or key name, trimmed
    size_t valueStart = 0;   // key lines: offset of the value (after "=" and its blanks)
};

LineParse Classify(std::string_view text) {
    LineParse p;
    std::string_view t = Trim(text);
    if (t.empty()) {
        p.kind = Kind::Blank;
    } else if (t.front() == ';') {
        p.kind = Kind::Comment;
    } else if (t.front() == '[') {
        size_t close = t.find(']');
        if (close != std::string_view::npos) {
            p.kind = Kind::Section;
            p.name = Trim(t.substr(1, close - 1));
        }
    } else if (size_t eq = text.find('='); eq != std::string_view::npos) {
        p.name = Trim(text.substr(0, eq));
        if (!p.name.empty()) {
            p.kind = Kind::Key;
            p.valueStart = eq + 1;
            while (p.valueStart < text.size() && IsBlank(text[p.valueStart]))
                ++p.valueStart;
        }
    }
    return p;
}

constexpr auto IsLineBreak = [](char c) { return c == '\r' || c == '\n' || c == '\0'; };

bool HasLineBreak(std::string_view s) {
    return std::any_of(s.begin(), s.end(), IsLineBreak);
}

void AppendLineValue(std::string& out, std::string_view value) {
    size_t from = out.size();
    out.append(value);
    std::replace_if(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(), IsLineBreak, ' ');
}

} // namespace

bool IsProfileSectionName(std::string_view section) {
    return !HasLineBreak(section) && section.find(']') == section.npos;
}

bool IsProfileKeyName(std::string_view key) {
    std::string_view k = Trim(key);
    return !k.empty() && k.front() != ';' && k.front() != '[' && k.find('=') == k.npos && !HasLineBreak(k);
}

std::string ProfileLineValue(std::string_view value) {
    std::string v;
    AppendLineValue(v, value);
    return v;
}

ProfileText::ProfileText(std::string_view text)
    : base_(text.substr(0, std::min(text.size(), kProfileFileMax))) {
    Parse();
}

void ProfileText::Parse() {
    bool eolKnown = false;
    std::string section;      // lower-cased name of the current section
    uint32_t* tail = nullptr; // its insertion point when it is a first occurrence
    size_t pos = 0;
    while (pos < base_.size()) {
        size_t nl = base_.find('\n', pos);
        size_t end = nl == std::string::npos ? base_.size() : nl;
        Eol eol = nl == std::string::npos ? Eol::None : Eol::Lf;
        if (end > pos && base_[end - 1] == '\r') {
            --end;
            eol = eol == Eol::Lf ? Eol::CrLf : Eol::Cr;
        }
        if (!eolKnown && (eol == Eol::Lf || eol == Eol::CrLf)) {
            newEol_ = eol;
            eolKnown = true;
        }
        auto id = static_cast<uint32_t>(lines_.size());
        lines_.push_back({static_cast<uint32_t>(pos), static_cast<uint32_t>(end - pos), kNoLine, eol, false});
        if (last_ == kNoLine)
            first_ = id;
        else
            lines_[last_].next = id;
        last_ = id;
        pos = nl == std::string::npos ? base_.size() : nl + 1;

        LineParse p = Classify(TextOf(lines_[id]));
        if (p.kind == Kind::Section) {
            section = Lower(p.name);
            auto [it, inserted] = sectionTail_.try_emplace(section, id);
            tail = inserted ? &it->second : nullptr; // a repeated section is never consulted
        } else if (tail && p.kind != Kind::Blank) {
            *tail = id;
            if (p.kind == Kind::Key) {
                keyLine_.try_emplace(LookupIndex(section, p.name), id);
            }
        }
    }
}

std::string_view ProfileText::TextOf(const Line& line) const {
    if (line.edited) return edits_[line.start];
    return std::string_view(base_).substr(line.start, line.size);
}

void ProfileText::SetText(uint32_t line, std::string text) {
    Line& l = lines_[line];
    if (l.edited) {
        edits_[l.start] = std::move(text);
        return;
    }
    l.start = static_cast<uint32_t>(edits_.size());
    l.edited = true;
    edits_.push_back(std::move(text));
}

void ProfileText::Terminate(uint32_t line) {
    Eol& eol = lines_[line].eol;
    // A lone CR at the very end would otherwise run into the added line.
    if (eol == Eol::None)
        eol = newEol_;
    else if (eol == Eol::Cr)
        eol = Eol::CrLf;
}

uint32_t ProfileText::AddLineAfter(uint32_t at, std::string text) {
    if (at == kNoLine) at = last_;
    auto id = static_cast<uint32_t>(lines_.size());
    lines_.push_back(
        {.start = static_cast<uint32_t>(edits_.size()), .next = kNoLine, .eol = newEol_, .edited = true});
    edits_.push_back(std::move(text));
    if (at == kNoLine) {
        first_ = last_ = id;
        return id;
    }
    Terminate(at);
    lines_[id].next = lines_[at].next;
    lines_[at].next = id;
    if (last_ == at) last_ = id;
    return id;
}

std::optional<std::string> ProfileText::Get(std::string_view section, std::string_view key) const {
    if (keyLine_.empty()) return std::nullopt;
    auto it = keyLine_.find(std::string_view(LookupIndex(Trim(section), Trim(key))));
    if (it == keyLine_.end()) return std::nullopt;
    std::string_view text = TextOf(lines_[it->second]);
    LineParse p = Classify(text);
    std::string_view value = Trim(text.substr(p.valueStart));
    return std::string(value.substr(0, std::min(value.size(), kProfileValueMax)));
}

void ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!IsProfileSectionName(section) || !IsProfileKeyName(key)) return;
    const std::string& index = LookupIndex(section, key);
    if (auto it = keyLine_.find(std::string_view(index)); it != keyLine_.end()) {
        // Keep the line's own spelling, indentation and spacing up to the value.
        std::string_view text = TextOf(lines_[it->second]);
        std::string line(text.substr(0, Classify(text).valueStart));
        AppendLineValue(line, value);
        SetText(it->second, std::move(line));
        return;
    }
    std::string newIndex = index;
    std::string_view lowerSection = std::string_view(newIndex).substr(0, section.size());
    std::string line(key);
    line.push_back('=');
    AppendLineValue(line, value);
    if (auto sec = sectionTail_.find(lowerSection); sec != sectionTail_.end()) {
        sec->second = AddLineAfter(sec->second, std::move(line));
        keyLine_.emplace(std::move(newIndex), sec->second);
        return;
    }
    // New section at the end, set off from the text before it by a blank line.
    if (last_ != kNoLine && Classify(TextOf(lines_[last_])).kind != Kind::Blank) AddLineAfter(kNoLine, "");
    // Built by appends: GCC 12 at -O3 misreads `"[" + std::string` as an overlapping copy.
    std::string header;
    header.reserve(section.size() + 2);
    header.append("[").append(section).append("]");
    AddLineAfter(kNoLine, std::move(header));
    uint32_t id = AddLineAfter(kNoLine, std::move(line));
    sectionTail_.emplace(std::string(lowerSection), id);
    keyLine_.emplace(std::move(newIndex), id);
}

std::string ProfileText::Serialize() const {
    std::string out;
    out.reserve(base_.size());
    for (uint32_t id = first_; id != kNoLine; id = lines_[id].next) {
        const Line& l = lines_[id];
        out.append(TextOf(l));
        switch (l.eol) {
        case Eol::None:
            break;
        case Eol::Lf:
            out.push_back('\n');
            break;
        case Eol::CrLf:
            out.append("\r\n");
            break;
        case Eol::Cr:
            out.push_back('\r');
            break;
        }
    }
    return out;
}

bool ProfileText::Empty() const {
    return first_ == kNoLine;
}

} // namespace orb
