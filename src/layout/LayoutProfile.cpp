#include "layout/LayoutProfile.h"

#include <algorithm>
#include <string>

#include "layout/LayoutKeys.h"

namespace tilvaro {
namespace {

namespace keys = layout_keys;
using keys::kInfoKeys;

constexpr std::string_view kInfo = keys::kSections[keys::kInfo];
constexpr std::string_view kTiles = keys::kSections[keys::kTiles];

std::string_view LayerSection(int layer) { return keys::kSections[keys::kTiles + static_cast<std::size_t>(layer)]; }

}  // namespace

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

Layout ReadLayout(const TypedProfile& profile, std::size_t maxTileSets) {
  Layout layout;
  LayoutAttributes& attributes = layout.attributes;
  attributes.name = profile.ReadText(kInfo, kInfoKeys[keys::kNameKey], "");
  attributes.author = profile.ReadText(kInfo, kInfoKeys[keys::kAuthorKey], "");
  attributes.background = profile.ReadText(kInfo, kInfoKeys[keys::kBackgroundKey], "");
  attributes.layerCount = std::clamp(profile.ReadNumber(kInfo, kInfoKeys[keys::kLayerCountKey], 1), 1, kLayers);
  attributes.colourScheme = std::clamp(profile.ReadNumber(kInfo, kInfoKeys[keys::kColourSchemeKey], 1), 1, 8);
  attributes.inscription = profile.ReadFlag(kInfo, kInfoKeys[keys::kInscriptionKey], true);

  const std::int32_t count = profile.ReadNumber(kTiles, keys::kNumbersKey, 0);
  if (count > 0) {
    const std::size_t entries = std::min(static_cast<std::size_t>(count), maxTileSets);
    attributes.tileSets.reserve(entries);
    for (std::size_t i = 1; i <= entries; ++i) {
      attributes.tileSets.push_back(profile.ReadText(kTiles, std::to_string(i), ""));
    }
  }

  const std::string emptyRow(kColumns, '.');
  for (int layer = 1; layer <= kLayers; ++layer) {
    const std::string_view section = LayerSection(layer);
    for (int row = 0; row < kRows; ++row) {
      const std::string text = profile.ReadText(section, std::to_string(row + 1), emptyRow);
      const int columns = static_cast<int>(std::min<std::size_t>(text.size(), kColumns));
      for (int column = 0; column < columns; ++column) {
        if (text[static_cast<std::size_t>(column)] == 'x' || text[static_cast<std::size_t>(column)] == 'X') {
          layout.cells(column, row, layer) = 1;
        }
      }
    }
  }
  return layout;
}

void WriteLayout(TypedProfile& profile, const Layout& layout) {
  const LayoutAttributes& attributes = layout.attributes;
  if (!IsBlank(attributes.name)) profile.WriteText(kInfo, kInfoKeys[keys::kNameKey], attributes.name);
  if (!IsBlank(attributes.author)) profile.WriteText(kInfo, kInfoKeys[keys::kAuthorKey], attributes.author);
  if (!IsBlank(attributes.background)) profile.WriteText(kInfo, kInfoKeys[keys::kBackgroundKey], attributes.background);
  profile.WriteNumber(kInfo, kInfoKeys[keys::kLayerCountKey], attributes.layerCount);
  profile.WriteNumber(kInfo, kInfoKeys[keys::kColourSchemeKey], attributes.colourScheme);
  profile.WriteFlag(kInfo, kInfoKeys[keys::kInscriptionKey], attributes.inscription);

  const std::size_t count = attributes.tileSets.size();
  profile.WriteNumber(kTiles, keys::kNumbersKey, static_cast<std::int32_t>(std::min<std::size_t>(count, INT32_MAX)));
  for (std::size_t i = 0; i < count && i < INT32_MAX; ++i) {
    profile.WriteText(kTiles, std::to_string(i + 1), attributes.tileSets[i]);
  }

  std::string row(kColumns, '.');
  for (int layer = 1; layer <= kLayers; ++layer) {
    const std::string_view section = LayerSection(layer);
    for (int r = 0; r < kRows; ++r) {
      for (int column = 0; column < kColumns; ++column) {
        row[static_cast<std::size_t>(column)] = layout.cells.HasTile(column, r, layer) ? 'x' : '.';
      }
      profile.WriteText(section, std::to_string(r + 1), row);
    }
  }
}

}  // namespace tilvaro
