#pragma once
// TBevel: a lowered box frame, one pixel wide: shadow on the top and left edges, highlight on the
// bottom and right edges. It is a plain decoration and takes no input.

#include <QWidget>

namespace tilvaro {

class TBevel : public QWidget {
  Q_OBJECT

 public:
  explicit TBevel(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tilvaro
