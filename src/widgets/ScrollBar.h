#pragma once
// TScrollBar: a scroll bar whose keyboard steps go the way the arrows point. Qt's scroll bar inverts
// its key controls (Right lowers a horizontal bar's value); here Left and Up step down, Right and
// Down step up, Page Up and Page Down step by a page, Home and End go to the bounds. While it has the
// keyboard focus its thumb is highlighted, as the platform shows a focused scroll bar.

#include <QScrollBar>

namespace tilvaro {

class TScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit TScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tilvaro
