#include "widgets/LayerGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/RaiseEvent.h"
#include "widgets/LayerGridAccessible.h"

namespace tilvaro {

namespace {

const QColor kGridLineColour(192, 192, 192);
const QColor kMarkColour(128, 128, 128);
// The mark of a tile in the layer below: close to the cell's white, still told apart from it.
const QColor kLowerTileColour(218, 218, 218);
// The tile mark: a filled square centred in its 12 x 12 cell.
constexpr int kMarkInset = 3;
constexpr int kMarkSize = 6;

}  // namespace

TLayerGrid::TLayerGrid(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kWidth, kHeight);
}

QString TLayerGrid::Cell(int col, int row) const {
  if (!Contains(col, row)) return {};
  return texts_[Index(col, row)];
}

void TLayerGrid::SetCell(int col, int row, const QString& text) {
  if (!Contains(col, row)) return;
  QString& cell = texts_[Index(col, row)];
  if (cell == text) return;
  cell = text;
  // The whole grid, small as it is: showing another layer changes up to 98 cells at once, and one
  // dirty widget costs less than a region of 98 rectangles built up one by one.
  update();
  LayerGridAccessible::CellChanged(*this, col, row);
}

bool TLayerGrid::LowerTile(int col, int row) const {
  if (!Contains(col, row)) return false;
  return lowerTiles_[Index(col, row)];
}

void TLayerGrid::SetLowerTile(int col, int row, bool marked) {
  if (!Contains(col, row)) return;
  bool& cell = lowerTiles_[Index(col, row)];
  if (cell == marked) return;
  cell = marked;
  update();
}

void TLayerGrid::SetCurrentCell(int col, int row) {
  if (MoveCurrent(col, row)) RaiseClick();
}

void TLayerGrid::ClickCell(int col, int row) {
  MoveCurrent(col, row);
  RaiseClick();
}

QRect TLayerGrid::CellRect(int col, int row) {
  return {col * kPitch, row * kPitch, kCellSize, kCellSize};
}

QPoint TLayerGrid::CellAt(const QPoint& position) {
  return {std::clamp(position.x() / kPitch, 0, kColCount - 1),
          std::clamp(position.y() / kPitch, 0, kRowCount - 1)};
}

bool TLayerGrid::MoveCurrent(int col, int row) {
  col = std::clamp(col, 0, kColCount - 1);
  row = std::clamp(row, 0, kRowCount - 1);
  if (col == col_ && row == row_) return false;
  const QRect old = CellRect(col_, row_);
  col_ = col;
  row_ = row;
  update(old);
  update(CellRect(col_, row_));
  LayerGridAccessible::CurrentCellMoved(*this);
  return true;
}

void TLayerGrid::RaiseClick() {
  RaiseEvent(OnClick, this);
}

void TLayerGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kGridLineColour);
  for (int row = 0; row < kRowCount; ++row) {
    for (int col = 0; col < kColCount; ++col) PaintCell(painter, col, row);
  }
}

void TLayerGrid::PaintCell(QPainter& painter, int col, int row) const {
  const QRect cell = CellRect(col, row);
  const bool current = col == col_ && row == row_;
  // The current cell is highlighted while the grid does not have the focus and carries a focus
  // frame while it does, so the user always sees which cell the keyboard moves from.
  const bool highlighted = current && !hasFocus();
  painter.fillRect(cell, palette().color(highlighted ? QPalette::Highlight : QPalette::Base));
  const QString& text = texts_[Index(col, row)];
  if (text.isEmpty() && lowerTiles_[Index(col, row)]) {
    painter.fillRect(cell.x() + kMarkInset, cell.y() + kMarkInset, kMarkSize, kMarkSize, kLowerTileColour);
  } else if (text == kTileMark) {
    painter.fillRect(cell.x() + kMarkInset, cell.y() + kMarkInset, kMarkSize, kMarkSize, kMarkColour);
  } else if (!text.isEmpty()) {
    QFont font = this->font();
    font.setPixelSize(8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kMarkColour);
    painter.drawText(cell, Qt::AlignCenter, text);
  }
  if (current && hasFocus()) {
    QPen pen(palette().color(QPalette::Text), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
  }
}

void TLayerGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  tracking_ = true;
  doubleClickPress_ = false;
  const QPoint cell = CellAt(event->position().toPoint());
  MoveCurrent(cell.x(), cell.y());
}

void TLayerGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!tracking_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint cell = CellAt(event->position().toPoint());
  MoveCurrent(cell.x(), cell.y());
}

void TLayerGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  if (doubleClickPress_) {
    doubleClickPress_ = false;
    return;
  }
  RaiseClick();
}

void TLayerGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // The first press and release of the double-click have clicked already.
  tracking_ = true;
  doubleClickPress_ = true;
}

void TLayerGrid::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  int col = col_;
  int row = row_;
  switch (event->key()) {
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    // The whole grid is one page: paging goes to the top or bottom row.
    case Qt::Key_PageUp: row = 0; break;
    case Qt::Key_PageDown: row = kRowCount - 1; break;
    case Qt::Key_Home:
      col = 0;
      if (ctrl) row = 0;
      break;
    case Qt::Key_End:
      col = kColCount - 1;
      if (ctrl) row = kRowCount - 1;
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
  SetCurrentCell(col, row);
}

void TLayerGrid::focusInEvent(QFocusEvent* event) {
  update(CellRect(col_, row_));
  QWidget::focusInEvent(event);
  LayerGridAccessible::GridFocused(*this);
}

void TLayerGrid::focusOutEvent(QFocusEvent* event) {
  update(CellRect(col_, row_));
  QWidget::focusOutEvent(event);
}

}  // namespace tilvaro
