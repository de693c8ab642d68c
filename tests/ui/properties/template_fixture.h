// What a template save or open works on: settings in memory, the factory galaxy types, the
// dialog's universe fields and the template state, with a folder for the files.
#pragma once

#include <gtest/gtest.h>

#include "platform/temp_dir.h"
#include "settings/presets.h"
#include "ui/properties/template_actions.h"

namespace orb::test {

class TemplateTargetTest : public ::testing::Test {
  protected:
    TempDir dir;                                              // where the test's templates go
    MemoryBackend backend;                                    // the stored settings
    SettingsStore store{backend};                             // reads and writes backend
    UniverseFieldValues fields;                               // the universe fields' texts
    GalaxyTables tables = MakeFactoryConfiguration(0).tables; // the dialog's galaxy types
    TemplateState state;                                      // current file, last folder
    TemplateTarget Target() { return {store, fields, tables}; }
};

} // namespace orb::test
