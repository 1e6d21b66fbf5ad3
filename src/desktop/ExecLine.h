#pragma once
// Splitting a desktop entry's Exec line into a program and its arguments, by the desktop-entry
// quoting rules, with the field codes expanded for one address.
//
// Arguments are separated by blanks. A double-quoted argument is taken literally except for a
// backslash before '"', '`', '$' or '\', which stands for that character, and "%%", which is a
// percent sign. Outside quotes:
//   %u %U %f %F  the address, where the first of them stands (later ones are dropped); standing
//                alone the code becomes exactly one argument, the address, whatever it holds
//   %i           "--icon" and the entry's icon as two arguments (nothing when there is no icon)
//   %c           the entry's name;  %k  the entry's location;  %%  a percent sign
//   any other letter after '%' (the deprecated %d %D %n %N %v %m among them) is dropped;
//   a '%' before anything else stays as it is.
// When none of %u %U %f %F stands outside quotes, the address is appended as the last argument.
// Codes inside a quoted argument are never expanded: quoted arguments are where command strings
// for a shell live, and an address expanded there could run as a command. For the same reason a
// line with a field code in a word that also holds a quoted part (sh -c "browser "%u) is refused
// as a whole: the expansion would join the quoted command text.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tilvaro::desktop {

struct ExecFields {
  std::string_view address;   // the web address or mail link to open
  std::string_view name;      // %c: the entry's (translated) name
  std::string_view icon;      // %i: the entry's icon, may be empty
  std::string_view location;  // %k: the desktop file's path
};

// The program (first element) and its arguments. Empty when the line names no program literally:
// an empty line, an unterminated quote, a field code in the program's own word, or a field code in a
// word with a quoted part.
std::optional<std::vector<std::string>> SplitExecLine(std::string_view exec, const ExecFields& fields);

}  // namespace tilvaro::desktop
