// Writing a new file that must replace nothing.
#include "files/FileContents.h"

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

}  // namespace
}  // namespace tilvaro
