#pragma once
// Value types shared by the toolbar button and its glyph renderer.

#include <cstdint>

namespace tilvaro {

// The five faces of a toolbar button. The value is also the column of the state's image in a
// multi-image glyph strip.
enum class ButtonState : std::uint8_t { Up = 0, Disabled = 1, Down = 2, Latched = 3, Hot = 4 };
inline constexpr int kButtonStateCount = 5;

// Where the glyph stands relative to the caption.
enum class TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// What a button face shows.
enum class TButtonDisplayMode : std::uint8_t { dmBoth, dmGlyphOnly, dmTextOnly };

// Horizontal alignment of a caption.
enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// Number of images in a glyph strip, 1..5.
using TNumGlyphs97 = std::uint8_t;

}  // namespace tilvaro
