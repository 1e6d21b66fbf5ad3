#pragma once
// TClickLabel: a label (text or picture) that raises OnClick when the left mouse button is pressed
// and released over it, as a link does.

#include <QLabel>
#include <functional>

namespace tilvaro {

class TClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TClickLabel(QWidget* parent = nullptr);

  std::function<void(QObject* sender)> OnClick;

  // Raises OnClick as a left click on the label does.
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace tilvaro
