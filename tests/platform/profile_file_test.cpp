#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <tuple>

#include "platform/atomic_file.h"
#include "temp_dir.h"

namespace orb {
namespace {

using namespace std::string_literals;
using test::ReadAll;
using test::TempDir;

struct LookupCase {
    const char* what;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(ProfileText, LookupFollowsPrivateProfileRules) {
    const LookupCase cases[] = {
        {"names ignore ASCII case", "[Universe]\nStars=4000\n", "UNIVERSE", "stars", "4000"},
        {"blanks around names and values", "  [ Uni ]  \n \t Stars \t=\t 4000 \t\n", "Uni", " Stars ",
         "4000"},
        {"first of two keys", "[A]\nk=1\nK=2\n", "A", "k", "1"},
        {"repeated section is not consulted", "[A]\nk=1\n[B]\n[a]\nk=2\nj=3\n", "A", "j", std::nullopt},
        {"CRLF line ends", "[A]\r\nk=v\r\n", "A", "k", "v"},
        {"last line without an end", "[A]\nk=v", "A", "k", "v"},
        {"line without = is not a key", "[A]\nk\n", "A", "k", std::nullopt},
        {"comment line", "[A]\n;k=1\n", "A", ";k", std::nullopt},
        {"key before any section", "k=1\n[A]\n", "A", "k", std::nullopt},
        {"empty value", "[A]\nk=\n", "A", "k", ""},
        {"value holding =", "[A]\nk=a=b\n", "A", "k", "a=b"},
        {"text after the header's ]", "[A] old\nk=1\n", "A", "k", "1"},
        {"header without ]", "[A\nk=1\n", "A", "k", std::nullopt},
        {"key in another section", "[A]\nk=1\n[B]\n", "B", "k", std::nullopt},
        {"NUL bytes kept in a value", "[A]\nk=v\0w\n"s, "A", "k", "v\0w"s},
        {"empty key name", "[A]\n=1\n", "A", "", std::nullopt},
        {"values cut at 254 characters", "[A]\nk=" + std::string(300, 'x'), "A", "k", std::string(254, 'x')},
        {"254 characters fit", "[A]\nk=" + std::string(254, 'y'), "A", "k", std::string(254, 'y')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProfileText(c.text).Get(c.section, c.key), c.expected) << c.what;
}

struct SetCase {
    const char* what;
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string after;
};

TEST(ProfileText, SetChangesOneLineAndKeepsTheRest) {
    const SetCase cases[] = {
        {"existing key keeps its spelling and spacing", "; note\n[A]\n  Key = old\nodd line\n\n", "a", "KEY",
         "new", "; note\n[A]\n  Key = new\nodd line\n\n"},
        {"CRLF file gets CRLF lines", "[A]\r\nx=1\r\n", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
        {"the first line end decides", "[A]\nx=1\r\n", "A", "y", "2", "[A]\nx=1\r\ny=2\n"},
        {"new key goes after the first section's last line", "[A]\nx=1\n\n[B]\nz=3\n[A]\nw=4\n", "A", "y",
         "2", "[A]\nx=1\ny=2\n\n[B]\nz=3\n[A]\nw=4\n"},
        {"new key after an unterminated last line", "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2\n"},
        {"new section at the end", "[A]\nx=1", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
        {"new section after a blank line", "[A]\n\n", "B", "k", "v", "[A]\n\n[B]\nk=v\n"},
        {"empty text", "", "A", "k", "v", "[A]\nk=v\n"},
        {"line breaks in a value become blanks", "", "A", "k", "a\r\nb\0c"s, "[A]\nk=a  b c\n"},
        {"lone CR at the end stays a line end", "[A]\nx=1\r", "A", "y", "2", "[A]\nx=1\r\ny=2\n"},
        {"binary junk is kept", "\x01\xff[\0]\n[A]\n"s, "A", "k", "v", "\x01\xff[\0]\n[A]\nk=v\n"s},
    };
    for (const auto& c : cases) {
        ProfileText t(c.before);
        t.Set(c.section, c.key, c.value);
        EXPECT_EQ(t.Serialize(), c.after) << c.what;
    }
}

TEST(ProfileText, SetRefusesNamesThatCannotReadBack) {
    const std::pair<const char*, std::string> names[] = {
        {"A", "a=b"}, {"A", ";c"},   {"A", "[k]"}, {"A", ""},
        {"A", "  "},  {"A", "k\nx"}, {"x]y", "k"}, {"x\ny", "k"},
    };
    for (const auto& [section, key] : names) {
        ProfileText t("[A]\nk=1\n");
        t.Set(section, key, "v");
        EXPECT_EQ(t.Serialize(), "[A]\nk=1\n") << section << " / " << key;
    }
    EXPECT_TRUE(IsProfileKeyName(" Galaxy_Radius "));
    EXPECT_TRUE(IsProfileSectionName("SOFTWARE\\Brightquill\\ZEFO_Orbis\\Universe"));
}

TEST(ProfileText, UntouchedTextSerializesByteForByte) {
    std::mt19937 rng(7);
    std::string junk(65536, '\0');
    for (char& c : junk)
        c = static_cast<char>(rng());
    const std::string texts[] = {
        "", "\n", "\r\n", "x", "\r", "[A]\nk=v", "[A]\r\nk=v\n\n;c\r\n  odd\r", "a\0b\n[\0]\n=\n"s, junk,
    };
    for (const auto& text : texts) {
        ProfileText t(text);
        EXPECT_EQ(t.Serialize(), text);
        EXPECT_EQ(t.Empty(), text.empty());
    }
}

TEST(ProfileText, TextPastTheReadLimitIsNotRead) {
    std::string huge(kProfileFileMax, ';');
    huge += "\n[A]\nk=1\n";
    ProfileText cut(huge);
    EXPECT_EQ(cut.Get("A", "k"), std::nullopt);
    EXPECT_EQ(cut.Serialize().size(), kProfileFileMax);
}

class ProfileFile : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.File("t.orb");
};

TEST_F(ProfileFile, AReadUpToItsLimitIsWholeAndOneByteMoreIsCut) {
    test::WriteAll(path, "[A]\nk=1\n");
    const FileContents exact = ReadFileLimited(path, 8), over = ReadFileLimited(path, 7);
    EXPECT_EQ(std::tuple(exact.status, exact.data), std::tuple(ReadStatus::Ok, "[A]\nk=1\n"s));
    EXPECT_EQ(std::tuple(over.status, over.data), std::tuple(ReadStatus::TooLarge, "[A]\nk=1"s));
}

TEST_F(ProfileFile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(ReadProfileString(path, "A", "k", "def"), "def");
    test::WriteAll(path, "[A]\nk=1\n");
    EXPECT_EQ(ReadProfileString(path, "B", "k", "def"), "def");
    EXPECT_EQ(ReadProfileString(path, "A", "j", "def"), "def");
    EXPECT_EQ(ReadProfileString(path, "a", "K", "def"), "1");
}

TEST_F(ProfileFile, WriteCreatesTheFileAndKeepsOtherLines) {
    ASSERT_TRUE(WriteProfileString(path, "Admin", "Product", "Orbelune"));
    EXPECT_EQ(ReadAll(path), "[Admin]\nProduct=Orbelune\n");

    const std::string original =
        "; saved by hand\r\n[Admin]\r\nProduct = Orbelune\r\nstray text\r\n[General]\r\n";
    test::WriteAll(path, original);
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteProfileString(path, "General", "AnimationType", "0"));
    ASSERT_TRUE(WriteProfileString(path, "admin", "product", "Orbelune 3"));
    EXPECT_EQ(ReadAll(path),
              "; saved by hand\r\n[Admin]\r\nProduct = Orbelune 3\r\nstray text\r\n[General]\r\n"
              "AnimationType=0\r\n");
    EXPECT_EQ(ReadProfileString(path, "General", "AnimationType", "-1"), "0");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.orb"});
}

TEST_F(ProfileFile, ReadSeesAFileReplacedBehindItsBack) {
    ASSERT_TRUE(WriteProfileString(path, "A", "k", "1"));
    EXPECT_EQ(ReadProfileString(path, "A", "k", ""), "1");
    // Same size, replaced by rename at once: only the identity of the file tells them apart.
    std::string other = dir.File("other");
    test::WriteAll(other, "[A]\nk=2\n");
    ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
    EXPECT_EQ(ReadProfileString(path, "A", "k", ""), "2");
}

TEST_F(ProfileFile, WriteToAnUnwritablePlaceFailsAndLeavesNothing) {
    test::WriteAll(dir.File("plain"), "x");
    EXPECT_FALSE(WriteProfileString(dir.File("plain/t.orb"), "A", "k", "v"));
    EXPECT_FALSE(WriteProfileString(dir.File("missing/t.orb"), "A", "k", "v"));
    EXPECT_FALSE(WriteProfileString(dir.Path(), "A", "k", "v")); // a directory is not a file
    EXPECT_FALSE(WriteProfileString(path, "A", "bad=key", "v"));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"plain"});
    EXPECT_EQ(ReadAll(dir.File("plain")), "x");
}

TEST_F(ProfileFile, OversizedFileIsKeptRatherThanCut) {
    const std::string big = "[A]\nk=1\n" + std::string(kProfileFileMax, ';');
    test::WriteAll(path, big);
    EXPECT_EQ(ReadProfileString(path, "A", "k", "def"), "1") << "what the limit holds is read";
    EXPECT_FALSE(WriteProfileString(path, "A", "k", "v"));
    EXPECT_EQ(ReadAll(path).size(), big.size());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.orb"});
}

} // namespace
} // namespace orb
