#include "files/Cp1252.h"

#include <array>
#include <cstdint>

#include "files/Utf8.h"

namespace tilvaro::cp1252 {
namespace {

// 0x80..0x9F; the other bytes equal their Latin-1 code points. Unassigned bytes map to the C1
// control of the same value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

}  // namespace

char32_t ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> FromUnicode(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::string DecodeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char byte : bytes) AppendUtf8(out, ToUnicode(static_cast<unsigned char>(byte)));
  return out;
}

std::optional<std::string> EncodeUtf32(std::u32string_view text, EncodeError* error) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = FromUnicode(text[i]);
    if (!byte) {
      if (error) *error = {i, text[i]};
      return std::nullopt;
    }
    out += static_cast<char>(*byte);
  }
  return out;
}

std::optional<std::string> EncodeUtf8(std::string_view utf8, EncodeError* error) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const auto c = NextUtf8(utf8, pos);
    if (!c) {
      if (error) *error = {start, U'\uFFFD'};
      return std::nullopt;
    }
    const auto byte = FromUnicode(*c);
    if (!byte) {
      if (error) *error = {start, *c};
      return std::nullopt;
    }
    out += static_cast<char>(*byte);
  }
  return out;
}

}  // namespace tilvaro::cp1252
