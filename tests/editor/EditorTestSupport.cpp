#include "EditorTestSupport.h"

namespace tilvaro::test {

std::string LayoutFileText(const std::vector<std::string>& infoLines, const std::vector<std::string>& tiles,
                           const std::vector<std::vector<std::string>>& layers) {
  std::string text = "[INFO]\r\n";
  for (const std::string& line : infoLines) text += line + "\r\n";
  text += "[TILES]\r\nNUMBERS=" + std::to_string(tiles.size()) + "\r\n";
  for (std::size_t i = 0; i < tiles.size(); ++i) text += std::to_string(i + 1) + "=" + tiles[i] + "\r\n";
  for (std::size_t layer = 0; layer < 4; ++layer) {
    text += "[LAYER" + std::to_string(layer + 1) + "]\r\n";
    for (std::size_t row = 0; row < 7; ++row) {
      std::string cells = "..............";
      // A row left empty here stands for an empty row.
      if (layer < layers.size() && row < layers[layer].size() && !layers[layer][row].empty())
        cells = layers[layer][row];
      text += std::to_string(row + 1) + "=" + cells + "\r\n";
    }
  }
  return text;
}

}  // namespace tilvaro::test
