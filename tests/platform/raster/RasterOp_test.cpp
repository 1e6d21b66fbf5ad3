// Raster operations checked against their definitions: the truth table byte for all 256 codes, and the
// reverse-Polish names of the platform's codes evaluated literally.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/raster/Blit.h"

namespace tilvaro {
namespace {

// Evaluates a reverse-Polish raster operation name ("DSPDxax") on three operands: P, S, D push,
// a/o/x combine the top two, n inverts the top.
std::uint32_t EvalRpn(std::string_view rpn, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  std::vector<std::uint32_t> stack;
  for (const char c : rpn) {
    if (c == 'P' || c == 'S' || c == 'D') {
      stack.push_back(c == 'P' ? p : c == 'S' ? s : d);
    } else if (c == 'n') {
      stack.back() = ~stack.back();
    } else {
      const std::uint32_t b = stack.back();
      stack.pop_back();
      std::uint32_t& a = stack.back();
      a = c == 'a' ? (a & b) : c == 'o' ? (a | b) : (a ^ b);
    }
  }
  return stack.back();
}

std::uint8_t TableFromRpn(std::string_view rpn) {
  return static_cast<std::uint8_t>(EvalRpn(rpn, 0xF0, 0xCC, 0xAA) & 0xFF);
}

// A 8 x 1 mono setup covering every combination of P, S and D: pixel i has P = bit 2, S = bit 1,
// D = bit 0 of i. Returns the resulting destination bits as a truth table byte.
std::uint8_t MonoTruthTable(RasterOp rop) {
  Bitmap pattern = Bitmap::Mono(8, 8, false);
  Bitmap src = Bitmap::Mono(8, 1, false);
  Bitmap dest = Bitmap::Mono(8, 1, false);
  for (int i = 0; i < 8; ++i) {
    for (int row = 0; row < 8; ++row) pattern.SetBit(i, row, (i & 4) != 0);
    src.SetBit(i, 0, (i & 2) != 0);
    dest.SetBit(i, 0, (i & 1) != 0);
  }
  Blit(dest, 0, 0, 8, 1, src, 0, 0, rop, Brush::Pattern(pattern));
  std::uint8_t table = 0;
  for (int i = 0; i < 8; ++i) table |= static_cast<std::uint8_t>(dest.Bit(i, 0) ? 1u << i : 0u);
  return table;
}

TEST(RasterOp, NamedCodesMatchTheirReversePolishDefinition) {
  struct Named {
    RasterOp rop;
    std::string_view rpn;
  };
  const Named named[] = {{SRCCOPY, "S"},          {SRCPAINT, "DSo"},      {SRCAND, "DSa"},
                         {SRCINVERT, "DSx"},      {SRCERASE, "SDna"},     {NOTSRCCOPY, "Sn"},
                         {NOTSRCERASE, "DSon"},   {MERGECOPY, "PSa"},     {MERGEPAINT, "DSno"},
                         {PATCOPY, "P"},          {PATPAINT, "DPSnoo"},   {PATINVERT, "DPx"},
                         {DSTINVERT, "Dn"},       {DSna, "DSna"},         {DSPDxax, "DSPDxax"},
                         {PSDPxax, "PSDPxax"}};
  for (const Named& n : named) {
    EXPECT_EQ(RopTable(n.rop), TableFromRpn(n.rpn)) << n.rpn;
    EXPECT_EQ(MonoTruthTable(n.rop), TableFromRpn(n.rpn)) << n.rpn;
  }
  EXPECT_EQ(MonoTruthTable(BLACKNESS), 0x00);
  EXPECT_EQ(MonoTruthTable(WHITENESS), 0xFF);
}

TEST(RasterOp, EveryTruthTableIsEvaluatedPerPixel) {
  for (unsigned table = 0; table < 256; ++table) {
    EXPECT_EQ(MonoTruthTable(table << 16), table) << "table " << table;
  }
}

TEST(RasterOp, ColourDestinationsCombineEachChannelBitwise) {
  // Arbitrary operand bytes, so every bit position of every channel meets a different P, S, D mix.
  const Rgb p{0x3C, 0xA5, 0x0F}, s{0x5A, 0x66, 0xF0}, d{0x99, 0x1E, 0xC3};
  for (const std::string_view rpn : {"DSPDxax", "PSDPxax", "DSna", "DSo", "PDSnaon", "SPDSxax", "DPSDonox"}) {
    const RasterOp rop = static_cast<RasterOp>(TableFromRpn(rpn)) << 16;
    Bitmap src = Bitmap::Color(1, 1, s);
    Bitmap dest = Bitmap::Color(1, 1, d);
    Blit(dest, 0, 0, 1, 1, src, 0, 0, rop, Brush::Solid(ToColor(p)));
    const Rgb got = dest.Pixel(0, 0);
    EXPECT_EQ(got.r, EvalRpn(rpn, p.r, s.r, d.r) & 0xFF) << rpn;
    EXPECT_EQ(got.g, EvalRpn(rpn, p.g, s.g, d.g) & 0xFF) << rpn;
    EXPECT_EQ(got.b, EvalRpn(rpn, p.b, s.b, d.b) & 0xFF) << rpn;
  }
}

TEST(RasterOp, DependenceOnSourceAndPatternFollowsTheTable) {
  EXPECT_TRUE(RopUsesSource(SRCCOPY));
  EXPECT_FALSE(RopUsesPattern(SRCCOPY));
  EXPECT_FALSE(RopUsesSource(PATCOPY));
  EXPECT_TRUE(RopUsesPattern(PATCOPY));
  EXPECT_TRUE(RopUsesSource(DSPDxax));
  EXPECT_TRUE(RopUsesPattern(DSPDxax));
  EXPECT_FALSE(RopUsesSource(DSTINVERT));
  EXPECT_FALSE(RopUsesPattern(BLACKNESS));

  // An operation without source ignores a null source; one with a source requires it.
  Bitmap dest = Bitmap::Color(2, 2);
  Blit(dest, 0, 0, 2, 2, nullptr, 0, 0, DSTINVERT);
  EXPECT_EQ(dest.Pixel(1, 1), kBlack);
  EXPECT_THROW(Blit(dest, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY), std::invalid_argument);
}

}  // namespace
}  // namespace tilvaro
