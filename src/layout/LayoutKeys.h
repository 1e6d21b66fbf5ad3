#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "layout/LayerCells.h"

// The names a layout file is written with, for everything that reads or writes one, so that the
// reader, the writer and the check of what saving drops all agree on them.
namespace tilvaro::layout_keys {

// The sections, in the order their positions are used: INFO, TILES, then the layers, so that the
// section of layer n (1..kLayers) is kSections[kTiles + n].
inline constexpr std::array<std::string_view, 6> kSections = {"INFO", "TILES", "LAYER1", "LAYER2", "LAYER3", "LAYER4"};
inline constexpr std::size_t kInfo = 0, kTiles = 1;
static_assert(kSections.size() == kTiles + 1 + kLayers);

// The keys of INFO; their positions are named after the layout attributes they hold.
inline constexpr std::array<std::string_view, 6> kInfoKeys = {"TILESET", "AUTHOR", "BACKGROUND",
                                                              "LAYERS",  "3D",     "ORIGINAL"};
enum InfoKey : std::size_t { kNameKey, kAuthorKey, kBackgroundKey, kLayerCountKey, kColourSchemeKey, kInscriptionKey };

// TILES holds NUMBERS, the count of tile sets, and the entries "1".."n"; a layer's section holds its
// rows "1".."kRows".
inline constexpr std::string_view kNumbersKey = "NUMBERS";

// The number a numbered key names when it is written as the decimal numbers 1..limit are ("12", not
// "012" or "+12"): only such a text equals one of those keys' names. 0 otherwise.
std::size_t KeyNumber(std::string_view name, std::size_t limit);

}  // namespace tilvaro::layout_keys
