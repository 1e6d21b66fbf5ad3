#include "widgets/LayerGridAccessible.h"

#include <QPointer>

#include "platform/AccessibleAction.h"

namespace tilvaro {

namespace {

QString ColumnName(int col) { return QStringLiteral("Spalte %1").arg(col + 1); }
QString RowName(int row) { return QStringLiteral("Reihe %1").arg(row + 1); }

// One cell of the grid. It holds the grid by a guarded pointer: a cell interface that a tool still
// holds after the grid went reports itself invalid.
class LayerCellAccessible : public QAccessibleInterface,
                            public QAccessibleTableCellInterface,
                            public QAccessibleActionInterface {
 public:
  LayerCellAccessible(TLayerGrid* grid, int col, int row) : grid_(grid), col_(col), row_(row) {}

  bool isValid() const override { return grid_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    QAccessibleInterface* grid = table();
    return grid != nullptr ? grid->window() : nullptr;
  }
  QAccessibleInterface* parent() const override { return table(); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Name ? ColumnName(col_) + QStringLiteral(", ") + RowName(row_) : QString();
  }

  QRect rect() const override {
    if (!grid_) return {};
    const QRect cell = TLayerGrid::CellRect(col_, row_);
    return {grid_->mapToGlobal(cell.topLeft()), cell.size()};
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!grid_) {
      state.invalid = true;
      return state;
    }
    state.focusable = true;
    state.focused = IsCurrent() && grid_->hasFocus();
    state.checkable = true;
    state.checked = grid_->Cell(col_, row_) == TLayerGrid::kTileMark;
    state.disabled = !grid_->isEnabled();
    state.invisible = !grid_->isVisible();
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
  }

  // QAccessibleTableCellInterface
  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return QAccessible::queryAccessibleInterface(grid_.data()); }

  // QAccessibleActionInterface
  QStringList actionNames() const override { return {toggleAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  void doAction(const QString& action) override {
    if (action != toggleAction() || !grid_) return;
    TLayerGrid* grid = grid_;
    const int col = col_;
    const int row = row_;
    PostAccessibleAction(*grid, [grid, col, row] { grid->ClickCell(col, row); });
  }

 private:
  bool IsCurrent() const { return grid_->Col() == col_ && grid_->Row() == row_; }

  QPointer<TLayerGrid> grid_;
  int col_;
  int row_;
};

}  // namespace

LayerGridAccessible::LayerGridAccessible(TLayerGrid* grid) : WidgetAccessible(grid, QAccessible::Table) {}

LayerGridAccessible::~LayerGridAccessible() {
  for (const QAccessible::Id id : cellIds_) {
    if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }
}

void LayerGridAccessible::CellChanged(TLayerGrid& grid, int col, int row) {
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
  QAccessibleInterface* cell = table != nullptr ? table->child(TLayerGrid::Index(col, row)) : nullptr;
  if (cell == nullptr) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(cell, changed);
  QAccessible::updateAccessibility(&event);
}

void LayerGridAccessible::CurrentCellMoved(TLayerGrid& grid) {
  if (!QAccessible::isActive() || !grid.hasFocus()) return;
  QAccessibleEvent event(&grid, QAccessible::Focus);
  event.setChild(TLayerGrid::Index(grid.Col(), grid.Row()));
  QAccessible::updateAccessibility(&event);
}

void LayerGridAccessible::GridFocused(TLayerGrid& grid) {
  if (!QAccessible::isActive()) return;
  QMetaObject::invokeMethod(&grid, [&grid] { CurrentCellMoved(grid); }, Qt::QueuedConnection);
}

void* LayerGridAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return WidgetAccessible::interface_cast(type);
}

int LayerGridAccessible::childCount() const { return kCellCount; }

QAccessibleInterface* LayerGridAccessible::child(int index) const {
  if (index < 0 || index >= kCellCount) return nullptr;
  QAccessible::Id& id = cellIds_[static_cast<std::size_t>(index)];
  if (id == 0) {
    id = QAccessible::registerAccessibleInterface(
        new LayerCellAccessible(Typed(), index % TLayerGrid::kColCount, index / TLayerGrid::kColCount));
  }
  return QAccessible::accessibleInterface(id);
}

int LayerGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const QAccessibleTableCellInterface* cell =
      child != nullptr ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
  if (cell == nullptr || child->parent() != this) return -1;
  return TLayerGrid::Index(cell->columnIndex(), cell->rowIndex());
}

QAccessibleInterface* LayerGridAccessible::childAt(int x, int y) const {
  const QPoint local = Typed()->mapFromGlobal(QPoint(x, y));
  for (int row = 0; row < TLayerGrid::kRowCount; ++row) {
    for (int col = 0; col < TLayerGrid::kColCount; ++col) {
      if (TLayerGrid::CellRect(col, row).contains(local)) return child(TLayerGrid::Index(col, row));
    }
  }
  return nullptr;
}

QAccessibleInterface* LayerGridAccessible::focusChild() const {
  const TLayerGrid* grid = Typed();
  return grid->hasFocus() ? child(TLayerGrid::Index(grid->Col(), grid->Row())) : nullptr;
}

QAccessibleInterface* LayerGridAccessible::cellAt(int row, int column) const {
  if (!TLayerGrid::Contains(column, row)) return nullptr;
  return child(TLayerGrid::Index(column, row));
}

QString LayerGridAccessible::columnDescription(int column) const { return ColumnName(column); }
QString LayerGridAccessible::rowDescription(int row) const { return RowName(row); }

}  // namespace tilvaro
