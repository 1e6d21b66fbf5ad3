#include "profile/ProfileStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/MemoryProfile.h"
#include "profile/ProfileDocument.h"
#include "support/TestFiles.h"

namespace tilvaro {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string Read(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::size_t size = 1024) {
  return profile_store::ReadString(file, section, key, "<default>", size);
}

class ProfileStoreTest : public ::testing::Test {
 protected:
  std::filesystem::path File(std::string_view bytes) {
    const auto path = folder_ / "p.ini";
    WriteBytes(path, bytes);
    return path;
  }
  // Writes into a file with the given contents and returns the file afterwards.
  std::string AfterWrite(std::string_view before, std::string_view section, std::string_view key,
                         std::string_view value) {
    const auto path = File(before);
    EXPECT_TRUE(profile_store::WriteString(path, section, key, value));
    return ReadBytes(path);
  }
  TempFolder folder_;
};

TEST_F(ProfileStoreTest, ReadsHandEditedLinesLeniently) {
  const auto path = File(
      "NAME=before any section\r\n"
      "[ Alpha ]  \r\n"
      "\t key one \t=  value one  \r\n"
      "quoted=\"  kept blanks  \"\n"
      "single='x'\n"
      "mixed=\"x'\n"
      "lone=\"\n"
      "first=a=b\n"
      ";comment=not a key\n"
      "  ;indented=not a key either\n"
      "no equals sign here\n"
      "\x1a\x0b\x0c\n"
      "[Beta]]x]\r"
      "K=beta\r\r\n\n"
      "[alpha]\n"
      "later=from a repeated section\n"
      "KEY ONE=repeated key\n");
  EXPECT_EQ(Read(path, "alpha", "KEY ONE"), "value one");
  EXPECT_EQ(Read(path, "Alpha", "quoted"), "  kept blanks  ");
  EXPECT_EQ(Read(path, "Alpha", "single"), "x");
  EXPECT_EQ(Read(path, "Alpha", "mixed"), "\"x'");
  EXPECT_EQ(Read(path, "Alpha", "lone"), "\"");
  EXPECT_EQ(Read(path, "Alpha", "first"), "a=b");
  EXPECT_EQ(Read(path, "Alpha", ";comment"), "<default>");
  EXPECT_EQ(Read(path, "Alpha", ";indented"), "<default>");
  EXPECT_EQ(Read(path, "Alpha", "no equals sign here"), "<default>");
  EXPECT_EQ(Read(path, "Beta]]x", "k"), "beta");  // the name runs to the last "]"
  EXPECT_EQ(Read(path, "Alpha", "later"), "<default>");  // the first section of a name wins
  EXPECT_EQ(Read(path, "", "NAME"), "<default>");        // lines before the first section
}

TEST_F(ProfileStoreTest, AnyLineEndsAndAByteOrderMarkReadAlike) {
  for (const std::string_view text :
       {std::string_view("[S]\r\nK=v\r\n"), std::string_view("[S]\nK=v"), std::string_view("[S]\rK=v\r"),
        std::string_view("\xEF\xBB\xBF[S]\n\n\r\nK=v\n"), std::string_view("\n\r[S]\n\rK=v")}) {
    EXPECT_EQ(Read(File(text), "s", "k"), "v") << text;
  }
}

TEST_F(ProfileStoreTest, NamesFoldTheLettersOfTheCodePage) {
  const auto path = File("[\xC4RGER]\r\nSTRA\xDF" "E=1\r\n\xC0\x8A=2\r\n");
  EXPECT_EQ(Read(path, "\xE4rger", "stra\xDF" "e"), "1");  // Ä/ä; ß has no capital
  EXPECT_EQ(Read(path, "\xC4RGER", "\xE0\x9A"), "2");      // À/à, Š/š
  EXPECT_EQ(Read(path, "ARGER", "STRASSE"), "<default>");
}

TEST_F(ProfileStoreTest, ValuesAreCStringsCutToTheBuffer) {
  const auto path = File(std::string("[S]\r\nNUL=ab\0cd\r\nLONG=0123456789\r\n", 31));
  EXPECT_EQ(Read(path, "S", "NUL"), "ab");
  EXPECT_EQ(Read(path, "S", "LONG", 5), "0123");
  EXPECT_EQ(Read(path, "S", "LONG", 1), "");
  EXPECT_EQ(Read(path, "S", "LONG", 0), "");
  EXPECT_EQ(Read(path, "S", "MISSING", 4), "<de");
  EXPECT_EQ(Read(path, std::string_view("S\0junk", 6), "LONG"), "0123456789");
}

TEST_F(ProfileStoreTest, WritesCreateTheFileButNeverItsFolder) {
  const auto path = folder_ / "new.ini";
  ASSERT_TRUE(profile_store::WriteString(path, "Sec", "Key", "v"));
  EXPECT_EQ(ReadBytes(path), "[Sec]\r\nKey=v\r\n");
  EXPECT_FALSE(profile_store::WriteString(folder_ / "missing" / "x.ini", "S", "K", "v"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));
  EXPECT_FALSE(profile_store::WriteString(folder_.Path(), "S", "K", "v"));
  EXPECT_EQ(test::CountEntries(folder_.Path()), 1);
}

TEST_F(ProfileStoreTest, NewSectionsFollowTheLastLine) {
  EXPECT_EQ(AfterWrite("[A]\r\nK=1\r\n", "B", "K", "2"), "[A]\r\nK=1\r\n[B]\r\nK=2\r\n");
  EXPECT_EQ(AfterWrite("[A]\nK=1", "B", "K", "2"), "[A]\nK=1\r\n[B]\r\nK=2\r\n");
  EXPECT_EQ(AfterWrite("[A]\nK=1\n\n\n", "B", "K", "2"), "[A]\nK=1\n\n\n[B]\r\nK=2\r\n");
  EXPECT_EQ(AfterWrite("", "B", "K", "2"), "[B]\r\nK=2\r\n");
}

TEST_F(ProfileStoreTest, NewKeysGoAfterTheLastLineOfTheirSection) {
  EXPECT_EQ(AfterWrite("[A]\r\nK=1\r\n\r\n[B]\r\nK=2\r\n", "a", "L", "3"),
            "[A]\r\nK=1\r\nL=3\r\n\r\n[B]\r\nK=2\r\n");
  EXPECT_EQ(AfterWrite("[A]\n;note\n  \n[B]\n", "A", "L", "3"), "[A]\n;note\nL=3\r\n  \n[B]\n");
  EXPECT_EQ(AfterWrite("[A]", "A", "L", "3"), "[A]\r\nL=3\r\n");
  EXPECT_EQ(AfterWrite("[A]\n[A]\nK=x\n", "A", "K", "y"), "[A]\nK=y\r\n[A]\nK=x\n");
}

TEST_F(ProfileStoreTest, ExistingValuesAreReplacedWhereTheyStand) {
  EXPECT_EQ(AfterWrite("; head\n[A]\n  Key = old  \nNext=1\n", "A", "KEY", "new"),
            "; head\n[A]\nKey=new\nNext=1\n");
  EXPECT_EQ(AfterWrite("[A]\r\nK=1\r\nK=2\r\n", "A", "k", "3"), "[A]\r\nK=3\r\nK=2\r\n");
  EXPECT_EQ(AfterWrite("[A]\nK=1", "A", "K", "2"), "[A]\nK=2");
}

TEST_F(ProfileStoreTest, ArgumentsEndAtTheirFirstNul) {
  EXPECT_EQ(AfterWrite("", std::string_view("S\0x", 3), std::string_view("K\0y", 3), std::string_view("v\0z", 3)),
            "[S]\r\nK=v\r\n");
}

TEST_F(ProfileStoreTest, AnUnreadableTargetIsNotOverwritten) {
  const auto path = File("[S]\r\nK=old\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_write);
  {
    test::Unprivileged unprivileged(path.parent_path());
    EXPECT_FALSE(profile_store::WriteString(path, "S", "K", "new"));
  }
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(ReadBytes(path), "[S]\r\nK=old\r\n");
}

// The in-memory profile must write exactly what the file store writes, call for call.
TEST_F(ProfileStoreTest, MemoryProfileWritesWhatTheFileStoreWrites) {
  struct Write {
    const char *section, *key, *value;
  };
  const std::vector<Write> writes = {{"INFO", "A", "1"}, {"TILES", "1", "x"}, {"info", "b", "2"},
                                     {"Info", "a", "3"}, {"NEW", "K", ""},    {"tiles", "2", " y "},
                                     {"INFO", "C", "4"}};
  for (const std::string_view start :
       {std::string_view(""), std::string_view("[INFO]\nA=0\n\n[TILES]\n1=old"),
        std::string_view("\xEF\xBB\xBF;c\r\n[tiles]\r\n\r\n[INFO]\r\nX=1\r\n\r\n")}) {
    const auto path = File(start);
    MemoryProfile memory(path, ProfileDocument(std::string(start)));
    for (const Write& write : writes) {
      ASSERT_TRUE(profile_store::WriteString(path, write.section, write.key, write.value));
      memory.WriteText(write.section, write.key, write.value);
    }
    EXPECT_EQ(memory.Document().Text(), ReadBytes(path)) << start;
    EXPECT_EQ(memory.Document().Size(), ReadBytes(path).size());
  }
}

}  // namespace
}  // namespace tilvaro
