#include "settings/templates.h"

#include <algorithm>
#include <memory>

#include "settings/numeric.h"
#include "settings/presets.h"
#include "settings/template_values.h"

namespace orb {

void ShowProgress(ProgressSink* sink, int step, int total) {
    if (sink) sink->Progress(step, total);
}

int ProgressFillWidth(int step, int total, int scaleWidth) {
    if (total <= 0) return 0;
    step = ClampRange(step, 0, total);
    return static_cast<int>(static_cast<int64_t>(std::max(scaleWidth, 0)) * step / total);
}

namespace {

void WriteAdmin(ProfileText& tpl) {
    WriteTemplateValue(tpl, kSectionAdmin, "Product", kTemplateProduct);
    WriteTemplateValue(tpl, kSectionAdmin, "Version", kTemplateVersion);
    WriteTemplateValue(tpl, kSectionAdmin, "Copyright", kTemplateCopyright);
}

void CopyAdvancedToTemplate(SettingsStore& store, ProfileText& tpl) {
    StoreBatch batch(store.Backend()); // lets a file store parse its file once for the eight reads
    for (const SettingDef& d : kAdvancedDefs)
        CopyStoreToTemplate(store, tpl, kSectionAdvanced, d.name, d.defText);
}

bool CopyAdvancedToStore(const ProfileText& tpl, SettingsStore& store) {
    bool ok = true;
    for (const SettingDef& d : kAdvancedDefs)
        ok &= CopyTemplateToStore(tpl, store, kSectionAdvanced, d.name, d.defText);
    return ok;
}

void WriteUniverse(ProfileText& tpl, const UniverseFields& fields) {
    for (const UniverseBinding& b : kUniverseBindings) {
        if (!b.savedInTemplate) continue;
        const SettingDef& d = Def(b.value);
        WriteTemplateNumber(tpl, kSectionUniverse, d.name, UniverseControlValue(fields, b), d.type);
    }
}

UniverseSettings ReadUniverse(const ProfileText& tpl) {
    UniverseSettings u;
    for (int i = 0; i < kUniverseCount; ++i)
        u.value[i] = static_cast<float>(ReadTemplateNumber(tpl, kSectionUniverse, kUniverseDefs[i]));
    return u;
}

// A stored AnimationType of -1 marks settings that were never saved, and the next saver run
// would then replace the imported galaxy types with the factory ones.
double ImportedAnimationType(const ProfileText& tpl) {
    double v = ReadTemplateNumber(tpl, kSectionGeneral, kAnimationType, 0, ValueType::Integer);
    return v == -1 ? 0 : v;
}

} // namespace

TemplateStatus SaveTemplate(const TemplateState& state, SettingsStore& store, const UniverseFields& fields,
                            GalaxyTables& tables, ProgressSink* progress) {
    if (state.currentTemplateFile.empty()) return TemplateStatus::Unwritable;
    ProfileText tpl;
    WriteAdmin(tpl);
    WriteTemplateNumber(tpl, kSectionGeneral, kAnimationType, 0, ValueType::Integer);
    CopyAdvancedToTemplate(store, tpl);
    WriteUniverse(tpl, fields);
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
        ValidateGalaxyType(tables.types[slot]);
        WriteTemplateGalaxy(tpl, slot, tables.types[slot]);
        ShowProgress(progress, slot + 1, kTemplateProgressSteps);
    }
    for (int slot = 0; slot < kCompositeSlots; ++slot) {
        ValidateComposite(tables.composites[slot]);
        WriteTemplateComposite(tpl, slot, tables.composites[slot]);
        ShowProgress(progress, slot + 1 + kGalaxyTypeSlots, kTemplateProgressSteps);
    }
    return WriteTemplateFile(state.currentTemplateFile, tpl) ? TemplateStatus::Done
                                                             : TemplateStatus::Unwritable;
}

TemplateStatus OpenTemplate(const TemplateState& state, SettingsStore& store, UniverseFields& fields,
                            GalaxyTables& tables, ProgressSink* progress) {
    auto tpl = LoadTemplateFile(state.currentTemplateFile);
    if (!tpl) return TemplateStatus::Unreadable;
    StoreBatch batch(store.Backend());
    bool stored = CopyAdvancedToStore(*tpl, store);
    stored = batch.End() && stored;
    ShowUniverse(ReadUniverse(*tpl), fields);
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
        ReadTemplateGalaxy(*tpl, slot, tables.types[slot]);
        ValidateGalaxyType(tables.types[slot]);
        ShowProgress(progress, slot + 1, kTemplateProgressSteps);
    }
    for (int slot = 0; slot < kCompositeSlots; ++slot) {
        ReadTemplateComposite(*tpl, slot, tables.composites[slot]);
        ValidateComposite(tables.composites[slot]);
        ShowProgress(progress, slot + 1 + kGalaxyTypeSlots, kTemplateProgressSteps);
    }
    return stored ? TemplateStatus::Done : TemplateStatus::StoreFailed;
}

TemplateStatus ImportTemplateFile(SettingsStore& store, const std::string& path) {
    auto tpl = LoadTemplateFile(path);
    if (!tpl) return TemplateStatus::Unreadable;
    StoreBatch batch(store.Backend());
    bool ok =
        store.WriteNumber(kSectionGeneral, kAnimationType, ImportedAnimationType(*tpl), ValueType::Integer);
    ok &= CopyAdvancedToStore(*tpl, store);
    for (const SettingDef& d : kUniverseDefs)
        ok &= store.WriteNumber(kSectionUniverse, d.name, ReadTemplateNumber(*tpl, kSectionUniverse, d),
                                d.type);
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
        GalaxyType t;
        ReadTemplateGalaxy(*tpl, slot, t);
        ValidateGalaxyType(t);
        ok &= store.SaveGalaxyType(t, GalaxySection(slot));
    }
    for (int slot = 0; slot < kCompositeSlots; ++slot) {
        CompositeGalaxy c;
        ReadTemplateComposite(*tpl, slot, c);
        ValidateComposite(c);
        ok &= store.SaveComposite(c, CompositeSection(slot));
    }
    ok = batch.End() && ok;
    return ok ? TemplateStatus::Done : TemplateStatus::StoreFailed;
}

TemplateStatus ExportStoredSettings(StoreBackend& backend, const std::string& path, ProgressSink* progress) {
    const std::unique_ptr<StoreBackend> snapshot = backend.Snapshot();
    if (!snapshot) return TemplateStatus::Unreadable;
    SettingsStore store(*snapshot);
    GalaxyTables tables;
    if (store.AnimationType() == -1)
        ApplyFactoryGalaxyTypes(tables, 0);
    else
        store.LoadAllGalaxyTypes(tables);
    store.LoadAllComposites(tables);
    StoreUniverseFields fields(store);
    TemplateState state;
    state.currentTemplateFile = path;
    return SaveTemplate(state, store, fields, tables, progress);
}

} // namespace orb
