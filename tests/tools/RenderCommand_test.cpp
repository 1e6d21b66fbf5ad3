#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include "support/TestFiles.h"
#include "tools/ToolRun.h"

namespace tilvaro {
namespace {

namespace fs = std::filesystem;
using test::Fixture;
using test::TempFolder;
using test::Tool;
using test::ToolRun;

TEST(RenderCommandTest, WrongUsageExitsWithTwo) {
  std::vector<std::vector<std::string>> cases = {{"render"}, {"render", "a.set"}, {"render", "-o", "b.png"},
                                                 {"render", "a.set", "-o"}, {"render", "a.set", "b.set", "-o", "c.png"},
                                                 {"render", "a.set", "-o", "b.png", "--size"},
                                                 {"render", "a.set", "-o", "b.png", "-o", "c.png"},
                                                 {"render", "a.set", "-o", "a.set"},
                                                 {"render", "a.set", "--bogus", "-o", "b.png"}};
  for (const char* size : {"0", "4097", "12px", ""}) cases.push_back({"render", "a.set", "-o", "b.png", "--size", size});
  for (const std::vector<std::string>& arguments : cases) {
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.status, 2) << arguments.size() << " " << arguments.back();
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
  // The format follows the output's suffix, in any letter case.
  for (const auto& [name, format] : {std::pair{"turm.jpg", "jpeg"}, std::pair{"turm.BMP", "bmp"}}) {
    ASSERT_EQ(Tool({"render", Fixture("turm.set").string(), "-o", (folder / name).string()}).status, 0) << name;
    EXPECT_EQ(QImageReader(QString::fromStdString((folder / name).string())).format(), format);
  }
}

// Unreadable input gets the errors of the other commands; a failed write leaves no picture behind.
TEST(RenderCommandTest, FailuresExitWithOneAndLeaveNothingBehind) {
  const TempFolder folder;
  fs::create_directory(folder / "taken.png");
  const std::string self = (folder / "layout.png").string();
  fs::copy_file(Fixture("turm.set"), self);
  const std::string turm = Fixture("turm.set").string(), none = (folder / "none.set").string();
  const std::string png = (folder / "out.png").string(), intoMissing = (folder / "missing" / "out.png").string();
  const struct {
    std::string input, output, err;
    bool exact;
  } cases[] = {
      {none, png, "tilvaro-layout: " + none + ": Layout nicht gefunden\n", true},
      {folder.Path().string(), png, "Ordner", false},
      {turm, intoMissing, "tilvaro-layout: Kann nicht nach " + intoMissing + " schreiben\nOrdner nicht vorhanden\n",
       true},
      {turm, (folder / "taken.png").string(), " schreiben\nIst ein Ordner\n", false},
      // A layout that is its own output stays as it is.
      {self, self, " schreiben\nIst die Layout-Datei, die gezeichnet wird\n", false},
  };
  for (const auto& c : cases) {
    const ToolRun run = Tool({"render", c.input, "-o", c.output});
    EXPECT_EQ(run.status, 1) << c.output;
    if (c.exact) EXPECT_EQ(run.err, c.err);
    else EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
  EXPECT_TRUE(fs::is_directory(folder / "taken.png"));
  EXPECT_EQ(test::ReadBytes(self), test::ReadBytes(Fixture("turm.set")));
  EXPECT_EQ(test::CountEntries(folder.Path()), 2);
}

}  // namespace
}  // namespace tilvaro
