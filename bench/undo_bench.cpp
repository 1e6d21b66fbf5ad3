// Undo, redo and the preview window, in the editor window itself.
//
// 1. A cell toggle with the preview shown: from the click on the grid to both windows repainted
//    (both painted and their pixels handed to the display), median and 95th percentile over 500
//    toggles; the budget is one frame at 60 Hz, 16 ms. The layout is dense (196 tiles on four
//    layers, numbered), once with all four layers in use and once with three of them faded, which
//    the picture draws apart and lays on.
// 2. Undoing 1,000 steps in a row, the toggled cells spread over the four layers so that every undo
//    also shows another layer, until both windows are repainted; budget 100 ms. The fastest of five
//    runs, as the machine is shared.
// 3. The memory a history of 10,000 steps holds (heap in use before and after): toggles only, and
//    toggles mixed with layer tools and setting changes; budget 1 MB.
//
// Run it under a display server (xvfb-run) to include the window system, or with
// QT_QPA_PLATFORM=offscreen for the painting alone.

#include <malloc.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchTiming.h"
#include "editor/EditForm.h"
#include "editor/EditorTools.h"
#include "editor/PreviewWindow.h"
#include "widgets/LayerGrid.h"
#include "widgets/ScrollBar.h"
#include "widgets/UpDown.h"

using namespace tilvaro;

namespace {

using bench::Clock;
using bench::Percentile;
using bench::Seconds;

// Counts the paints of the widgets it watches.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) {
      widget->installEventFilter(this);
      counts_.push_back({widget, 0});
    }
  }
  // Processes events until every watched widget painted since `before` (or a second passed).
  void WaitForAll(const std::vector<int>& before) {
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    while (Clock::now() < deadline) {
      QCoreApplication::processEvents();
      bool all = true;
      for (std::size_t i = 0; i < counts_.size(); ++i) all = all && counts_[i].second > before[i];
      if (all) return;
    }
    std::fprintf(stderr, "a window was not repainted within a second\n");
  }
  std::vector<int> Counts() const {
    std::vector<int> counts;
    for (const auto& entry : counts_) counts.push_back(entry.second);
    return counts;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      for (auto& entry : counts_) {
        if (entry.first == watched) ++entry.second;
      }
    }
    return false;
  }

 private:
  std::vector<std::pair<QWidget*, int>> counts_;
};

// 196 tiles: layer 1 full, each layer above one cell in from every side; numbered.
void FillDense(TEditForm& form, int layerCount) {
  for (int layer = 1; layer <= kLayers; ++layer) {
    const int inset = layer - 1;
    for (int column = inset; column < kColumns - inset; ++column)
      for (int row = inset; row < kRows - inset; ++row) form.LayerCells(column, row, layer) = 1;
  }
  form.SBar_LayerCount->setValue(layerCount);
  form.CBX_Inscripe->setChecked(true);
  form.Update_Grid();
}

// The editor with its preview shown.
struct Editor {
  Editor() {
    form.show();
    QApplication::setActiveWindow(&form);
    if (!QTest::qWaitForWindowExposed(&form)) std::fprintf(stderr, "editor not exposed\n");
    form.Tools().PreviewAction()->trigger();
    if (!QTest::qWaitForWindowExposed(form.Tools().Preview())) std::fprintf(stderr, "preview not exposed\n");
  }
  TEditForm form;
};

void ToggleWithPreview(int layerCount) {
  Editor editor;
  TEditForm& form = editor.form;
  FillDense(form, layerCount);
  PaintCounter paints{form.Layer_Control, form.Tools().Preview()};
  constexpr int kWarmUp = 20, kToggles = 500;
  std::vector<double> ms;
  for (int i = 0; i < kWarmUp + kToggles; ++i) {
    // Cells far enough apart that two clicks never make a double-click.
    const int cell = (i * 3) % (kColumns * kRows);
    const QPoint at = TLayerGrid::CellRect(cell % kColumns, cell / kColumns).center();
    const std::vector<int> before = paints.Counts();
    const int tiles = form.LayerCells.TileCount();
    const auto start = Clock::now();
    QTest::mouseClick(form.Layer_Control, Qt::LeftButton, Qt::NoModifier, at);
    paints.WaitForAll(before);
    if (i >= kWarmUp) ms.push_back(1000 * Seconds(Clock::now() - start));
    if (form.LayerCells.TileCount() == tiles) std::fprintf(stderr, "a click toggled nothing\n");
  }
  std::printf("toggle to both windows repainted, layer count %d: median %.2f ms, 95th percentile %.2f ms "
              "(budget 16 ms)\n",
              layerCount, Percentile(ms, 0.5), Percentile(ms, 0.95));
}

// Toggles `steps` cells by moving the grid's current cell (which toggles the cell moved to), the
// layers taking turns. `next` counts the toggles made so far on this form and goes on counting.
void ToggleSpread(TEditForm& form, int steps, int& next) {
  for (int i = 0; i < steps; ++i, ++next) {
    const int layer = 1 + next % kLayers;
    if (form.UpDown_Layer->Position() != layer) {
      form.UpDown_Layer->SetPosition(layer);
      form.UpDown_LayerClick(form.UpDown_Layer);
    }
    // Steps of three cells: never the cell the grid is on, and every cell in turn.
    const int cell = (next * 3 + 1) % (kColumns * kRows);
    form.Layer_Control->SetCurrentCell(cell % kColumns, cell / kColumns);
  }
}

void UndoInARow() {
  Editor editor;
  TEditForm& form = editor.form;
  FillDense(form, 4);
  EditorHistory& history = form.Tools().History();
  const std::size_t atStart = history.Steps().Done();
  constexpr int kSteps = 1000;
  int toggled = 0;
  ToggleSpread(form, kSteps, toggled);
  PaintCounter paints{form.Layer_Control, form.Tools().Preview()};
  QCoreApplication::processEvents();
  // The machine is shared: the fastest of a few runs, each undoing all steps and redoing them.
  double fastest = 1e9;
  bool backAtStart = true;
  for (int run = 0; run < 5; ++run) {
    std::vector<int> before = paints.Counts();
    const auto start = Clock::now();
    for (int i = 0; i < kSteps; ++i) history.Undo();
    paints.WaitForAll(before);
    fastest = std::min(fastest, Seconds(Clock::now() - start));
    backAtStart = backAtStart && history.Steps().Done() == atStart && form.LayerCells.TileCount() == 196;
    before = paints.Counts();
    for (int i = 0; i < kSteps; ++i) history.Redo();
    paints.WaitForAll(before);
  }
  std::printf("undoing %d steps in a row, to both windows repainted: %.1f ms (budget 100 ms)%s\n", kSteps,
              1000 * fastest, backAtStart ? "" : " - NOT BACK AT THE START");
}

std::size_t HeapInUse() { return mallinfo2().uordblks; }

void HistoryMemory(bool mixed) {
  Editor editor;
  TEditForm& form = editor.form;
  QCoreApplication::processEvents();
  constexpr int kSteps = 10000;
  const std::size_t before = HeapInUse();
  int toggled = 0;
  if (mixed) {
    // Each ten steps: eight toggles, a layer tool and a colour scheme.
    for (int i = 0; i < kSteps; i += 10) {
      ToggleSpread(form, 8, toggled);
      form.Tools().UseLayerTool(i % 20 == 0 ? LayerTool::MirrorLeftRight : LayerTool::MirrorTopBottom);
      form.SBar_3D->setValue(1 + (i / 10) % 8);
      QCoreApplication::processEvents();
    }
  } else {
    ToggleSpread(form, kSteps, toggled);
  }
  QCoreApplication::processEvents();
  const std::size_t after = HeapInUse();
  std::printf("history of %zu steps (%s): %.0f KB held (budget 1024 KB)\n", form.Tools().History().Steps().Size(),
              mixed ? "8 in 10 toggles, 1 layer tool, 1 colour scheme" : "cell toggles", (after - before) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  ToggleWithPreview(4);
  ToggleWithPreview(1);
  UndoInARow();
  HistoryMemory(false);
  HistoryMemory(true);
  return 0;
}
