#include "ui/advanced/advanced_form.h"

#include <algorithm>

#include "engine/creation/colour.h"
#include "settings/numeric.h"

namespace orb {

namespace {

constexpr FieldSpec Number(double min, double max, int step, int length) {
    return {FieldKind::Integer, KeyFilter::Digits, min, max, true, step, length};
}

const SettingDef& DefOf(AdvancedNumber n) {
    return Def(kAdvancedNumbers[static_cast<int>(n)].value);
}

// Code points of a UTF-8 text (continuation bytes do not start one).
size_t CodePointEnd(std::string_view text, size_t maxPoints) {
    size_t points = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (points++ == maxPoints) return i;
    }
    return text.size();
}

} // namespace

std::string ClampFocalLengthText(std::string_view text) {
    const FieldSpec& s = kFocalLengthSpec;
    std::string clamped = ClampTextField(text, s.kind, s.min, s.max);
    const std::string_view trimmed = TrimBlanks(text);
    const auto value = ParseNumericText(trimmed);
    const bool startsWithDigit = !trimmed.empty() && trimmed[0] >= '0' && trimmed[0] <= '9';
    if (startsWithDigit && value &&
        static_cast<float>(*value) == static_cast<float>(ReadFieldNumber(clamped)) &&
        trimmed.find_first_not_of("0123456789.") == std::string_view::npos)
        return std::string(trimmed);
    return clamped;
}

const std::array<AdvancedNumberField, kAdvancedNumberCount> kAdvancedNumbers{{
    {A::TimeDelay, "Delay in Milliseconds (0 - 999):", Number(0, 999, 10, 3)},
    {A::FontSize, "Size:", Number(10, 80, 1, 2)},
    {A::FontHueV, "Text Hue (0 - 359):", Number(0, 359, 5, 3)},
}};

const FieldSpec kFocalLengthSpec{FieldKind::Real, KeyFilter::Decimal, 0.01, 10.0, true, 0, 0};

AdvancedForm DefaultAdvancedForm() {
    AdvancedForm f;
    for (int i = 0; i < kAdvancedNumberCount; ++i)
        f.number[i] = std::string(DefOf(static_cast<AdvancedNumber>(i)).defText);
    f.focalLength = std::string(Def(A::FocalLength).defText);
    f.message = std::string(Def(A::LockMessage).defText);
    f.fontName = std::string(Def(A::FontName).defText);
    f.winResize = Def(A::WinResize).defText == "1";
    f.mouseMove = Def(A::MouseMove).defText == "1";
    return f;
}

AdvancedForm LoadAdvancedForm(SettingsStore& store) {
    AdvancedForm f;
    StoreBatch batch(store.Backend()); // one parse of a settings file for the eight reads
    for (int i = 0; i < kAdvancedNumberCount; ++i)
        f.number[i] = store.ReadAdvanced(kAdvancedNumbers[i].value);
    f.focalLength = store.ReadAdvanced(A::FocalLength);
    f.message = store.ReadAdvanced(A::LockMessage);
    f.fontName = store.ReadAdvanced(A::FontName);
    f.winResize = store.ReadAdvanced(A::WinResize) == "1";
    f.mouseMove = store.ReadAdvanced(A::MouseMove) == "1";
    batch.End();
    AdvancedForm shown = ClampedAdvancedForm(f);
    shown.message = LimitMessage(f.message);
    return shown;
}

AdvancedForm ClampedAdvancedForm(const AdvancedForm& form) {
    AdvancedForm f = form;
    for (int i = 0; i < kAdvancedNumberCount; ++i) {
        const FieldSpec& s = kAdvancedNumbers[i].fieldSpec;
        f.number[i] = ClampTextField(form.number[i], s.kind, s.min, s.max);
    }
    f.focalLength = ClampFocalLengthText(form.focalLength);
    f.message = std::string(TrimBlanks(LimitMessage(form.message)));
    return f;
}

bool SaveAdvancedForm(SettingsStore& store, const AdvancedForm& form) {
    const AdvancedForm f = ClampedAdvancedForm(form);
    StoreBatch batch(store.Backend());
    bool ok = store.WriteText(kSectionAdvanced, Def(A::TimeDelay).name, f.number[0]);
    ok &= store.WriteText(kSectionAdvanced, Def(A::FocalLength).name, f.focalLength);
    ok &= store.WriteText(kSectionAdvanced, Def(A::LockMessage).name, f.message);
    ok &= store.WriteText(kSectionAdvanced, Def(A::FontName).name, f.fontName);
    ok &= store.WriteText(kSectionAdvanced, Def(A::FontSize).name, f.number[1]);
    ok &= store.WriteText(kSectionAdvanced, Def(A::FontHueV).name, f.number[2]);
    ok &= store.WriteText(kSectionAdvanced, Def(A::WinResize).name, f.winResize ? "1" : "0");
    ok &= store.WriteText(kSectionAdvanced, Def(A::MouseMove).name, f.mouseMove ? "1" : "0");
    return batch.End() && ok;
}

std::string LimitMessage(std::string_view text) {
    text = text.substr(0, CodePointEnd(text, kMessageMaxChars));
    return std::string(CapUtf8(text, kStoreReadBuffer - 1));
}

uint32_t HueSwatchColour(std::string_view hueText) {
    return HueWheelColour(NearestInt(ReadFieldNumber(hueText)));
}

FontChoices FontChoicesFor(std::vector<std::string> screenFonts, std::string_view wanted) {
    FontChoices c;
    c.entries = std::move(screenFonts);
    const auto found = std::find(c.entries.begin(), c.entries.end(), wanted);
    if (found != c.entries.end()) {
        c.selected = static_cast<int>(found - c.entries.begin());
        return c;
    }
    if (wanted.empty()) return c; // nothing to keep: the first entry, as the list always did
    // Keep the name in the list's alphabetical place.
    auto lower = [](std::string_view s) { return AsciiLower(s); };
    const std::string key = lower(wanted);
    auto at = std::find_if(c.entries.begin(), c.entries.end(),
                           [&](const std::string& e) { return lower(e) > key; });
    c.selected = static_cast<int>(at - c.entries.begin());
    c.entries.insert(at, std::string(wanted));
    return c;
}

} // namespace orb
