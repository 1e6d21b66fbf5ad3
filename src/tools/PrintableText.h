#pragma once
// Texts from files and file names made safe for a terminal: nothing printed can move the cursor,
// change colours or confuse the terminal's decoder.

#include <string>
#include <string_view>

namespace tilvaro {

// Windows-1252 bytes as UTF-8, control characters (C0, DEL and C1) shown as \xNN of their byte.
std::string Printable(std::string_view bytes);

// A file name, the system's bytes (normally UTF-8), as valid UTF-8: control characters (C0, DEL and
// the C1 characters U+0080..U+009F) show each of their bytes as \xNN, and so does every byte that is
// not part of a valid UTF-8 sequence.
std::string PrintableName(std::string_view name);

// Each line of `text` made printable as PrintableName does, the line ends kept.
std::string PrintableLines(std::string_view text);

}  // namespace tilvaro
