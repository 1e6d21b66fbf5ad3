#pragma once

#include <cstddef>
#include <limits>

#include "layout/Layout.h"
#include "profile/TypedProfile.h"

namespace tilvaro {

// The reading steps of Open against any profile, into a fresh (default) layout:
//  INFO:  TILESET, AUTHOR, BACKGROUND (empty default); LAYERS (default 1, kept in 1..4); 3D (default
//         1, kept in 1..8); ORIGINAL (default on).
//  TILES: NUMBERS (default 0), then the keys "1".."n" in order, a missing key as an empty entry.
//         At most maxTileSets entries are read, so that a damaged count cannot make a small file
//         produce a huge list.
//  LAYER1..LAYER4: keys "1".."7" are rows 0..6; character i (0..13) "x" or "X" is a tile in
//         column i; shorter rows leave the remaining columns empty, longer ones are cut at 14.
Layout ReadLayout(const TypedProfile& profile,
                  std::size_t maxTileSets = std::numeric_limits<std::size_t>::max());

// The writing steps of Save, in this order: INFO (TILESET, AUTHOR, BACKGROUND only when not blank,
// i.e. not empty after removing the characters 0..32 from both ends; then LAYERS, 3D, ORIGINAL),
// TILES (NUMBERS and "1".."n"), LAYER1..LAYER4 (rows "1".."7" of 14 "x" or "." each).
// Raises WriteError when the profile cannot be written.
void WriteLayout(TypedProfile& profile, const Layout& layout);

// True when nothing is left of the text after removing the bytes 0..32 from both ends.
bool IsBlank(std::string_view text);

}  // namespace tilvaro
