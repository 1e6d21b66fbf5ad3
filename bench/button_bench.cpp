// Toolbar button benchmark.
//
// 1. Pointer moves across a window of 10, 100 and 1,000 buttons: the pointer sweeps over every
//    button, so each move may end one button's hot state and start the next one's. The work per
//    move must not grow with the number of buttons (one hot button, one application filter that
//    looks only at the hot button). Qt's own routing finds the widget under the pointer among the
//    children of a panel, so the buttons stand in panels of ten, as on toolbars.
// 2. Painting a latched 70 x 55 face with the checker fill against a plain face: within 2x.
//
// Timings are the fastest of several runs (the machine is shared); the figures to read are the
// ratios, measured in the same run.

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchTiming.h"
#include "button/ToolbarButton97.h"

using namespace tilvaro;

namespace {

using bench::Fastest;

constexpr int kPerPanel = 10;
constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;

// Seconds per pointer move over a window of `count` buttons, ten to a panel.
double SecondsPerMove(int count) {
  QWidget window;
  const int panels = count / kPerPanel;
  const int columns = std::min(panels, 10);
  const int rows = (panels + columns - 1) / columns;
  window.resize(columns * kPerPanel * kButtonWidth, rows * kButtonHeight);
  std::vector<QPoint> centres;
  for (int p = 0; p < panels; ++p) {
    auto* panel = new QWidget(&window);
    panel->setGeometry((p % columns) * kPerPanel * kButtonWidth, (p / columns) * kButtonHeight,
                       kPerPanel * kButtonWidth, kButtonHeight);
    for (int b = 0; b < kPerPanel; ++b) {
      auto* button = new TToolbarButton97(panel);
      button->move(b * kButtonWidth, 0);
      button->SetCaption(QStringLiteral("B"));
      centres.push_back(panel->geometry().topLeft() + button->geometry().center());
    }
  }
  window.show();
  QApplication::setActiveWindow(&window);
  if (!QTest::qWaitForWindowExposed(&window)) std::fprintf(stderr, "window not exposed\n");
  QWindow* handle = window.windowHandle();

  // Two moves per button: onto it (a new hot button) and within it (the same one).
  constexpr int kMoves = 4000;
  const double seconds = Fastest(5, [&] {
    for (int i = 0; i < kMoves / 2; ++i) {
      const QPoint centre = centres[static_cast<std::size_t>(i) % centres.size()];
      QTest::mouseMove(handle, centre);
      QTest::mouseMove(handle, centre + QPoint(1, 1));
    }
    QApplication::processEvents();  // the repaints the moves asked for
  });
  return seconds / kMoves;
}

// Seconds per paint of a 70 x 55 face, latched (checker) or plain.
double SecondsPerFace(bool latched) {
  TToolbarButton97 button;
  button.resize(70, 55);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  button.setFont(font);
  button.SetCaption(QStringLiteral("Öffnen"));
  button.SetLayout(TButtonLayout::blGlyphTop);
  if (latched) {
    button.SetGroupIndex(1);
    button.SetDown(true);
  }
  QImage target(70, 55, QImage::Format_RGB32);
  QPainter painter(&target);
  constexpr int kPaints = 3000;
  return Fastest(7, [&] {
           for (int i = 0; i < kPaints; ++i) button.Paint(painter);
         }) / kPaints;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  std::printf("Pointer moves over a window of buttons (hot tracking, enter/leave, repaints):\n");
  std::printf("%8s  %12s  %10s\n", "buttons", "per move", "vs 10");
  double base = 0;
  for (int count : {10, 100, 1000}) {
    const double perMove = SecondsPerMove(count);
    if (count == 10) base = perMove;
    std::printf("%8d  %9.2f us  %9.2fx\n", count, perMove * 1e6, perMove / base);
  }

  const double plain = SecondsPerFace(false);
  const double latched = SecondsPerFace(true);
  std::printf("\nPaint of a 70 x 55 face: plain %.2f us, latched with checker %.2f us, ratio %.2fx (goal: within 2x)\n",
              plain * 1e6, latched * 1e6, latched / plain);
  return 0;
}
