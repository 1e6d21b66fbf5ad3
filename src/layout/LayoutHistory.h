#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "layout/LayerCells.h"
#include "layout/Layout.h"
#include "layout/ListSplice.h"

namespace tilvaro {

// The editor's whole document, as New and Open replace it. The texts are kept as the user typed
// them (UTF-8), including characters a layout file could not store, so that taking a step back
// gives back exactly what was on the screen.
struct DocumentState {
  std::string name, author, background;
  int layerCount = 1, colourScheme = 1;
  bool inscription = false;
  std::vector<std::string> tileSets;
  LayerCells cells;
  std::string layoutName;  // the bare file name the Open and Save dialogs propose

  bool operator==(const DocumentState&) const = default;
};

// A layout read from a file as a document: its texts decoded from Windows-1252, no layout name.
DocumentState DocumentOfLayout(const Layout& layout);
// The document's settings and cells as a layout with empty texts: all that its picture shows, and
// a layout to be saved before its texts are encoded.
Layout LayoutWithoutTexts(const DocumentState& document);

enum class TextField : std::uint8_t { Name, Author, Background };
enum class Setting : std::uint8_t { LayerCount, ColourScheme, Inscription };

// One cell of one layer toggled; toggling again takes it back.
struct CellToggle {
  std::uint8_t column, row, layer;
};
// The layer count (1..4), the colour scheme (1..8) or the inscription flag (0, 1).
struct SettingChange {
  Setting setting;
  std::int8_t before, after;
};
struct TextChange {
  TextField field;
  std::string before, after;
};
// Cells changed at once (a layer tool): the cells that were toggled, so that toggling them again
// takes the change back, and the layer to show.
struct CellsChange {
  int layer;
  std::bitset<kColumns * kRows * kLayers> toggled;
};
CellsChange CellsChangeBetween(const LayerCells& before, const LayerCells& after, int layer);
// Toggles the cells of the change: does it, or takes it back.
void ToggleCells(LayerCells& cells, const CellsChange& change);
// New or Open; the layers are the ones shown before and after.
struct DocumentChange {
  DocumentState before, after;
  int layerBefore, layerAfter;
};

// One undoable step. The frequent small steps are held in place (a cell toggle is a few bytes);
// the rare large ones live on the heap, so the history stays small however long it grows.
using HistoryStep = std::variant<CellToggle, SettingChange, std::unique_ptr<TextChange>, std::unique_ptr<ListSplice>,
                                 std::unique_ptr<CellsChange>, std::unique_ptr<DocumentChange>>;

// The steps done and undone, in order. Recording a new step forgets the steps that were undone;
// nothing else is ever dropped.
class LayoutHistory {
 public:
  void Record(HistoryStep step);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The step to take back, which becomes the first to do again; CanUndo() must hold.
  const HistoryStep& Undo();
  // The step to do again; CanRedo() must hold.
  const HistoryStep& Redo();

  // The last step done, for a change that goes on (a dragged scroll bar); null when there is none.
  HistoryStep* LastDone() { return done_ > 0 ? &steps_[done_ - 1] : nullptr; }
  // Forgets the last step done (a change that ended where it began); CanUndo() must hold.
  void DropLastDone();

  std::size_t Size() const { return steps_.size(); }
  std::size_t Done() const { return done_; }

 private:
  std::vector<HistoryStep> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
};

}  // namespace tilvaro
