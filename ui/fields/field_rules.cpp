#include "ui/fields/field_rules.h"

#include "settings/numeric.h"
#include "settings/template_values.h"

namespace orb {

namespace {

ValueType TypeOf(FieldKind kind) {
    switch (kind) {
    case FieldKind::Integer:
        return ValueType::Integer;
    case FieldKind::Long:
        return ValueType::Long;
    case FieldKind::Real:
        break;
    }
    return ValueType::Real;
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

bool IsControl(char32_t c) {
    return c < 0x20 || c == 0x7f;
}

// Length of the UTF-8 sequence that starts with byte b (1 for a stray continuation byte).
size_t SequenceLength(unsigned char b) {
    if (b >= 0xF0) return 4;
    if (b >= 0xE0) return 3;
    if (b >= 0xC0) return 2;
    return 1;
}

// The code point of the sequence at text[i] (a malformed one reads as its first byte).
char32_t DecodeAt(std::string_view text, size_t i, size_t len) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (len == 1) return b;
    char32_t c = b & (0x7F >> len);
    for (size_t k = 1; k < len; ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return c;
}

size_t CountChars(std::string_view text) {
    size_t n = 0;
    for (char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace

KeyDecision DigitsOnlyKey(char32_t key) {
    return IsDigit(key) || key == kBackspace ? KeyDecision::Accept : KeyDecision::Beep;
}

KeyDecision DecimalKey(std::string_view text, size_t selStart, size_t selLength, char32_t key) {
    if (key != U'.') return DigitsOnlyKey(key);
    selStart = MinOf(selStart, text.size());
    selLength = MinOf(selLength, text.size() - selStart);
    const bool pointOutside = text.substr(0, selStart).find('.') != std::string_view::npos ||
                              text.substr(selStart + selLength).find('.') != std::string_view::npos;
    return pointOutside ? KeyDecision::Beep : KeyDecision::Accept;
}

KeyDecision NameKey(char32_t key) {
    return key == U',' ? KeyDecision::Drop : KeyDecision::Accept;
}

KeyDecision FilterKey(KeyFilter filter, std::string_view text, size_t selStart, size_t selLength,
                      char32_t key) {
    switch (filter) {
    case KeyFilter::Digits:
        return DigitsOnlyKey(key);
    case KeyFilter::Decimal:
        return DecimalKey(text, selStart, selLength, key);
    case KeyFilter::Name:
        break;
    }
    return NameKey(key);
}

InsertResult FilterInsertion(KeyFilter filter, std::string_view text, size_t selStart, size_t selLength,
                             std::string_view inserted, size_t maxLength) {
    InsertResult r;
    r.text = std::string(text);
    selStart = MinOf(selStart, r.text.size());
    selLength = MinOf(selLength, r.text.size() - selStart);
    r.cursor = selStart;
    for (size_t i = 0; i < inserted.size();) {
        const size_t len =
            MinOf(SequenceLength(static_cast<unsigned char>(inserted[i])), inserted.size() - i);
        const char32_t c = DecodeAt(inserted, i, len);
        std::string_view piece = inserted.substr(i, len);
        i += len;
        // Pasted control characters are not keys the user typed: a name drops them (a line
        // break becomes a blank), a number refuses them like any other non-digit.
        if (IsControl(c)) {
            if (filter != KeyFilter::Name) {
                r.refused = true;
                continue;
            }
            if (c != U'\n' && c != U'\r' && c != U'\t') continue;
            piece = " ";
        }
        const KeyDecision d = FilterKey(filter, r.text, r.cursor, selLength, c);
        if (d == KeyDecision::Beep) r.refused = true;
        if (d != KeyDecision::Accept) continue;
        std::string next = r.text;
        next.replace(r.cursor, selLength, piece);
        if (maxLength > 0 && CountChars(next) > maxLength) break;
        if (filter == KeyFilter::Name && next.size() > kNameMaxBytes) break;
        r.text = std::move(next);
        r.cursor += piece.size();
        selLength = 0;
    }
    return r;
}

double ReadFieldNumber(std::string_view text) {
    return ZeroPrefixedValue(text);
}

double ToKind(double v, FieldKind kind) {
    return SaturateToType(v, TypeOf(kind));
}

std::string KindText(double v, FieldKind kind) {
    return NumberText(v, TypeOf(kind));
}

std::string ClampTextField(std::string_view text, FieldKind kind, double min, double max) {
    const double v = ToKind(ReadFieldNumber(text), kind);
    if (kind == FieldKind::Real)
        return KindText(ClampSingle(static_cast<float>(v), static_cast<float>(min), static_cast<float>(max)),
                        kind);
    return KindText(ClampRange(v, min, max), kind);
}

std::string LeaveFieldText(std::string_view text, const FieldSpec& fieldSpec) {
    if (!fieldSpec.clampOnLeave) return std::string(text);
    return ClampTextField(text, fieldSpec.kind, fieldSpec.min, fieldSpec.max);
}

std::optional<std::string> StepFieldText(std::string_view text, const FieldSpec& fieldSpec, int direction) {
    if (fieldSpec.arrowStep == 0 || direction == 0) return std::nullopt;
    const double v = ToKind(ReadFieldNumber(text), fieldSpec.kind);
    const double stepped = v + (direction > 0 ? fieldSpec.arrowStep : -fieldSpec.arrowStep);
    return KindText(ClampRange(stepped, fieldSpec.min, fieldSpec.max), fieldSpec.kind);
}

int SpinnerStep(double max) {
    if (max < 101) return 1;
    if (max < 999) return 5;
    if (max < 30000) return 10;
    return 50;
}

SpinSetup SetupSpinField(std::string_view text, double min, double max, int maxLength) {
    SpinSetup s;
    const double v = ClampRange<double>(NearestInt(ReadFieldNumber(text)), min, max);
    s.text = KindText(v, FieldKind::Integer);
    s.top = NearestLong(max);
    s.bottom = NearestLong(min);
    s.step = SpinnerStep(max);
    s.maxLength = maxLength;
    return s;
}

std::optional<int> SpinnerValueForText(std::string_view text, int bottom, int top) {
    const int32_t v = NearestLong(ReadFieldNumber(text));
    if (v < bottom || v > top) return std::nullopt;
    return v;
}

int FindListIndex(const std::vector<std::string>& entries, std::string_view text) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == text) return static_cast<int>(i);
    return 0;
}

std::string_view CapUtf8(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}

std::string CleanName(std::string_view text) {
    std::string out;
    out.reserve(MinOf(text.size(), kNameMaxBytes));
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == ',') continue;
        if (ch == '\n' || ch == '\r' || ch == '\t') {
            out += ' ';
        } else if (!IsControl(c)) {
            out += ch;
        }
    }
    return std::string(CapUtf8(out, kNameMaxBytes));
}

} // namespace orb
