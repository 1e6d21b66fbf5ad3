#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tilvaro {

// The descriptive attributes that travel with a layout in its file. The editor's controls are their
// live store; commands build this record from the controls when they run. Texts hold
// Windows-1252 bytes. The defaults are the values after New.
struct LayoutAttributes {
  std::string name, author, background;
  int layerCount = 1;    // 1..4
  int colourScheme = 1;  // 1..8
  bool inscription = false;
  std::vector<std::string> tileSets;  // list order; empty texts and repeats allowed

  bool operator==(const LayoutAttributes&) const = default;
};

// UTF-8 name of a 3D colour scheme: 1 "Hellgrau" .. 8 "Gelb"; "" outside 1..8.
std::string_view ColourSchemeName(int scheme);

}  // namespace tilvaro
