#pragma once
// Colour values in the platform's layout and the system colours resolved through a replaceable
// resolver.

#include <cstdint>
#include <functional>

namespace tilvaro {

// 0x00BBGGRR: red in the low byte. A value with bit 31 set is a system colour whose index is in
// the low byte. Bit 25 (0x02000000) marks a palette-relative colour: it is ignored when resolving
// to RGB, but a colour-to-mono match against a bitmap with a palette first maps it to the nearest
// palette entry (see Bitmap.h).
using TColor = std::uint32_t;

constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline constexpr TColor kSysColorFlag = 0x80000000u;
inline constexpr TColor kPaletteRelativeFlag = 0x02000000u;
// "No colour" of image lists (their background colour); never resolved.
inline constexpr TColor kClrNone = 0xFFFFFFFFu;

// The platform's system colour indexes.
enum class SysColor : int {
  Window = 5,
  WindowFrame = 6,
  WindowText = 8,
  Highlight = 13,
  HighlightText = 14,
  BtnFace = 15,
  BtnShadow = 16,
  GrayText = 17,
  BtnText = 18,
  BtnHighlight = 20,
  DkShadow3D = 21,
  Light3D = 22,
  InfoText = 23,
  InfoBk = 24,
};

constexpr TColor SysColorValue(SysColor c) { return kSysColorFlag | static_cast<TColor>(c); }
constexpr bool IsSysColor(TColor c) { return (c & kSysColorFlag) != 0; }

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

constexpr TColor ToColor(Rgb c) { return RGBColor(c.r, c.g, c.b); }

// Resolves a colour to RGB. A system colour (bit 31) goes through the installed resolver with
// SysColor(index = low byte); any other value is taken as 0x??BBGGRR, the top byte (palette flags)
// being ignored.
Rgb ResolveColor(TColor color);

// Replaces the resolver for system colours; an empty function restores the default. The resolver is
// asked every time a system colour is resolved, so it may read live state (e.g. an application
// palette). Indexes that are not in SysColor may be passed too.
using SysColorResolver = std::function<Rgb(SysColor)>;
void SetSysColorResolver(SysColorResolver resolver);

// The classic Windows colours: button face 192,192,192, button shadow 128,128,128, button highlight
// 255,255,255, window 255,255,255, highlight 0,0,128, info background 255,255,225, 3D dark shadow
// black, 3D light 223,223,223, texts black, grey text 128,128,128. Indexes 0..30 are known; any other
// index gives black.
Rgb DefaultSysColor(SysColor color);

}  // namespace tilvaro
