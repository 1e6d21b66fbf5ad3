#pragma once
// Test fixture support: system colours with fixed, easily told apart values, so that pixel tests
// do not depend on the platform's palette. The default resolver is restored afterwards.

#include <QColor>
#include <QImage>

#include "platform/raster/Color.h"

namespace tilvaro::test {

inline constexpr Rgb kFace{190, 191, 192};
inline constexpr Rgb kHighlight{250, 240, 230};
inline constexpr Rgb kShadow{100, 90, 80};
inline constexpr Rgb kLight3D{220, 221, 222};
inline constexpr Rgb kDkShadow{10, 11, 12};
inline constexpr Rgb kWindowColor{255, 255, 250};

inline Rgb KnownSysColor(SysColor color) {
  switch (color) {
    case SysColor::BtnFace: return kFace;
    case SysColor::BtnHighlight: return kHighlight;
    case SysColor::BtnShadow: return kShadow;
    case SysColor::Light3D: return kLight3D;
    case SysColor::DkShadow3D: return kDkShadow;
    case SysColor::Window: return kWindowColor;
    default: return DefaultSysColor(color);
  }
}

class KnownSysColorsScope {
 public:
  KnownSysColorsScope() { SetSysColorResolver(KnownSysColor); }
  ~KnownSysColorsScope() { SetSysColorResolver({}); }
};

inline QRgb ToQRgb(Rgb c) { return qRgb(c.r, c.g, c.b); }

// The pixel of an image as an Rgb, for readable expectations.
inline Rgb PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return Rgb{static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
             static_cast<std::uint8_t>(qBlue(p))};
}

}  // namespace tilvaro::test

// Printing of Rgb in failed expectations.
#include <ostream>
namespace tilvaro {
inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}
}  // namespace tilvaro
