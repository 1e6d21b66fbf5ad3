#pragma once
// TPanel: a plain container that carries other controls on a background of its own (its palette's
// window colour), without a bevel. Assistive tools see it as a group of the controls on it.

#include <QWidget>

namespace tilvaro {

class TPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TPanel(QWidget* parent = nullptr);
};

}  // namespace tilvaro
