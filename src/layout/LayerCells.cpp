#include "layout/LayerCells.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tilvaro {

std::size_t LayerCells::IndexOf(int column, int row, int layer) {
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows || layer < 1 || layer > kLayers) {
    throw std::out_of_range("LayerCells: no cell at column " + std::to_string(column) + ", row " +
                            std::to_string(row) + ", layer " + std::to_string(layer));
  }
  return (static_cast<std::size_t>(column) * kRows + static_cast<std::size_t>(row)) * kLayers +
         static_cast<std::size_t>(layer - 1);
}

std::uint8_t& LayerCells::operator()(int column, int row, int layer) {
  return flags_[IndexOf(column, row, layer)];
}

std::uint8_t LayerCells::operator()(int column, int row, int layer) const {
  return flags_[IndexOf(column, row, layer)];
}

bool LayerCells::HasTile(int column, int row, int layer) const {
  return (*this)(column, row, layer) != 0;
}

void LayerCells::Clear() { flags_.fill(0); }

int LayerCells::TileCount() const {
  return static_cast<int>(std::count_if(flags_.begin(), flags_.end(), [](std::uint8_t f) { return f != 0; }));
}

bool LayerCells::IsEven() const { return TileCount() % 2 == 0; }

std::string LayerCells::RowText(int row, int layer) const {
  std::string text(kColumns, '.');
  for (int column = 0; column < kColumns; ++column) {
    if (HasTile(column, row, layer)) text[static_cast<std::size_t>(column)] = 'x';
  }
  return text;
}

}  // namespace tilvaro
