// The layer grid on its own: which mouse and key actions click which cell, and how it draws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <utility>
#include <vector>

#include "widgets/LayerGrid.h"

namespace tilvaro {
namespace {

class LayerGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid_.OnClick = [this](QObject* sender) {
      EXPECT_EQ(sender, &grid_);
      clicks_.emplace_back(grid_.Col(), grid_.Row());
    };
    grid_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid_));
    grid_.setFocus();
  }
  static QPoint Centre(int col, int row) { return TLayerGrid::CellRect(col, row).center(); }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&grid_, static_cast<Qt::Key>(key), modifiers);
  }

  TLayerGrid grid_;
  std::vector<std::pair<int, int>> clicks_;
};

TEST_F(LayerGridTest, IsExactlyFourteenBySevenCellsOfTwelvePixelsWithOnePixelLines) {
  EXPECT_EQ(grid_.size(), QSize(182, 91));
  EXPECT_EQ(TLayerGrid::CellRect(0, 0), QRect(0, 0, 12, 12));
  EXPECT_EQ(TLayerGrid::CellRect(13, 6), QRect(169, 78, 12, 12));
}

TEST_F(LayerGridTest, MouseClickClicksTheCellUnderThePointerEveryTime) {
  QTest::mouseClick(&grid_, Qt::LeftButton, Qt::NoModifier, Centre(5, 3));
  QTest::mouseClick(&grid_, Qt::LeftButton, Qt::NoModifier, Centre(5, 3));
  // A grid line belongs to the cell before it; the last pixel to the last cell.
  QTest::mouseClick(&grid_, Qt::LeftButton, Qt::NoModifier, QPoint(12, 12));
  QTest::mouseClick(&grid_, Qt::LeftButton, Qt::NoModifier, QPoint(181, 90));
  EXPECT_EQ(clicks_, (std::vector<std::pair<int, int>>{{5, 3}, {5, 3}, {0, 0}, {13, 6}}));
}

TEST_F(LayerGridTest, OnlyTheLeftButtonClicks) {
  QTest::mouseClick(&grid_, Qt::RightButton, Qt::NoModifier, Centre(2, 2));
  QTest::mouseClick(&grid_, Qt::MiddleButton, Qt::NoModifier, Centre(2, 2));
  EXPECT_TRUE(clicks_.empty());
  EXPECT_EQ(grid_.Col(), 0);
}

TEST_F(LayerGridTest, TheCellCurrentAtTheReleaseIsClicked) {
  QTest::mousePress(&grid_, Qt::LeftButton, Qt::NoModifier, Centre(1, 1));
  EXPECT_TRUE(clicks_.empty());
  QTest::mouseMove(&grid_, Centre(4, 2));
  EXPECT_EQ(std::make_pair(grid_.Col(), grid_.Row()), std::make_pair(4, 2));
  // Beyond the edge the current cell stays on the nearest cell.
  QTest::mouseMove(&grid_, QPoint(300, 200));
  QTest::mouseRelease(&grid_, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
  EXPECT_EQ(clicks_, (std::vector<std::pair<int, int>>{{13, 6}}));
}

TEST_F(LayerGridTest, DoubleClickClicksOnce) {
  // As the window system delivers it: press, release, press (seen as a press and a double-click),
  // release.
  QTest::mouseDClick(grid_.windowHandle(), Qt::LeftButton, Qt::NoModifier, Centre(7, 4));
  EXPECT_EQ(clicks_, (std::vector<std::pair<int, int>>{{7, 4}}));
  // The next ordinary click clicks again.
  QTest::mouseClick(&grid_, Qt::LeftButton, Qt::NoModifier, Centre(7, 4));
  EXPECT_EQ(clicks_.size(), 2u);
}

TEST_F(LayerGridTest, KeysClickTheCellMovedToAndNothingAtAnEdge) {
  for (int i = 0; i < 5; ++i) Key(Qt::Key_Right);
  Key(Qt::Key_Up);  // already in the top row
  Key(Qt::Key_Down);
  Key(Qt::Key_Left);
  EXPECT_EQ(clicks_, (std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {5, 1}, {4, 1}}));
}

TEST_F(LayerGridTest, HomeEndAndPagingMoveToTheEdges) {
  grid_.SetCurrentCell(6, 3);
  clicks_.clear();
  Key(Qt::Key_End);
  Key(Qt::Key_End);  // stays: no click
  Key(Qt::Key_Home);
  Key(Qt::Key_PageDown);
  Key(Qt::Key_PageUp);
  Key(Qt::Key_End, Qt::ControlModifier);
  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  Key(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(clicks_, (std::vector<std::pair<int, int>>{
                         {13, 3}, {0, 3}, {0, 6}, {0, 0}, {13, 6}, {0, 0}, {0, 6}, {1, 6}}));
}

TEST_F(LayerGridTest, RightArrowInTheLastColumnClicksNothing) {
  grid_.SetCurrentCell(13, 2);
  clicks_.clear();
  Key(Qt::Key_Right);
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(LayerGridTest, MovingTheCurrentCellFromCodeClicksOnlyWhenItMoves) {
  grid_.SetRow(0);
  grid_.SetCol(0);
  EXPECT_TRUE(clicks_.empty());
  grid_.SetRow(3);
  grid_.SetCol(20);  // clamped to the last column
  EXPECT_EQ(clicks_, (std::vector<std::pair<int, int>>{{0, 3}, {13, 3}}));
}

TEST_F(LayerGridTest, TabIsLeftToFocusNavigation) {
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(&grid_, &tab);
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(LayerGridTest, TheTileMarkIsOneGreySquareInsideItsCell) {
  grid_.SetCurrentCell(13, 6);  // keep the current cell's own frame away from the cell looked at
  grid_.SetCell(2, 1, TLayerGrid::kTileMark);
  const QImage image = grid_.grab().toImage();
  const QRect cell = TLayerGrid::CellRect(2, 1);
  int grey = 0;
  QRect marked;
  for (int y = cell.top(); y <= cell.bottom(); ++y) {
    for (int x = cell.left(); x <= cell.right(); ++x) {
      if (image.pixelColor(x, y) == QColor(128, 128, 128)) {
        ++grey;
        marked |= QRect(x, y, 1, 1);
      }
    }
  }
  EXPECT_EQ(grey, marked.width() * marked.height()) << "the mark is one filled block";
  EXPECT_GE(marked.width(), 4);
  EXPECT_TRUE(cell.adjusted(1, 1, -1, -1).contains(marked));
  // An empty cell and the grid lines around it show no mark.
  EXPECT_NE(image.pixelColor(TLayerGrid::CellRect(3, 1).center()), QColor(128, 128, 128));
  EXPECT_EQ(image.pixelColor(cell.right() + 1, cell.center().y()), QColor(192, 192, 192));
  grid_.SetCell(2, 1, QString());
  EXPECT_NE(grid_.grab().toImage().pixelColor(cell.center()), QColor(128, 128, 128));
}

}  // namespace
}  // namespace tilvaro
