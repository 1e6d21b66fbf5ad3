#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tilvaro {

inline constexpr int kColumns = 14, kRows = 7, kLayers = 4;

// The occupancy of every cell of the four stacked layers: one byte per cell, 1 for a tile and 0 for
// an empty cell (readers treat any non-zero byte as a tile). Indexed column (0..13, outermost),
// row (0..6), layer (1..4, innermost), the order in which the board has always been laid out.
class LayerCells {
 public:
  // Throws std::out_of_range when a coordinate lies outside the board.
  std::uint8_t& operator()(int column, int row, int layer);
  std::uint8_t operator()(int column, int row, int layer) const;

  bool HasTile(int column, int row, int layer) const;  // flag != 0
  void Clear();                                       // all 392 flags 0
  int TileCount() const;                              // over all 392 cells, whatever the layer count
  bool IsEven() const;                                // TileCount() % 2 == 0
  // One row of a layer as its 14 characters in a file: "x" for a tile, "." for an empty cell.
  std::string RowText(int row, int layer) const;

  bool operator==(const LayerCells&) const = default;

 private:
  static std::size_t IndexOf(int column, int row, int layer);

  std::array<std::uint8_t, kColumns * kRows * kLayers> flags_{};
};

}  // namespace tilvaro
