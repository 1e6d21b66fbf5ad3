#pragma once
// TLayerGrid: the 14 x 7 grid of text cells that shows and edits one layer of a layout.
//
// Every cell is 12 x 12 pixels, separated by one-pixel grid lines (13 pixels per column and row,
// so the grid is exactly 182 x 91); there are no headers and no scroll bars, and the user cannot
// type into a cell. A cell whose text is "g" shows the tile mark, a grey filled square (the symbol
// face that maps "g" to that mark is not available on Linux, so the mark is drawn directly).
//
// The grid has a current cell. OnClick is raised
//   - at the release of the left mouse button after a press on the grid, for the cell current at
//     the release (while the button is held the current cell follows the pointer); the second press
//     of a double-click and its release report nothing, so a double-click clicks once;
//   - when the keyboard (arrows, Home, End, Page Up, Page Down, alone or with Ctrl) moves the current
//     cell to another cell; a key that leaves it where it is raises nothing;
//   - when SetCurrentCell moves the current cell to another cell;
//   - when ClickCell clicks a cell (an assistive tool's toggle action), also the current one.
//
// A cell can also be marked as standing on a tile of the layer below; an empty marked cell shows a
// faint square where the tile mark would be, so a layer can be drawn onto the one beneath it.

#include <QString>
#include <QWidget>
#include <array>
#include <functional>

namespace tilvaro {

class TLayerGrid : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kColCount = 14;
  static constexpr int kRowCount = 7;
  static constexpr int kCellSize = 12;
  static constexpr int kLineWidth = 1;
  static constexpr int kPitch = kCellSize + kLineWidth;
  static constexpr int kWidth = kColCount * kPitch;   // 182
  static constexpr int kHeight = kRowCount * kPitch;  // 91
  // Whether (col, row) is a cell of the grid, and the place of a cell when counted row by row.
  static constexpr bool Contains(int col, int row) {
    return col >= 0 && col < kColCount && row >= 0 && row < kRowCount;
  }
  static constexpr int Index(int col, int row) { return row * kColCount + col; }
  // The text that marks a tile.
  static inline const QString kTileMark = QStringLiteral("g");

  explicit TLayerGrid(QWidget* parent = nullptr);

  QString Cell(int col, int row) const;
  // Out-of-range coordinates are ignored.
  void SetCell(int col, int row, const QString& text);

  // The faint mark of a tile in the layer below; out-of-range coordinates are ignored.
  bool LowerTile(int col, int row) const;
  void SetLowerTile(int col, int row, bool marked);

  int Col() const { return col_; }
  int Row() const { return row_; }
  // Moves the current cell (clamped to the grid); raises OnClick when it really moved.
  void SetCurrentCell(int col, int row);
  void SetCol(int col) { SetCurrentCell(col, row_); }
  void SetRow(int row) { SetCurrentCell(col_, row); }
  // Clicks a cell as the mouse does: it becomes the current cell (clamped to the grid), then
  // OnClick is raised, also when it already was current.
  void ClickCell(int col, int row);

  // The cell rectangle (without its grid lines) in widget coordinates.
  static QRect CellRect(int col, int row);

  std::function<void(QObject* sender)> OnClick;

  QSize sizeHint() const override { return {kWidth, kHeight}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // The cell under a point, clamped to the grid (a grid line belongs to the cell before it).
  static QPoint CellAt(const QPoint& position);
  // Moves the current cell without raising anything; returns whether it moved.
  bool MoveCurrent(int col, int row);
  void RaiseClick();
  void PaintCell(class QPainter& painter, int col, int row) const;

  std::array<QString, kColCount * kRowCount> texts_;
  std::array<bool, kColCount * kRowCount> lowerTiles_{};
  int col_ = 0;
  int row_ = 0;
  bool tracking_ = false;        // left button pressed on the grid and not yet released
  bool doubleClickPress_ = false;  // the held press is the second press of a double-click
};

}  // namespace tilvaro
