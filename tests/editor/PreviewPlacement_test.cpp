#include "editor/PreviewPlacement.h"

#include <gtest/gtest.h>

namespace tilvaro {
namespace {

TEST(PreviewPlacementTest, BesideTheOwnerWhereTheScreenHasRoomElseClearOfTheGrid) {
  const QSize preview(450, 350);
  const struct {
    const char* what;
    QRect screen, owner, grid;
    QRect expected;
  } cases[] = {
      {"room on the right", {0, 0, 1920, 1080}, {700, 300, 510, 370}, {850, 550, 190, 100}, {1218, 300, 450, 350}},
      {"right edge: left", {0, 0, 1920, 1080}, {1400, 300, 510, 370}, {1550, 550, 190, 100}, {942, 300, 450, 350}},
      {"narrow and tall: below", {0, 0, 800, 1200}, {100, 100, 510, 370}, {250, 350, 190, 100}, {100, 478, 450, 350}},
      // 1024 x 768 with the editor centred: no side has room; above covers the text fields only.
      {"no room: clear of the grid", {0, 0, 1024, 768}, {259, 204, 506, 361}, {403, 464, 200, 92}, {259, 0, 450, 350}},
      {"larger than the screen", {10, 20, 300, 200}, {50, 50, 100, 100}, {60, 60, 10, 10}, {10, 20, 450, 350}},
  };
  for (const auto& c : cases) {
    const QRect placed = PlaceBeside(c.screen, c.owner, c.grid, preview);
    EXPECT_EQ(placed, c.expected) << c.what;
    if (c.screen.width() >= preview.width()) {
      EXPECT_TRUE(c.screen.contains(placed)) << c.what;
    }
  }
}

}  // namespace
}  // namespace tilvaro
