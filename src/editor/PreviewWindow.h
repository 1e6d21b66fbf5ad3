#pragma once
// TPreviewWindow: "Tilvaro - Vorschau", the layout as its stacked tiles, drawn by the same code
// and at the same natural size as the picture of `tilvaro-layout render`, at 1:1 from the
// window's top-left corner; below the picture one line with the tile count and the layer count.
// The client area is sized to the two and fixed.
//
// It belongs to the editor window (made with it as parent, so the window manager keeps it above
// the editor). Closing it from its title bar runs OnCloseRequest instead of closing it, so that
// the owner treats it as the same as its own show-and-hide key.

#include <QImage>
#include <QWidget>
#include <functional>

#include "layout/Layout.h"

namespace tilvaro {

class TPreviewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TPreviewWindow(QWidget* owner);

  // The layout to show; the picture is drawn again at the next paint, and only when the layout
  // differs from the one shown.
  void ShowLayout(const Layout& layout);
  const Layout& ShownLayout() const { return layout_; }

  // "148 Steine, 4 Ebenen": every tile of the four layers, and the layout's layer count.
  static QString CountLine(const Layout& layout);

  std::function<void()> OnCloseRequest;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  int LineHeight() const;

  Layout layout_;
  QImage picture_;  // null until drawn for layout_
};

}  // namespace tilvaro
