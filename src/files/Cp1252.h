#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The Windows-1252 code page that layout files are written in. Every one of the 256 byte values maps
// to exactly one character and back: the five bytes the code page leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters U+0081, U+008D, U+008F, U+0090 and U+009D, so that
// any file decodes and encodes again unchanged.
namespace tilvaro::cp1252 {

char32_t ToUnicode(unsigned char byte);
// The byte for a character, or nullopt when the code page cannot hold it.
std::optional<unsigned char> FromUnicode(char32_t c);

std::string DecodeToUtf8(std::string_view bytes);

// The first character that cannot be encoded: its index in the input (in characters for UTF-32, in
// bytes for UTF-8) and the character itself.
struct EncodeError {
  std::size_t index;
  char32_t character;
};
// nullopt when some character cannot be held; nothing is ever replaced or dropped silently.
std::optional<std::string> EncodeUtf32(std::u32string_view text, EncodeError* error = nullptr);
// Invalid UTF-8 also gives nullopt (error->character is then U+FFFD at the offending byte).
std::optional<std::string> EncodeUtf8(std::string_view utf8, EncodeError* error = nullptr);

}  // namespace tilvaro::cp1252
