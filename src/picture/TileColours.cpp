#include "picture/TileColours.h"

#include <algorithm>
#include <array>

namespace tilvaro::picture {
namespace {

// The base colour of each scheme, 1 "Hellgrau" .. 8 "Gelb".
constexpr std::array<std::uint32_t, 8> kBase = {0xB4B4B4, 0x8C8C8C, 0x5A5A5A, 0x3A66B8,
                                                0xC0392F, 0x3A8C4A, 0x8A5530, 0xD9A820};
// Tile faces are ivory, like bone or resin tiles, tinted with the scheme.
constexpr std::uint32_t kIvory = 0xFBF6EA;

// (a * (256 - weight) + b * weight) / 256 per channel; integer only, so that pictures are identical
// everywhere.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, unsigned weight) {
  std::uint32_t mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    mixed |= ((ca * (256 - weight) + cb * weight) / 256) << shift;
  }
  return mixed;
}

constexpr std::uint32_t kOpaque = 0xFF000000;

}  // namespace

TileColours TileColoursFor(int scheme) {
  const std::uint32_t base = kBase[static_cast<std::size_t>(std::clamp(scheme, 1, 8) - 1)];
  return {
      .face = kOpaque | Mix(kIvory, base, 56),
      .highlight = kOpaque | Mix(kIvory, 0xFFFFFF, 160),
      .side = kOpaque | base,
      .outline = kOpaque | Mix(base, 0x000000, 150),
      .ink = kOpaque | Mix(base, 0x101010, 190),
  };
}

}  // namespace tilvaro::picture
