#pragma once

#include <cstdint>
#include <string_view>

// How one line of a profile file is read. The rules are the lenient ones of the Windows profile
// reader, which the game uses on the same files:
//  - Any run of CR and LF characters ends a line (so blank lines never reach the parser as lines of
//    their own, and LF-only, CR-only and mixed files all read alike).
//  - Each line is trimmed at both ends of the characters 9 to 13, 26 and 32. A line empty after that
//    is blank and ignored.
//  - A line whose first character is "[" is a section header. Its name runs to the last "]" of the
//    line (to the end of the line when there is none) and is trimmed again.
//  - A line whose first character is ";" is a comment and never a key.
//  - Any other line is a key line when it holds a "=": the name is what comes before the first "=",
//    trimmed at its end; the value is what follows, trimmed at its start. A line without "=" is
//    neither key nor section and is ignored.
//  - When a value is at least 2 characters long and starts and ends with the same quote character
//    (' or "), that one pair of quotes is removed when the value is read.
// Names are compared without regard to letter case: the letters of Windows-1252 are folded, that is
// A-Z to a-z, À-Þ (except ×) to à-þ, and Š Œ Ž Ÿ to š œ ž ÿ. Every other byte compares as itself.
namespace tilvaro::profile_text {

enum class LineKind { Blank, Section, Comment, Key, Other };

struct ParsedLine {
  LineKind kind = LineKind::Blank;
  std::string_view name;   // section name or key name
  std::string_view value;  // key lines: the raw value, quotes not yet removed
};

bool IsTrimmed(char c);  // 9..13, 26, 32
std::string_view Trim(std::string_view text);
std::string_view TrimStart(std::string_view text);
std::string_view TrimEnd(std::string_view text);

// Classifies one line, given without its line end.
ParsedLine ParseLine(std::string_view line);

// A value as the reader returns it: one pair of matching quotes removed.
std::string_view Unquote(std::string_view value);

// The part before the first NUL byte: texts handed to and returned by the store are C strings.
std::string_view CutAtNul(std::string_view text);

unsigned char FoldCase(unsigned char c);
bool NamesEqual(std::string_view a, std::string_view b);
// A keyed hash of a name, consistent with NamesEqual (names that compare equal hash alike). With a
// secret random key, nobody can choose names that collide.
std::uint64_t HashName(std::string_view name, std::uint64_t key0, std::uint64_t key1);

// Splits text into lines: returns the line at pos (without its end) and sets endLength to the
// length of the run of CR and LF after it; advances pos past both.
std::string_view NextLine(std::string_view text, std::size_t& pos, std::size_t& endLength);

// A UTF-8 byte-order mark at the very start of a file is skipped by the reader.
std::size_t ByteOrderMarkLength(std::string_view text);

}  // namespace tilvaro::profile_text
