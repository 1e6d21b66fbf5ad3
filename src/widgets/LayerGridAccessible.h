#pragma once
// LayerGridAccessible: what assistive tools see of a TLayerGrid: a table of 7 rows and 14 columns
// whose 98 children are its cells, row by row. The grid is named by its accessible name (the
// window names it after the layer it shows).
//
// A cell is named by its place ("Spalte 3, Reihe 2", counted from 1), is checkable and checked
// while it holds the tile mark, and is focused while it is the current cell of the focused grid.
// Its toggle action clicks it exactly as the mouse does: the cell becomes current and the grid's
// OnClick runs. Cell objects are made on first request and live as long as the grid's interface.
//
// The grid reports its changes through the two static functions below; they do nothing while no
// assistive tool listens, so a grid costs nothing more at start-up.

#include <array>

#include "platform/WidgetAccessible.h"
#include "widgets/LayerGrid.h"

namespace tilvaro {

class LayerGridAccessible : public WidgetAccessible<TLayerGrid>, public QAccessibleTableInterface {
 public:
  explicit LayerGridAccessible(TLayerGrid* grid);
  ~LayerGridAccessible() override;

  // A cell's text changed: its checked state is announced.
  static void CellChanged(TLayerGrid& grid, int col, int row);
  // The current cell moved: it is announced as focused while the grid has the focus.
  static void CurrentCellMoved(TLayerGrid& grid);
  // The grid took the focus: its current cell is announced as focused once the grid itself has
  // been (Qt announces a widget's focus after its focus-in handler has run).
  static void GridFocused(TLayerGrid& grid);


  void* interface_cast(QAccessible::InterfaceType type) override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // QAccessibleTableInterface: no caption, no headers, no selection.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return TLayerGrid::kColCount; }
  int rowCount() const override { return TLayerGrid::kRowCount; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  // The cells are fixed; a change of their contents is announced cell by cell.
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  static constexpr int kCellCount = TLayerGrid::kColCount * TLayerGrid::kRowCount;
  mutable std::array<QAccessible::Id, kCellCount> cellIds_{};  // 0: not made yet
};

}  // namespace tilvaro
