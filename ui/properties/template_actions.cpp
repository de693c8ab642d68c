#include "ui/properties/template_actions.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "settings/template_values.h"

namespace orb {

TemplateDialogTexts TextsFor(TemplateMode mode) {
    if (mode == TemplateMode::Open) return {"Select Template to Open", "Loading Status:"};
    return {"Enter or Select Template to Save", "Saving Status:"};
}

std::string TemplateSavePath(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string out(path);
    if (name.find('.') == std::string_view::npos) out += kTemplateExtension;
    return out;
}

namespace {

bool AnyValue(const ProfileText& text, std::string_view section, std::string_view a, std::string_view b) {
    return text.Get(section, a).has_value() || text.Get(section, b).has_value();
}

// Any one of a section's values counts, so a hand-edited template is still recognised.
bool AnyGalaxy(const ProfileText& text, int slot) {
    const std::string section = TemplateGalaxySection(slot);
    if (AnyValue(text, section, kUniGalName, kUniGalPct)) return true;
    for (const SettingDef& d : kGalaxyDefs)
        if (text.Get(section, d.name)) return true;
    return false;
}

bool AnyComposite(const ProfileText& text, int slot) {
    const std::string section = TemplateCompositeSection(slot);
    return AnyValue(text, section, kCompGalName, kCompGalPct) ||
           text.Get(section, kCompGalCountTemplate).has_value();
}

// Copies what a template open wrote into scratch fields over to the dialog's fields.
void CopyFields(const UniverseFields& from, UniverseFields& to) {
    for (const UniverseBinding& b : kUniverseBindings) {
        switch (b.control) {
        case UniverseControl::Field:
            to.SetFieldText(b.index, from.FieldText(b.index));
            break;
        case UniverseControl::Check: {
            const auto box = static_cast<UniverseCheck>(b.index);
            to.SetChecked(box, from.Checked(box));
            break;
        }
        case UniverseControl::Profile:
            to.SetProfileIndex(from.ProfileIndex());
            break;
        }
    }
}

} // namespace

bool HoldsTemplateValues(const ProfileText& text) {
    if (AnyValue(text, kSectionAdmin, "Product", "Version")) return true;
    if (text.Get(kSectionGeneral, kAnimationType)) return true;
    for (const SettingDef& d : kAdvancedDefs)
        if (text.Get(kSectionAdvanced, d.name)) return true;
    for (const SettingDef& d : kUniverseDefs)
        if (text.Get(kSectionUniverse, d.name)) return true;
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot)
        if (AnyGalaxy(text, slot)) return true;
    for (int slot = 0; slot < kCompositeSlots; ++slot)
        if (AnyComposite(text, slot)) return true;
    return false;
}

TemplateOutcome SaveTemplateAt(TemplateState& state, const std::string& path, TemplateTarget target,
                               ProgressSink* progress) {
    TemplateState attempt = state;
    attempt.currentTemplateFile = path;
    if (path.empty() ||
        SaveTemplate(attempt, target.store, target.fields, target.tables, progress) != TemplateStatus::Done)
        return {false, kInvalidPath};
    state.currentTemplateFile = path;
    return {true, {}};
}

TemplateOutcome OpenTemplateAt(TemplateState& state, const std::string& path, TemplateTarget target,
                               ProgressSink* progress) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return {false, kNeedExistingFile};
    const auto text = LoadTemplateFile(path);
    if (!text) return {false, kUnreadableTemplate};
    if (!HoldsTemplateValues(*text)) return {false, kNotATemplate};

    // Read into copies so that a failure leaves the dialog as it was.
    TemplateState attempt = state;
    attempt.currentTemplateFile = path;
    UniverseFieldValues fields;
    auto tables = std::make_unique<GalaxyTables>(target.tables);
    switch (OpenTemplate(attempt, target.store, fields, *tables, progress)) {
    case TemplateStatus::Done:
        break;
    case TemplateStatus::StoreFailed:
        return {false, kAdvancedNotStored};
    default:
        return {false, kUnreadableTemplate};
    }
    CopyFields(fields, target.fields);
    target.tables = *tables;
    state.currentTemplateFile = path;
    return {true, {}};
}

std::string SaveFailedMessage(const std::string& path) {
    return "The template could not be saved to " + path + ".";
}

} // namespace orb
