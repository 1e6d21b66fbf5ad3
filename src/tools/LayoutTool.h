#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tilvaro {

// The command-line tool tilvaro-layout, apart from the process around it, so that tests can run it
// with their own arguments and streams.
//   show [--json] FILE       prints the layout as the editor would open it (or as one JSON object)
//   check [--json] FILE...   one line (or JSON object) per file; 0 when all open as layouts (hold
//                            one of a layout's sections) and have an even tile count, else 1; warns
//                            of what saving would change (SaveChanges.h)
//   resave SRC DEST          opens SRC as Open does and writes DEST as Save does (atomically)
//   render FILE -o OUT [--size N]   draws the layout as a picture in the format OUT's suffix names
//                            (atomically; never over FILE itself)
//   --help, --version  explain the above, name the version
// "--" ends a command's options; before it an unknown option is wrong usage.
// Exit status: 0 success, 1 a layout problem (missing or unreadable file, odd tile count, failed
// write), 2 wrong usage. Texts from files are printed as UTF-8 decoded from Windows-1252, and file
// names as UTF-8, with control characters and broken bytes shown as \xNN so that neither can drive
// the terminal (PrintableText.h).
// arguments excludes the program name.
int RunLayoutTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tilvaro
