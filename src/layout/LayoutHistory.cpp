#include "layout/LayoutHistory.h"

#include <stdexcept>

#include "files/Cp1252.h"

namespace tilvaro {

namespace {

// Visits every cell with its bit in a CellsChange.
template <typename Visit>
void ForEachCell(Visit visit) {
  std::size_t bit = 0;
  for (int layer = 1; layer <= kLayers; ++layer)
    for (int row = 0; row < kRows; ++row)
      for (int column = 0; column < kColumns; ++column) visit(column, row, layer, bit++);
}

}  // namespace

DocumentState DocumentOfLayout(const Layout& layout) {
  const LayoutAttributes& attributes = layout.attributes;
  DocumentState document;
  document.name = cp1252::DecodeToUtf8(attributes.name);
  document.author = cp1252::DecodeToUtf8(attributes.author);
  document.background = cp1252::DecodeToUtf8(attributes.background);
  document.tileSets.reserve(attributes.tileSets.size());
  for (const std::string& entry : attributes.tileSets) document.tileSets.push_back(cp1252::DecodeToUtf8(entry));
  document.layerCount = attributes.layerCount;
  document.colourScheme = attributes.colourScheme;
  document.inscription = attributes.inscription;
  document.cells = layout.cells;
  return document;
}

Layout LayoutWithoutTexts(const DocumentState& document) {
  Layout layout;
  layout.attributes.layerCount = document.layerCount;
  layout.attributes.colourScheme = document.colourScheme;
  layout.attributes.inscription = document.inscription;
  layout.cells = document.cells;
  return layout;
}

CellsChange CellsChangeBetween(const LayerCells& before, const LayerCells& after, int layer) {
  CellsChange change{layer, {}};
  ForEachCell([&](int column, int row, int cellLayer, std::size_t bit) {
    change.toggled[bit] = before.HasTile(column, row, cellLayer) != after.HasTile(column, row, cellLayer);
  });
  return change;
}

void ToggleCells(LayerCells& cells, const CellsChange& change) {
  ForEachCell([&](int column, int row, int layer, std::size_t bit) {
    if (change.toggled[bit]) cells(column, row, layer) = cells.HasTile(column, row, layer) ? 0 : 1;
  });
}

void LayoutHistory::Record(HistoryStep step) {
  steps_.resize(done_);
  steps_.push_back(std::move(step));
  done_ = steps_.size();
}

const HistoryStep& LayoutHistory::Undo() {
  if (!CanUndo()) throw std::logic_error("LayoutHistory: nothing to undo");
  return steps_[--done_];
}

const HistoryStep& LayoutHistory::Redo() {
  if (!CanRedo()) throw std::logic_error("LayoutHistory: nothing to redo");
  return steps_[done_++];
}

void LayoutHistory::DropLastDone() {
  if (!CanUndo()) throw std::logic_error("LayoutHistory: no step to drop");
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_ - 1));
  --done_;
}

}  // namespace tilvaro
