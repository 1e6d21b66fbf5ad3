#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tilvaro {

// Parses a stored number the way ReadNumber accepts it, or nullopt when the text is not accepted.
//  1. When the text is longer than 2 characters and starts with "0x" or "0X", those two characters
//     become a single "$" (so 0x1F reads as $1F). Only the very first character counts.
//  2. Accepted then, and nothing else: any number of leading spaces (code 32 only, no tabs), followed
//     either by "$" and one or more hexadecimal digits whose value fits in 32 bits (leading zeros
//     allowed; 80000000..FFFFFFFF are two's complement, so $FFFFFFFF is -1), or by an optional "+" or
//     "-" and one or more decimal digits in -2147483648..2147483647.
//  3. Nothing may follow the digits. An empty text, a lone sign, a lone "$" and a sign before "$" are
//     refused.
// Examples: "12" 12, "+12" 12, "0X10" 16, "$ff" 255, "$FFFFFFFF" -1, "  7" 7; refused: "2147483648",
// "0x", "0x-5", "-$5", "1.5", "7 ", "abc", "".
std::optional<std::int32_t> ParseProfileNumber(std::string_view text);

// Decimal, "-" for negatives, no leading zeros, no "+".
std::string FormatProfileNumber(std::int32_t value);

}  // namespace tilvaro
