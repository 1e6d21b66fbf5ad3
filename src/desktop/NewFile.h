#pragma once
// Writing a file that must not exist yet, for copies into the user's layouts folder: the bytes are
// written whole to an unnamed (or temporary) file first, which then gets the name by a link, and a
// link never replaces what is there. So a failure or a name taken meanwhile leaves nothing behind
// and changes no existing file.

#include <filesystem>
#include <string_view>

namespace tilvaro::desktop {

// Creates `target` holding `bytes` (permissions 0666 less the umask). Returns 0, or the error
// number: EEXIST when something of that name exists, whatever it is.
int CreateNewFile(const std::filesystem::path& target, std::string_view bytes);

}  // namespace tilvaro::desktop
