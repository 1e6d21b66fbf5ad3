#pragma once

#include <cstdint>

namespace tilvaro::picture {

// The colours of one tile in a "3D" colour scheme, as 0xAARRGGBB: a light face tinted with the
// scheme's colour, a highlight along the face's upper and left edge, the darker side that gives the
// stack its depth, the outline, and the ink of the running numbers.
struct TileColours {
  std::uint32_t face, highlight, side, outline, ink;
};

// Schemes outside 1..8 get the nearest one (the reader already keeps them in range).
TileColours TileColoursFor(int scheme);

}  // namespace tilvaro::picture
