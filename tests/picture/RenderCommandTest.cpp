#include <gtest/gtest.h>

#include <QImage>

#include "layout/TestFiles.h"
#include "layout/ToolRun.h"

namespace tilvaro {
namespace {

namespace fs = std::filesystem;
using test::Fixture;
using test::TempFolder;
using test::Tool;
using test::ToolRun;

TEST(RenderCommandTest, WrongUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"render"},
      {"render", "a.set"},
      {"render", "-o", "b.png"},
      {"render", "a.set", "-o"},
      {"render", "a.set", "b.set", "-o", "c.png"},
      {"render", "a.set", "-o", "b.png", "--size"},
      {"render", "a.set", "-o", "b.png", "--size", "0"},
      {"render", "a.set", "-o", "b.png", "--size", "4097"},
      {"render", "a.set", "-o", "b.png", "--size", "12px"},
      {"render", "a.set", "-o", "b.png", "--size", ""},
  };
  for (const std::vector<std::string>& arguments : cases) {
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.status, 2) << arguments.size();
    EXPECT_NE(run.err.find("Aufruf:"), std::string::npos);
  }
}

TEST(RenderCommandTest, WritesThePictureFittedIntoTheSize) {
  const TempFolder folder;
  const fs::path png = folder / "turm.png";
  const ToolRun run = Tool({"render", "--size", "128", Fixture("turm.set").string(), "-o", png.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  const QImage picture(QString::fromStdString(png.string()));
  ASSERT_FALSE(picture.isNull());
  EXPECT_LE(std::max(picture.width(), picture.height()), 128);
  EXPECT_GE(std::max(picture.width(), picture.height()), 100);
  EXPECT_TRUE(picture.hasAlphaChannel());
  EXPECT_EQ(test::CountEntries(folder.Path()), 1);  // no temporary file left
}

TEST(RenderCommandTest, UnreadableInputGetsTheErrorsOfTheOtherCommands) {
  const TempFolder folder;
  const fs::path png = folder / "out.png";
  const ToolRun missing = Tool({"render", (folder / "none.set").string(), "-o", png.string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "tilvaro-layout: " + (folder / "none.set").string() + ": Layout nicht gefunden\n");
  const ToolRun notAFile = Tool({"render", folder.Path().string(), "-o", png.string()});
  EXPECT_EQ(notAFile.status, 1);
  EXPECT_NE(notAFile.err.find("Ordner"), std::string::npos) << notAFile.err;
  EXPECT_FALSE(fs::exists(png));
}

TEST(RenderCommandTest, AFailedWriteLeavesNoPictureBehind) {
  const TempFolder folder;
  const fs::path intoMissingFolder = folder / "missing" / "out.png";
  const ToolRun missingFolder = Tool({"render", Fixture("turm.set").string(), "-o", intoMissingFolder.string()});
  EXPECT_EQ(missingFolder.status, 1);
  EXPECT_EQ(missingFolder.err, "tilvaro-layout: Kann nicht nach " + intoMissingFolder.string() + " schreiben\n");

  fs::create_directory(folder / "taken.png");
  const ToolRun ontoFolder = Tool({"render", Fixture("turm.set").string(), "-o", (folder / "taken.png").string()});
  EXPECT_EQ(ontoFolder.status, 1);
  EXPECT_TRUE(fs::is_directory(folder / "taken.png"));
  EXPECT_EQ(test::CountEntries(folder.Path()), 1);
}

}  // namespace
}  // namespace tilvaro
