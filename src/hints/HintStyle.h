#pragma once
// THintStyle: the three looks of the application's hint windows, and what each look adds around
// the measured text and frames it with.

#include <cstdint>

#include "platform/raster/Color.h"

namespace tilvaro {

enum class THintStyle : std::uint8_t { hsFlat = 0, hsOffice97 = 1, hsWindows95 = 2 };

struct HintLook {
  int extraWidth;         // W: added to the text's width
  int extraHeight;        // H: added to the text's height
  SysColor topLeft;       // frame colour of the top and left edges
  SysColor bottomRight;   // frame colour of the bottom and right edges
};

constexpr HintLook LookOf(THintStyle style) {
  switch (style) {
    case THintStyle::hsFlat: return {6, 4, SysColor::WindowFrame, SysColor::WindowFrame};
    case THintStyle::hsOffice97: return {6, 6, SysColor::Light3D, SysColor::DkShadow3D};
    case THintStyle::hsWindows95: break;
  }
  return {8, 4, SysColor::Light3D, SysColor::DkShadow3D};
}

}  // namespace tilvaro
