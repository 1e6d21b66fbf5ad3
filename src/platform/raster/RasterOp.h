#pragma once
// Ternary raster operation codes. Bits 16..23 of a code are the truth table over the pattern (P),
// source (S) and destination (D): result bit = bit (P*4 + S*2 + D) of that byte, so the operation
// "P" has table 0xF0, "S" 0xCC and "D" 0xAA. The low 16 bits (the platform's encoding hint) are
// ignored; any of the 256 tables works.

#include <cstdint>

namespace tilvaro {

using RasterOp = std::uint32_t;

inline constexpr RasterOp BLACKNESS = 0x00000042;
inline constexpr RasterOp NOTSRCERASE = 0x001100A6;  // ~(S | D)
inline constexpr RasterOp DSna = 0x00220326;         // D & ~S
inline constexpr RasterOp NOTSRCCOPY = 0x00330008;   // ~S
inline constexpr RasterOp SRCERASE = 0x00440328;     // S & ~D
inline constexpr RasterOp DSTINVERT = 0x00550009;    // ~D
inline constexpr RasterOp PATINVERT = 0x005A0049;    // P ^ D
inline constexpr RasterOp SRCINVERT = 0x00660046;    // S ^ D
inline constexpr RasterOp SRCAND = 0x008800C6;       // S & D
inline constexpr RasterOp PSDPxax = 0x00B8074A;      // ((D ^ P) & S) ^ P: D where S = 1, P where S = 0
inline constexpr RasterOp MERGEPAINT = 0x00BB0226;   // ~S | D
inline constexpr RasterOp MERGECOPY = 0x00C000CA;    // P & S
inline constexpr RasterOp SRCCOPY = 0x00CC0020;      // S
inline constexpr RasterOp DSPDxax = 0x00E20746;      // ((D ^ P) & S) ^ D: P where S = 1, D where S = 0
inline constexpr RasterOp SRCPAINT = 0x00EE0086;     // S | D
inline constexpr RasterOp PATCOPY = 0x00F00021;      // P
inline constexpr RasterOp PATPAINT = 0x00FB0A09;     // P | ~S | D
inline constexpr RasterOp WHITENESS = 0x00FF0062;

constexpr std::uint8_t RopTable(RasterOp rop) { return static_cast<std::uint8_t>(rop >> 16); }
// Whether the result depends on the source / the pattern at all.
constexpr bool RopUsesSource(RasterOp rop) {
  const unsigned t = RopTable(rop);
  return ((t >> 2) & 0x33u) != (t & 0x33u);
}
constexpr bool RopUsesPattern(RasterOp rop) {
  const unsigned t = RopTable(rop);
  return ((t >> 4) & 0x0Fu) != (t & 0x0Fu);
}

// Applies the operation bitwise to three operands: every bit of the result is looked up in the
// truth table from the same bit of p, s and d.
constexpr std::uint32_t ApplyRop(std::uint8_t table, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  std::uint32_t result = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if ((table >> i) & 1u) {
      result |= ((i & 4u) ? p : ~p) & ((i & 2u) ? s : ~s) & ((i & 1u) ? d : ~d);
    }
  }
  return result;
}

}  // namespace tilvaro
