#include "picture/DigitFont.h"

#include <array>
#include <string>

namespace tilvaro::picture {
namespace {

// Each digit as five rows of three cells; bit 2 is the left cell.
constexpr std::array<std::array<unsigned char, 5>, 10> kGlyphs = {{
    {7, 5, 5, 5, 7},  // 0
    {2, 6, 2, 2, 7},  // 1
    {7, 1, 7, 4, 7},  // 2
    {7, 1, 3, 1, 7},  // 3
    {5, 5, 7, 1, 1},  // 4
    {7, 4, 7, 1, 7},  // 5
    {7, 4, 7, 5, 7},  // 6
    {7, 1, 2, 2, 2},  // 7
    {7, 5, 7, 5, 7},  // 8
    {7, 5, 7, 1, 7},  // 9
}};

}  // namespace

int DigitFont::TextWidth(int number, int scale) {
  const int digits = static_cast<int>(std::to_string(number < 0 ? 0 : number).size());
  return (4 * digits - 1) * scale;
}

void DigitFont::Draw(int number, int left, int top, int scale, const std::function<void(int, int, int, int)>& fill) {
  if (number < 0) return;
  int x = left;
  for (const char digit : std::to_string(number)) {
    const auto& glyph = kGlyphs[static_cast<std::size_t>(digit - '0')];
    for (int row = 0; row < 5; ++row) {
      for (int column = 0; column < 3; ++column) {
        if (glyph[static_cast<std::size_t>(row)] & (4 >> column)) fill(x + column * scale, top + row * scale, scale, scale);
      }
    }
    x += 4 * scale;
  }
}

}  // namespace tilvaro::picture
