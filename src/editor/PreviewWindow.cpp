#include "editor/PreviewWindow.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>

#include "editor/EditorFont.h"
#include "picture/LayoutPicture.h"
#include "platform/RaiseEvent.h"

namespace tilvaro {
namespace {

// Room above and below the count line.
constexpr int kLinePadding = 3;
constexpr int kLineIndent = 4;

}  // namespace

TPreviewWindow::TPreviewWindow(QWidget* owner) : QWidget(owner) {
  setWindowTitle(QStringLiteral("Tilvaro - Vorschau"));
  // A tool window of the editor: transient for it, so the window manager keeps it above the editor.
  setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setObjectName(QStringLiteral("PreviewWindow"));
  setFont(EditorFont(11));
  setAttribute(Qt::WA_OpaquePaintEvent);
  const picture::PictureGeometry geometry = picture::PictureGeometry::Natural();
  setFixedSize(geometry.Width(), geometry.Height() + LineHeight());
  setAccessibleDescription(CountLine(layout_));
}

int TPreviewWindow::LineHeight() const { return QFontMetrics(font()).height() + 2 * kLinePadding; }

void TPreviewWindow::ShowLayout(const Layout& layout) {
  if (layout == layout_ && !picture_.isNull()) return;
  layout_ = layout;
  picture_ = QImage();
  setAccessibleDescription(CountLine(layout_));
  update();
}

QString TPreviewWindow::CountLine(const Layout& layout) {
  const int tiles = layout.cells.TileCount();
  const int layers = layout.attributes.layerCount;
  return QStringLiteral("%1 %2, %3 %4")
      .arg(tiles)
      .arg(tiles == 1 ? QStringLiteral("Stein") : QStringLiteral("Steine"))
      .arg(layers)
      .arg(layers == 1 ? QStringLiteral("Ebene") : QStringLiteral("Ebenen"));
}

void TPreviewWindow::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) picture_ = picture::DrawLayoutPicture(layout_, picture::PictureGeometry::Natural());
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.drawImage(0, 0, picture_);
  painter.setPen(palette().color(QPalette::WindowText));
  const QRect line(kLineIndent, picture_.height(), width() - 2 * kLineIndent, height() - picture_.height());
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, CountLine(layout_));
}

void TPreviewWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  RaiseEvent(OnCloseRequest);
}

}  // namespace tilvaro
