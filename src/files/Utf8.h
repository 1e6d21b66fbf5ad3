#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tilvaro {

// Appends the UTF-8 form of a character (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t c);

// Decodes the UTF-8 sequence at text[pos] (pos < text.size()) and moves pos past it. nullopt, with
// pos unchanged, for a malformed, cut, overlong or surrogate sequence or one above U+10FFFF.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& pos);

}  // namespace tilvaro
