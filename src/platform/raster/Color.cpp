#include "platform/raster/Color.h"

#include <array>
#include <utility>

namespace tilvaro {
namespace {

// The classic Windows scheme, by system colour index.
constexpr std::array<Rgb, 31> kClassicColors{{
    {192, 192, 192},  // 0 scroll bar
    {0, 128, 128},    // 1 desktop
    {0, 0, 128},      // 2 active caption
    {128, 128, 128},  // 3 inactive caption
    {192, 192, 192},  // 4 menu
    {255, 255, 255},  // 5 window
    {0, 0, 0},        // 6 window frame
    {0, 0, 0},        // 7 menu text
    {0, 0, 0},        // 8 window text
    {255, 255, 255},  // 9 caption text
    {192, 192, 192},  // 10 active border
    {192, 192, 192},  // 11 inactive border
    {128, 128, 128},  // 12 application workspace
    {0, 0, 128},      // 13 highlight
    {255, 255, 255},  // 14 highlight text
    {192, 192, 192},  // 15 button face
    {128, 128, 128},  // 16 button shadow
    {128, 128, 128},  // 17 grey text
    {0, 0, 0},        // 18 button text
    {192, 192, 192},  // 19 inactive caption text
    {255, 255, 255},  // 20 button highlight
    {0, 0, 0},        // 21 3D dark shadow
    {223, 223, 223},  // 22 3D light
    {0, 0, 0},        // 23 info text
    {255, 255, 225},  // 24 info background
    {192, 192, 192},  // 25 (unused)
    {0, 0, 255},      // 26 hot-tracked item
    {16, 132, 208},   // 27 active caption gradient
    {181, 181, 181},  // 28 inactive caption gradient
    {0, 0, 128},      // 29 menu highlight
    {192, 192, 192},  // 30 menu bar
}};

SysColorResolver& InstalledResolver() {
  static SysColorResolver resolver;
  return resolver;
}

}  // namespace

Rgb DefaultSysColor(SysColor color) {
  const int index = static_cast<int>(color);
  if (index < 0 || index >= static_cast<int>(kClassicColors.size())) return kBlack;
  return kClassicColors[static_cast<std::size_t>(index)];
}

void SetSysColorResolver(SysColorResolver resolver) { InstalledResolver() = std::move(resolver); }

Rgb ResolveColor(TColor color) {
  if (IsSysColor(color)) {
    const auto index = static_cast<SysColor>(color & 0xFFu);
    const SysColorResolver& resolver = InstalledResolver();
    return resolver ? resolver(index) : DefaultSysColor(index);
  }
  return Rgb{static_cast<std::uint8_t>(color & 0xFFu), static_cast<std::uint8_t>((color >> 8) & 0xFFu),
             static_cast<std::uint8_t>((color >> 16) & 0xFFu)};
}

}  // namespace tilvaro
