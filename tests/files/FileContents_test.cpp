// Writing a new file that must replace nothing, and reading no more than a limit of a file.
#include "files/FileContents.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace tilvaro {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(CreateFileContentsTest, WritesOnlyWhereTheNameIsFreeAndLeavesNoTemporary) {
  TempFolder folder;
  std::string reason;
  bool taken = true;
  ASSERT_TRUE(CreateFileContents(folder / "neu.set", "new", &reason, &taken)) << reason;
  EXPECT_FALSE(taken);
  EXPECT_EQ(ReadBytes(folder / "neu.set"), "new");

  // Taken by a file, or by a link even where it dangles: nothing is written through it.
  fs::create_symlink(folder / "elsewhere.set", folder / "link.set");
  for (const char* name : {"neu.set", "link.set"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(CreateFileContents(folder / name, "other", &reason, &taken));
    EXPECT_TRUE(taken);
  }
  EXPECT_EQ(ReadBytes(folder / "neu.set"), "new");
  EXPECT_FALSE(fs::exists(folder / "elsewhere.set"));

  // Another failure is no taken name, and says why.
  EXPECT_FALSE(CreateFileContents(folder / "fehlt/neu.set", "new", &reason, &taken));
  EXPECT_FALSE(taken);
  EXPECT_EQ(reason, "Ordner nicht vorhanden");
  EXPECT_EQ(test::CountEntries(folder.Path()), 2);
}

TEST(ReadFilePrefixTest, ReadsUpToTheLimitAndSaysWhetherTheFileGoesOn) {
  TempFolder folder;
  const struct {
    const char* bytes;
    const char* read;
    bool cut;
  } cases[] = {{"", "", false}, {"1234", "1234", false}, {"12345", "1234", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteBytes(folder / "f", c.bytes);
    const FileReadResult result = ReadFilePrefix(folder / "f", 4);
    EXPECT_EQ(result.status, FileReadStatus::Read);
    EXPECT_EQ(result.bytes, c.read);
    EXPECT_EQ(result.cut, c.cut);
  }
  // A FIFO is refused at once rather than waited on.
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(ReadFilePrefix(folder / "fifo", 4).status, FileReadStatus::NotAFile);
  EXPECT_EQ(ReadFilePrefix(folder / "fehlt", 4).status, FileReadStatus::Missing);
}

}  // namespace
}  // namespace tilvaro
