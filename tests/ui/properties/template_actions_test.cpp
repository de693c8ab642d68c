#include "ui/properties/template_actions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ui/properties/template_fixture.h"

namespace orb {
namespace {

TEST(TemplateSavePath, OrbIsAddedWhenTheFileNameHasNoPoint) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"/home/u/Saves/mine", "/home/u/Saves/mine.orb"},
        {"/home/u/My.Saves/mine", "/home/u/My.Saves/mine.orb"}, // a dotted folder does not count
        {"/home/u/mine.v2", "/home/u/mine.v2"},
        {"/home/u/mine.orb", "/home/u/mine.orb"},
        {"/home/u/.hidden", "/home/u/.hidden"},
        {"mine", "mine.orb"},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(TemplateSavePath(in), out);
}

using TemplateActionsTest = test::TemplateTargetTest;

TEST_F(TemplateActionsTest, FailedOpensChangeNothing) {
    fields.SetFieldText(0, "777");
    const std::string notTemplate = dir.File("notes.orb");
    std::ofstream(notTemplate) << "[Shopping]\nMilk=2\n";
    const std::string empty = dir.File("empty.orb");
    std::ofstream{empty};
    const std::pair<std::string, std::string_view> cases[] = {
        {notTemplate, kNotATemplate},    {empty, kNotATemplate},  {dir.File("absent.orb"), kNeedExistingFile},
        {dir.Path(), kNeedExistingFile}, {"", kNeedExistingFile},
    };
    state.currentTemplateFile = "/previous.orb";
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        const auto out = OpenTemplateAt(state, path, Target());
        EXPECT_FALSE(out.done);
        EXPECT_EQ(out.message, message);
        EXPECT_EQ(fields.FieldText(0), "777");
        EXPECT_EQ(tables.types[0].name, MakeFactoryConfiguration(0).tables.types[0].name);
        EXPECT_EQ(backend.Size(), 0u); // no Advanced value stored
        EXPECT_EQ(state.currentTemplateFile, "/previous.orb");
    }
}

// A save then open that works is the template dialog's test.
TEST_F(TemplateActionsTest, AnOpenChangesNothingWhenTheStoreRefusesTheAdvancedValues) {
    const std::string path = dir.File("good.orb");
    fields.SetFieldText(0, "1234");
    ASSERT_TRUE(SaveTemplateAt(state, path, Target()).done);
    fields.SetFieldText(0, "55");
    backend.failWrites = true;
    const auto out = OpenTemplateAt(state, path, Target());
    EXPECT_FALSE(out.done);
    EXPECT_EQ(out.message, kAdvancedNotStored);
    EXPECT_EQ(fields.FieldText(0), "55");
}

} // namespace
} // namespace orb
