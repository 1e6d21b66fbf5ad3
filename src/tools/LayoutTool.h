#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tilvaro {

// The command-line tool tilvaro-layout, apart from the process around it, so that tests can run it
// with their own arguments and streams.
//   show [--json] FILE       prints the layout as the editor would open it (or as one JSON object)
//   check [--json] FILE...   one line (or JSON object) per file; 0 when all open and have an even
//                            tile count, else 1
//   resave SRC DEST          opens SRC as Open does and writes DEST as Save does (atomically)
//   render FILE -o PNG [--size N]   draws the layout as a picture (atomically)
//   --help             explains the above
// Exit status: 0 success, 1 a layout problem (missing or unreadable file, odd tile count, failed
// write), 2 wrong usage. Texts from files are printed as UTF-8 decoded from Windows-1252, with
// control characters shown as \xNN so that a file cannot drive the terminal.
// arguments excludes the program name.
int RunLayoutTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tilvaro
