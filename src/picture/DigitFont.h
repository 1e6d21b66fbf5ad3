#pragma once

#include <functional>

namespace tilvaro::picture {

// A tiny built-in font of the ten digits, 3 x 5 cells each, so that running numbers look the same
// on every machine whatever fonts are installed. A number is drawn as filled squares of `scale`
// pixels: digits 3 * scale wide, 5 * scale high, with one cell of space between them.
class DigitFont {
 public:
  static int TextWidth(int number, int scale);
  static int TextHeight(int scale) { return 5 * scale; }

  // Calls fill(x, y, width, height) for every lit square of the number whose top-left corner is at
  // (left, top). Negative numbers are not drawn.
  static void Draw(int number, int left, int top, int scale, const std::function<void(int, int, int, int)>& fill);
};

}  // namespace tilvaro::picture
