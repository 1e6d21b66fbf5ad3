#include "layout/LayoutFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "support/TestFiles.h"
#include "layout/LayoutProfile.h"
#include "profile/MemoryProfile.h"
#include "files/WriteError.h"

namespace tilvaro {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

Layout TurmExample() {
  Layout layout;
  layout.attributes.name = "Turm";
  layout.attributes.layerCount = 2;
  layout.attributes.colourScheme = 4;
  layout.attributes.inscription = true;
  layout.attributes.tileSets = {"Klassik"};
  layout.cells(0, 0, 1) = 1;
  layout.cells(1, 0, 1) = 1;
  return layout;
}

class LayoutFileTest : public ::testing::Test {
 protected:
  LayoutReadResult Read(std::string_view text) {
    WriteBytes(folder_ / "in.set", text);
    return ReadLayoutFile(folder_ / "in.set");
  }
  // Opens a file holding the given text; the file must load.
  Layout Open(std::string_view text) {
    LayoutReadResult result = Read(text);
    EXPECT_EQ(result.status, LayoutReadStatus::Loaded) << result.message;
    return result.layout;
  }
  std::string Save(const Layout& layout) {
    WriteLayoutFile(folder_ / "out.set", layout);
    return ReadBytes(folder_ / "out.set");
  }
  // What saving the example to `path` raises, or "no error".
  static std::string SaveError(const fs::path& path) {
    try {
      WriteLayoutFile(path, TurmExample());
    } catch (const WriteError& error) {
      return error.what();
    }
    return "no error";
  }
  TempFolder folder_;
};

TEST(LayoutFilePathTest, PlainConcatenation) {
  EXPECT_EQ(LayoutFilePath("/home/ute", "Turm").string(), "/home/ute/layouts/Turm.set");
  EXPECT_EQ(LayoutFilePath("/", "Turm").string(), "//layouts/Turm.set");
  EXPECT_EQ(LayoutFilePath("/d", "a.set").string(), "/d/layouts/a.set.set");
  EXPECT_EQ(LayoutFilePath("/d", "").string(), "/d/layouts/.set");
  EXPECT_EQ(LayoutFilePath("/d", " ../x ").string(), "/d/layouts/ ../x .set");
}

TEST_F(LayoutFileTest, LayoutNamesAreTheSetFilesOfTheLayoutsFolder) {
  EXPECT_TRUE(LayoutNames(folder_.Path()).empty()) << "no layouts folder";
  fs::create_directory(folder_ / "layouts");
  for (const char* file : {"Turm.set", "Alt.SET", "notes.txt", ".versteckt.set", "Tor.set.bak"})
    WriteBytes(folder_ / "layouts" / file, "");
  fs::create_directory(folder_ / "layouts" / "Ordner.set");
  fs::create_symlink("Turm.set", folder_ / "layouts" / "Bau.set");
  fs::create_symlink("fehlt.set", folder_ / "layouts" / "Leer.set");
  EXPECT_EQ(LayoutNames(folder_.Path()), (std::vector<std::string>{"Bau", "Turm"}));
}

TEST_F(LayoutFileTest, TheTurmExampleIsWrittenByteForByte) {
  EXPECT_EQ(Save(TurmExample()), ReadBytes(test::Fixture("turm.set")));
  const LayoutReadResult read = ReadLayoutFile(test::Fixture("turm.set"));
  ASSERT_EQ(read.status, LayoutReadStatus::Loaded);
  EXPECT_EQ(read.layout, TurmExample());
}

TEST_F(LayoutFileTest, BlankTextsAreLeftOutAndOtherTextsKeepTheirBlanks) {
  Layout layout;
  layout.attributes.name = " \t ";
  layout.attributes.author = "  Turm ";
  layout.attributes.background = std::string("\0\x1f", 2);
  const std::string bytes = Save(layout);
  EXPECT_EQ(bytes.find("TILESET"), std::string::npos);
  EXPECT_EQ(bytes.find("BACKGROUND"), std::string::npos);
  EXPECT_NE(bytes.find("\r\nAUTHOR=  Turm \r\n"), std::string::npos);
  // Every file has NUMBERS and four layer sections of seven rows.
  EXPECT_NE(bytes.find("[TILES]\r\nNUMBERS=0\r\n[LAYER1]"), std::string::npos);
  EXPECT_NE(bytes.find("[LAYER4]\r\n1=..............\r\n"), std::string::npos);
  EXPECT_TRUE(bytes.ends_with("7=..............\r\n"));
}

TEST_F(LayoutFileTest, AnEmptyFileOpensWithTheFileDefaults) {
  const Layout layout = Open("");
  LayoutAttributes defaults;
  defaults.inscription = true;  // New leaves it off; a file without ORIGINAL turns it on
  EXPECT_EQ(layout.attributes, defaults);
  EXPECT_EQ(layout.cells.TileCount(), 0);
}

TEST_F(LayoutFileTest, NumbersAreBroughtIntoRange) {
  struct Case {
    const char* info;
    int layers, scheme;
    bool inscription;
  };
  for (const Case& c : {Case{"LAYERS=9\n3D=0\nORIGINAL=0", 4, 1, false}, Case{"LAYERS=0\n3D=9\nORIGINAL=ja", 1, 8, true},
                        Case{"LAYERS=0x3\n3D=$7\nORIGINAL=2", 3, 7, true}, Case{"layers=-7\n3d=2147483647", 1, 8, true},
                        Case{"LAYERS=abc\n3D=", 1, 1, true}}) {
    const Layout layout = Open(std::string("[INFO]\n") + c.info + "\n");
    EXPECT_EQ(layout.attributes.layerCount, c.layers) << c.info;
    EXPECT_EQ(layout.attributes.colourScheme, c.scheme) << c.info;
    EXPECT_EQ(layout.attributes.inscription, c.inscription) << c.info;
  }
}

TEST_F(LayoutFileTest, TileSetEntriesFollowNumbers) {
  using List = std::vector<std::string>;
  EXPECT_EQ(Open("[TILES]\nNUMBERS=3\n1=a\n3=c\n").attributes.tileSets, (List{"a", "", "c"}));
  EXPECT_EQ(Open("[TILES]\nNUMBERS=2\n1=a\n2=b\n3=c\n4=d\n5=e\n").attributes.tileSets, (List{"a", "b"}));
  for (const char* count : {"0", "-1", "zwei", ""}) {
    EXPECT_TRUE(Open(std::string("[TILES]\n1=a\nNUMBERS=") + count + "\n").attributes.tileSets.empty()) << count;
  }
  // A damaged count in a small file gives a bounded list, not billions of empty entries.
  const Layout huge = Open("[TILES]\nNUMBERS=2147483647\n1=a\n");
  EXPECT_EQ(huge.attributes.tileSets.size(), 1024u);
  EXPECT_EQ(huge.attributes.tileSets.front(), "a");
}

// A huge NUMBERS only ever loses trailing entries that the file does not hold, and says so.
TEST_F(LayoutFileTest, TheTileSetCapKeepsEveryEntryTheFileHolds) {
  const struct {
    std::string text;
    std::size_t entries;
    std::optional<std::int32_t> capped;
    std::string last;
  } cases[] = {
      {"[TILES]\nNUMBERS=3000\n1=a\n2000=b\n", 2000, 3000, "b"},
      {"[TILES]\nNUMBERS=3000\n1=a\n2999=b\n3000=c\n", 3000, std::nullopt, "c"},
      {"[TILES]\nNUMBERS=1000\n", 1000, std::nullopt, ""},  // small counts are kept as they are
      {"[TILES]\nNUMBERS=2147483647\n5000=e\n; " + std::string(1 << 20, 'c') + "\n", 5000, 2147483647, "e"},
      {"[TILES]\nNUMBERS=2147483647\n2000000=weit\n", 1024, 2147483647, ""},  // beyond what is ever kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    const LayoutReadResult read = Read(c.text);
    ASSERT_EQ(read.layout.attributes.tileSets.size(), c.entries);
    EXPECT_EQ(read.cappedTileSetCount, c.capped);
    EXPECT_EQ(read.layout.attributes.tileSets.back(), c.last);
  }
  Layout saved;
  saved.attributes.tileSets.assign(5000, "");  // a saved file holds every entry, empty ones too
  Save(saved);
  const LayoutReadResult reread = ReadLayoutFile(folder_ / "out.set");
  EXPECT_EQ(reread.layout.attributes.tileSets.size(), 5000u);
  EXPECT_FALSE(reread.cappedTileSetCount);
}

// The one-pass reader of layout files reads what the general profile reader reads.
TEST_F(LayoutFileTest, OpenReadsAsTheProfileReaderDoes) {
  const std::string texts[] = {
      "\xEF\xBB\xBF[info]\r\nlayers = 3\r\n[INFO]\r\nLAYERS=4\r\n",
      "[TILES]\nNUMBERS=4\n01=null\n1='a'\n1=zweites\n +2 =plus\n3=\"c\"\n[tiles]\n4=spaet\n[TILES ]\n4=d\n",
      "[LAYER2]\n1=x.x\n  7  =xxxxxxxxxxxxxxxxxx\n;3=xx\n[LAYER2]\n2=xx\n[INFO\n3D=5\nORIGINAL=0",
      std::string("[INFO]\nTILESET=a\0b\nAUTHOR\0=x\n[TI\0LES]\nNUMBERS=1\n1=x\n", 48),
      "x=1\n[INFO]]\nLAYERS=2\n[ INFO ]\nBACKGROUND=\"\n\r\n\r[TILES]\r\rNUMBERS=0x2\n2=\n1=eins",
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(Read(text).layout, ReadLayout(MemoryProfile(folder_ / "in.set", ProfileDocument(text)))) << text;
  }
}

TEST_F(LayoutFileTest, RowsReadUpToFourteenCharacters) {
  const Layout layout = Open(
      "[LAYER1]\n1=x.X...........\n2=....................xxxxxx\n3=abcdefghijklmn\n4=xx\n5=\n"
      "[LAYER2]\n7=.............X\n");
  EXPECT_EQ(layout.cells.TileCount(), 5);
  EXPECT_TRUE(layout.cells.HasTile(0, 0, 1) && layout.cells.HasTile(2, 0, 1));
  EXPECT_TRUE(layout.cells.HasTile(0, 3, 1) && layout.cells.HasTile(1, 3, 1));
  EXPECT_TRUE(layout.cells.HasTile(13, 6, 2));
}

TEST_F(LayoutFileTest, LayersBeyondTheLayerCountAreReadAndCounted) {
  const Layout layout = Open("[INFO]\nLAYERS=1\n[LAYER3]\n2=x\n");
  EXPECT_EQ(layout.attributes.layerCount, 1);
  EXPECT_TRUE(layout.cells.HasTile(0, 1, 3));
  EXPECT_FALSE(layout.cells.IsEven());
}

TEST_F(LayoutFileTest, SavingAndOpeningGivesTheSameLayout) {
  std::mt19937 random(4711);
  for (int round = 0; round < 20; ++round) {
    Layout layout;
    auto text = [&](std::size_t length) {
      std::string s;
      for (std::size_t i = 0; i < length; ++i) s += static_cast<char>(33 + random() % 223);  // no blanks, no NUL
      return s;
    };
    layout.attributes.name = text(random() % 5);
    layout.attributes.author = text(random() % 40);
    layout.attributes.background = text(random() % 3);
    layout.attributes.layerCount = 1 + static_cast<int>(random() % 4);
    layout.attributes.colourScheme = 1 + static_cast<int>(random() % 8);
    layout.attributes.inscription = random() % 2 == 0;
    for (unsigned i = random() % 12; i > 0; --i) layout.attributes.tileSets.push_back(text(random() % 10));
    for (int cell = 0; cell < 392; ++cell) {
      if (random() % 3 == 0) layout.cells(cell / 28, cell / 4 % 7, cell % 4 + 1) = 1;
    }
    Save(layout);
    const LayoutReadResult read = ReadLayoutFile(folder_ / "out.set");
    ASSERT_EQ(read.status, LayoutReadStatus::Loaded);
    // Quotes around a whole text are taken off by the reader, as by the game's.
    auto unquote = [](std::string& s) {
      if (s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0]) s = s.substr(1, s.size() - 2);
    };
    LayoutAttributes& a = layout.attributes;
    for (std::string* t : {&a.name, &a.author, &a.background}) unquote(*t);
    for (std::string& entry : a.tileSets) unquote(entry);
    EXPECT_EQ(read.layout, layout) << "round " << round;
  }
}

TEST_F(LayoutFileTest, LongTextsComeBackCut) {
  Layout layout;
  layout.attributes.name = std::string(1500, 'n');
  layout.attributes.tileSets = {std::string(1024, 't'), "kurz"};
  Save(layout);
  const Layout read = ReadLayoutFile(folder_ / "out.set").layout;
  EXPECT_EQ(read.attributes.name, std::string(1023, 'n'));
  EXPECT_EQ(read.attributes.tileSets, (std::vector<std::string>{std::string(1023, 't'), "kurz"}));
}

TEST_F(LayoutFileTest, WhatCannotBeReadIsReportedNotOpenedAsEmpty) {
  WriteBytes(folder_ / "plain", "x");
  for (const fs::path& path : {folder_ / "missing.set", folder_ / "missing" / "x.set", folder_ / "plain" / "x.set",
                               folder_ / (std::string(300, 'n') + ".set")}) {
    EXPECT_EQ(ReadLayoutFile(path).status, LayoutReadStatus::Missing) << path;
  }

  const LayoutReadResult folder = ReadLayoutFile(folder_.Path());
  EXPECT_EQ(folder.status, LayoutReadStatus::NotAFile);
  EXPECT_NE(folder.message.find(folder_.Path().string()), std::string::npos);

  const auto fifo = folder_ / "fifo.set";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadLayoutFile(fifo).status, LayoutReadStatus::NotAFile);  // and does not block

  // Larger than any layout may be: refused rather than read into memory (sparse, so cheap to make).
  const auto huge = folder_ / "huge.set";
  WriteBytes(huge, "");
  fs::resize_file(huge, (std::uintmax_t{1} << 30) + 1);
  const LayoutReadResult tooBig = ReadLayoutFile(huge);
  EXPECT_EQ(tooBig.status, LayoutReadStatus::Unreadable);
  EXPECT_NE(tooBig.message.find(huge.string()), std::string::npos);
}

TEST_F(LayoutFileTest, AFileWithoutReadPermissionIsUnreadable) {
  const auto path = folder_ / "secret.set";
  WriteBytes(path, "[INFO]\r\nLAYERS=3\r\n");
  fs::permissions(path, fs::perms::none);
  const LayoutReadResult result = [&] {
    test::Unprivileged unprivileged(folder_.Path());
    return ReadLayoutFile(path);
  }();
  EXPECT_EQ(result.status, LayoutReadStatus::Unreadable);
  EXPECT_NE(result.message.find("keine Berechtigung"), std::string::npos);
}

TEST_F(LayoutFileTest, AFailedSaveChangesNothingAndLeavesNoFileBehind) {
  const auto missing = folder_ / "no folder" / "x.set";
  // The sentence as the first line, the reason on the next.
  EXPECT_EQ(SaveError(missing), "Kann nicht nach " + missing.string() + " schreiben\nOrdner nicht vorhanden");
  EXPECT_FALSE(fs::exists(missing.parent_path()));

  const auto folderTarget = folder_ / "folder.set";
  fs::create_directory(folderTarget);
  WriteBytes(folderTarget / "inside", "keep");
  EXPECT_THROW(WriteLayoutFile(folderTarget, TurmExample()), WriteError);
  EXPECT_TRUE(fs::is_directory(folderTarget));
  EXPECT_EQ(ReadBytes(folderTarget / "inside"), "keep");
  EXPECT_EQ(test::CountEntries(folder_.Path()), 1);
}

TEST_F(LayoutFileTest, ReadOnlyTargetsAreNotReplaced) {
  const auto file = folder_ / "locked.set";
  WriteBytes(file, "old");
  fs::permissions(file, fs::perms::owner_read);
  const auto lockedFolder = folder_ / "locked";
  fs::create_directory(lockedFolder);
  WriteBytes(lockedFolder / "x.set", "old");
  fs::permissions(lockedFolder, fs::perms::owner_read | fs::perms::owner_exec);
  {
    test::Unprivileged unprivileged(folder_.Path());
    EXPECT_THROW(WriteLayoutFile(file, TurmExample()), WriteError);
    EXPECT_THROW(WriteLayoutFile(lockedFolder / "x.set", TurmExample()), WriteError);
  }
  EXPECT_EQ(ReadBytes(file), "old");
  EXPECT_EQ(ReadBytes(lockedFolder / "x.set"), "old");
  EXPECT_EQ(test::CountEntries(lockedFolder), 1);
}

TEST_F(LayoutFileTest, ReplacingKeepsPermissionsAndFollowsLinks) {
  const auto file = folder_ / "kept.set";
  WriteBytes(file, "[INFO]\r\nAUTHOR=alt\r\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteLayoutFile(file, TurmExample());
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(ReadBytes(file), ReadBytes(test::Fixture("turm.set")));  // nothing of the old file remains

  const auto link = folder_ / "link.set";
  fs::create_symlink(file, link);
  Layout other = TurmExample();
  other.attributes.name = "Anders";
  WriteLayoutFile(link, other);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadLayoutFile(file).layout, other);
  EXPECT_EQ(test::CountEntries(folder_.Path()), 2);

  // A dangling link (relative, as most are) makes the file it points to.
  fs::create_directory(folder_ / "sub");
  const auto dangling = folder_ / "dangling.set";
  fs::create_symlink("sub/new.set", dangling);
  WriteLayoutFile(dangling, other);
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(ReadLayoutFile(folder_ / "sub" / "new.set").layout, other);
}

// Another user's link in a sticky folder open to everybody (as /tmp) is not followed, whatever the
// system's own guard says; the folder's owner's link, or one in a folder of other kind, is.
TEST_F(LayoutFileTest, ALinkPlantedInASharedFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
  constexpr uid_t kOther = 65534;
  const auto shared = folder_ / "shared", secret = folder_ / "secret", link = shared / "thumb.set";
  fs::create_directory(shared);
  fs::create_symlink(secret, link);
  ASSERT_EQ(::lchown(link.c_str(), kOther, kOther), 0);
  const struct {
    fs::perms mode;
    uid_t folderOwner;
    bool followed;
  } cases[] = {{fs::perms::all | fs::perms::sticky_bit, 0, false},
               {fs::perms::all, 0, true},
               {fs::perms::all | fs::perms::sticky_bit, kOther, true}};
  for (const auto& c : cases) {
    WriteBytes(secret, "private");
    ASSERT_EQ(::chown(shared.c_str(), c.folderOwner, c.folderOwner), 0);
    fs::permissions(shared, c.mode);
    const std::string error = SaveError(link);
    EXPECT_EQ(ReadBytes(secret) == "private", !c.followed) << error;
    EXPECT_EQ(error.find("Verknüpfung eines anderen Benutzers") != std::string::npos, !c.followed) << error;
    EXPECT_TRUE(fs::is_symlink(link));
  }
}

TEST_F(LayoutFileTest, SavesRemoveWhatKilledSavesLeftAndNothingElse) {
  const auto dead = folder_ / ".tilvaro-0123456789abcdef.tmp";
  const auto alive = folder_ / ".tilvaro-fedcba9876543210.tmp";
  const auto other = folder_ / ".tilvaro-mine.tmp";
  for (const auto& path : {dead, alive, other}) WriteBytes(path, "half");
  const int held = ::open(alive.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);  // as a save still running holds it
  WriteLayoutFile(folder_ / "x.set", TurmExample());
  ::close(held);
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(alive) && fs::exists(other));
  EXPECT_EQ(test::CountEntries(folder_.Path()), 3);  // x.set, alive, other: no file of this save
}

TEST_F(LayoutFileTest, AFailedSaveSaysWhy) {
  const auto locked = folder_ / "locked";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  const auto reason = [](const fs::path& path) {
    const std::string message = SaveError(path);
    return message.substr(message.find('\n') + 1);
  };
  test::Unprivileged unprivileged(folder_.Path());
  EXPECT_EQ(reason(locked / "x.set"), "Keine Berechtigung");
  EXPECT_EQ(reason(folder_ / (std::string(300, 'n') + ".set")), "Name zu lang");
  EXPECT_EQ(reason("/dev/full"), "Ist keine gewöhnliche Datei");
}

TEST_F(LayoutFileTest, BadInputOpensWithDefaults) {
  const LayoutReadResult garbage = ReadLayoutFile(test::Fixture("garbage.bin"));
  ASSERT_EQ(garbage.status, LayoutReadStatus::Loaded);
  EXPECT_EQ(garbage.layout.attributes.layerCount, 1);

  // A 50 MB line without a line end, between real sections.
  std::string text = "[INFO]\nLAYERS=3\n[LAYER1]\n1=xx";
  text.append(50u << 20, 'x');
  text += "\n[TILES]\nNUMBERS=1\n1=nach der langen Zeile";
  const Layout longLine = Open(text);
  EXPECT_EQ(longLine.attributes.layerCount, 3);
  EXPECT_EQ(longLine.cells.TileCount(), 14);
  EXPECT_EQ(longLine.attributes.tileSets, std::vector<std::string>{"nach der langen Zeile"});

  // 100,000 sections, the wanted one last; a repeat of INFO before it does not count.
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "[S" + std::to_string(i) + "]\r\nK=v\r\n";
  many += "[INFO]\r\n3D=5\r\n[info]\r\n3D=6\r\n";
  EXPECT_EQ(Open(many).attributes.colourScheme, 5);
}

}  // namespace
}  // namespace tilvaro
