#pragma once
// TUpDown: a small vertical up-down spinner (two arrow buttons on top of each other) holding an
// integer position between Min and Max.
//
// Pressing the upper arrow steps the position up, the lower one down; holding an arrow repeats the
// step. A step raises OnClick after the position changed. Without wrap-around, a step beyond Min or
// Max leaves the position where it is and raises nothing. Setting the position from code raises
// nothing either. With the focus, the Up and Down keys step as the arrows do.

#include <QTimer>
#include <QWidget>
#include <functional>

namespace tilvaro {

class TUpDown : public QWidget {
  Q_OBJECT

 public:
  enum class TUDBtnType { btNext, btPrev };

  explicit TUpDown(QWidget* parent = nullptr);

  int Min() const { return min_; }
  int Max() const { return max_; }
  // Sets both bounds (Max below Min is raised to Min) and brings the position within them.
  void SetRange(int min, int max);
  int Position() const { return position_; }
  // Clamped to Min..Max; raises nothing.
  void SetPosition(int position);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap) { wrap_ = wrap; }

  // Steps as a press on an arrow does: returns whether the position changed (and OnClick ran).
  bool Step(TUDBtnType button);

  // The arrow under a point; the upper half is btNext.
  TUDBtnType ButtonAt(const QPoint& position) const;

  std::function<void(QObject* sender, TUDBtnType button)> OnClick;

  QSize sizeHint() const override { return {13, 19}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QRect ButtonRect(TUDBtnType button) const;
  void RepeatStep();

  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  bool wrap_ = false;
  bool pressed_ = false;
  TUDBtnType pressedButton_ = TUDBtnType::btNext;
  bool pointerOnPressedButton_ = false;
  QTimer repeatTimer_;
};

}  // namespace tilvaro
