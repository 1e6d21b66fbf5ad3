#pragma once
// Small glyph bitmaps written as character art, and reading prepared images back as art, for
// exact pixel expectations in the renderer tests.

#include <map>
#include <string>
#include <vector>

#include "glyphs/ImageList.h"
#include "platform/KnownSysColors.h"
#include "platform/raster/Bitmap.h"

namespace tilvaro::test {

inline constexpr Rgb kTeal{0, 128, 128};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 128, 0};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kGrey{128, 128, 128};

// '.' teal (the usual transparent colour), 'W' white, 'G' grey, 's' silver, 'K' black, 'R' red,
// 'g' green.
inline const std::map<char, Rgb>& ArtColors() {
  static const std::map<char, Rgb> colors{{'.', kTeal}, {'W', kWhite}, {'G', kGrey}, {'s', kSilver},
                                          {'K', kBlack}, {'R', kRed},  {'g', kGreen}};
  return colors;
}

inline Bitmap BitmapFromArt(const std::vector<std::string>& rows) {
  Bitmap bitmap = Bitmap::Color(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, ArtColors().at(rows[y][x]));
  }
  return bitmap;
}

// A bitmap of the given size filled with one colour, with single pixels set.
inline Bitmap FilledBitmap(int width, int height, Rgb fill) { return Bitmap::Color(width, height, fill); }

// Image `slot` of a list as art: '-' transparent, 'H' button highlight, 'S' button shadow,
// 'F' button face, others by ArtColors, '?' for anything else.
inline std::vector<std::string> ListImageArt(const TImageList& list, int slot) {
  std::vector<std::string> rows;
  for (int y = 0; y < list.Height(); ++y) {
    std::string row;
    for (int x = 0; x < list.Width(); ++x) {
      if (list.TransparentAt(slot, x, y)) {
        row += '-';
        continue;
      }
      const Rgb c = list.PixelAt(slot, x, y);
      char code = '?';
      if (c == kHighlight) code = 'H';
      else if (c == kShadow) code = 'S';
      else if (c == kFace) code = 'F';
      else for (const auto& [art, color] : ArtColors()) if (color == c) code = art;
      row += code;
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace tilvaro::test
