#include "layout/LayoutAttributes.h"

#include <array>

namespace tilvaro {

std::string_view ColourSchemeName(int scheme) {
  static constexpr std::array<std::string_view, 8> kNames = {
      "Hellgrau", "Grau", "Dunkelgrau", "Blau", "Rot", "Grün", "Braun", "Gelb"};
  if (scheme < 1 || scheme > static_cast<int>(kNames.size())) return {};
  return kNames[static_cast<std::size_t>(scheme - 1)];
}

}  // namespace tilvaro
