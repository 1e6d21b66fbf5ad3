#include "layout/LayoutHistory.h"

#include <gtest/gtest.h>

namespace tilvaro {
namespace {

std::uint8_t ColumnOf(const HistoryStep& step) { return std::get<CellToggle>(step).column; }

TEST(LayoutHistoryTest, UndoneStepsAreRedoneInOrderUntilANewStepIsRecorded) {
  LayoutHistory history;
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
  for (std::uint8_t column = 0; column < 3; ++column) history.Record(CellToggle{column, 0, 1});
  EXPECT_EQ(ColumnOf(history.Undo()), 2);
  EXPECT_EQ(ColumnOf(history.Undo()), 1);
  EXPECT_EQ(ColumnOf(history.Redo()), 1);
  EXPECT_TRUE(history.CanRedo());
  // A new step forgets the one still undone.
  history.Record(CellToggle{9, 0, 1});
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.Size(), 3u);
  EXPECT_EQ(ColumnOf(history.Undo()), 9);
  EXPECT_EQ(ColumnOf(history.Undo()), 1);
  EXPECT_EQ(ColumnOf(history.Undo()), 0);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_THROW(history.Undo(), std::logic_error);
}

TEST(LayoutHistoryTest, ACellToggleIsHeldInPlace) {
  // The common step costs no allocation: the history of 10,000 toggles is one array.
  EXPECT_LE(sizeof(HistoryStep), 16u);
}

TEST(LayoutHistoryTest, ACellsChangeTogglesExactlyTheCellsThatDiffer) {
  LayerCells before, after;
  before(0, 0, 1) = 1;
  before(3, 2, 2) = 1;
  after(3, 2, 2) = 1;
  after(13, 6, 4) = 1;
  after(5, 5, 1) = 1;
  const CellsChange change = CellsChangeBetween(before, after, 4);
  EXPECT_EQ(change.layer, 4);
  EXPECT_EQ(change.toggled.count(), 3u);
  LayerCells cells = before;
  ToggleCells(cells, change);
  EXPECT_EQ(cells, after);
  ToggleCells(cells, change);
  EXPECT_EQ(cells, before);
}

TEST(ListSpliceTest, TheSpliceLeavesOutTheCommonHeadAndTail) {
  using List = std::vector<std::string>;
  const struct {
    List before, after;
    ListSplice expected;
  } cases[] = {
      {{"a", "b"}, {"a", "b", "c"}, {2, {}, {"c"}}},             // added
      {{"a", "b", "c"}, {"a", "c"}, {1, {"b"}, {}}},             // deleted
      {{"a", "b", "c"}, {"a", "x", "c"}, {1, {"b"}, {"x"}}},     // renamed
      {{"a", "a"}, {"a"}, {1, {"a"}, {}}},                       // a repeat deleted
      {{"", "a"}, {"a"}, {0, {""}, {}}},                         // an empty entry deleted
      {{"a"}, {"a"}, {1, {}, {}}},                               // nothing
      {{"a", "b"}, {}, {0, {"a", "b"}, {}}},                     // all gone
  };
  for (const auto& c : cases) EXPECT_EQ(DiffLists(c.before, c.after), c.expected);
}

}  // namespace
}  // namespace tilvaro
