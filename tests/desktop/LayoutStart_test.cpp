// Where the editor starts from the desktop or with a layout file: the layout home made and seeded,
// files opened in place or copied in under a free name, the original never written.
#include "desktop/LayoutStart.h"

#include <gtest/gtest.h>

#include "desktop/LayoutCopyIn.h"
#include "support/TestFiles.h"

namespace tilvaro::desktop {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

class LayoutStartTest : public ::testing::Test {
 protected:
  LayoutStartTest() {
    for (const char* folder : {"home", "samples", "other-samples", "downloads", "project/layouts"})
      std::filesystem::create_directories(temp_ / folder);
  }
  std::filesystem::path Home() const { return temp_ / "home/tilvaro"; }
  std::filesystem::path Path(const char* name) const { return temp_ / name; }
  LayoutStart Plan(const std::optional<std::filesystem::path>& file, bool fromDesktop) const {
    return PlanLayoutStart(file, fromDesktop, Home(), {temp_ / "samples", temp_ / "other-samples", temp_ / "missing"});
  }

 private:
  TempFolder temp_;
};

TEST_F(LayoutStartTest, TheDesktopStartMakesTheHomeAndCopiesInOnlySamplesWhoseNameIsFree) {
  WriteBytes(Path("samples/Turm.set"), "sample tower");
  WriteBytes(Path("samples/notes.txt"), "not a layout");
  WriteBytes(Path("other-samples/Turm.set"), "later tower");
  WriteBytes(Path("other-samples/Bruecke.set"), "bridge");
  const LayoutStart first = Plan(std::nullopt, true);
  EXPECT_EQ(first.startDir, Home());
  EXPECT_TRUE(first.layoutFile.empty());
  EXPECT_EQ(ReadBytes(Home() / "layouts/Turm.set"), "sample tower");
  EXPECT_EQ(ReadBytes(Home() / "layouts/Bruecke.set"), "bridge");
  EXPECT_FALSE(std::filesystem::exists(Home() / "layouts/notes.txt"));

  // The user's own layout of a sample's name stays, and a removed sample comes back.
  WriteBytes(Home() / "layouts/Turm.set", "my tower");
  std::filesystem::remove(Home() / "layouts/Bruecke.set");
  Plan(std::nullopt, true);
  EXPECT_EQ(ReadBytes(Home() / "layouts/Turm.set"), "my tower");
  EXPECT_EQ(ReadBytes(Home() / "layouts/Bruecke.set"), "bridge");

  // A plain start keeps the working folder and touches nothing.
  std::filesystem::remove_all(Home());
  const LayoutStart plain = Plan(std::nullopt, false);
  EXPECT_TRUE(plain.startDir.empty() && plain.layoutFile.empty() && plain.failure.empty());
  EXPECT_FALSE(std::filesystem::exists(Home()));
}

TEST_F(LayoutStartTest, AFileFromElsewhereIsCopiedInUnderAFreeNameAndAnIdenticalOneIsReused) {
  WriteBytes(Path("samples/Turm.set"), "sample tower");
  const struct {
    const char* bytes;
    const char* name;
  } downloads[] = {
      {"sample tower", "Turm"},     // the same as the sample already there
      {"other tower", "Turm (2)"},  // differs: the next free name
      {"third tower", "Turm (3)"},
      {"other tower", "Turm (2)"},  // found again under its copy's name
  };
  for (const auto& [bytes, name] : downloads) {
    SCOPED_TRACE(name);
    WriteBytes(Path("downloads/Turm.set"), bytes);
    const LayoutStart start = Plan(Path("downloads/Turm.set"), false);
    EXPECT_EQ(start.startDir, Home());
    EXPECT_EQ(start.layoutName, name);
    EXPECT_EQ(start.layoutFile, Home() / "layouts" / (std::string(name) + ".set"));
    EXPECT_EQ(ReadBytes(start.layoutFile), bytes);
    EXPECT_EQ(ReadBytes(Path("downloads/Turm.set")), bytes);
  }
  EXPECT_EQ(test::CountEntries(Home() / "layouts"), 3);
  EXPECT_EQ(LayoutNameOf("Mein.Brett.SET"), "Mein.Brett");
  EXPECT_EQ(LayoutNameOf("turm.txt"), "turm.txt");
}

TEST_F(LayoutStartTest, AFileInALayoutsFolderOpensInPlaceAndAnUnreadableOneIsLeftToOpen) {
  WriteBytes(Path("project/layouts/Eigen.set"), "own");
  const LayoutStart inPlace = Plan(Path("project/layouts/../layouts/Eigen.set"), false);
  EXPECT_EQ(inPlace.startDir, Path("project"));
  EXPECT_EQ(inPlace.layoutFile, Path("project/layouts/Eigen.set"));
  EXPECT_EQ(inPlace.layoutName, "Eigen");
  EXPECT_FALSE(std::filesystem::exists(Home()));

  // Missing, a folder: the editor starts in the home and its Open reports the file as given.
  for (const char* unreadable : {"downloads/Fehlt.set", "downloads"}) {
    const LayoutStart start = Plan(Path(unreadable), true);
    EXPECT_EQ(start.startDir, Home());
    EXPECT_EQ(start.layoutFile, Path(unreadable));
    EXPECT_EQ(start.layoutName, "");
    EXPECT_TRUE(start.failure.empty());
  }

  // A layout home that cannot be made: the reason, and the working folder stays.
  std::filesystem::remove_all(Home());
  WriteBytes(Home(), "a file in the way");
  const LayoutStart blocked = Plan(Path("downloads/Turm.set"), true);
  EXPECT_TRUE(blocked.startDir.empty() && blocked.layoutFile.empty());
  EXPECT_NE(blocked.failure.find("nicht anlegen"), std::string::npos) << blocked.failure;
}

}  // namespace
}  // namespace tilvaro::desktop
