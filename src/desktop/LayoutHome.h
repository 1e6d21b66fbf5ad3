#pragma once
// The user's layout home, $XDG_DATA_HOME/tilvaro: the folder the editor starts in from the desktop,
// whose "layouts" folder holds the user's layouts. A start step makes it and seeds it with the
// installed sample layouts; the editor itself never creates a layouts folder.

#include <filesystem>
#include <string>
#include <vector>

#include "desktop/XdgDirs.h"

namespace tilvaro::desktop {

// $XDG_DATA_HOME/tilvaro (by default ~/.local/share/tilvaro); empty when neither is set.
std::filesystem::path LayoutHome(const XdgDirs& dirs);

// The folders that may hold the installed sample layouts, the first found first: `besideProgram`
// (the installation the running program belongs to), then share/tilvaro/layouts in every XDG
// data folder.
std::vector<std::filesystem::path> SampleFolders(const XdgDirs& dirs, const std::filesystem::path& besideProgram);

// Makes `home` and its layouts folder where missing and copies in every sample "*.set" file whose
// name is free there (the first sample folder holding a name wins; nothing there is ever
// replaced). Returns an empty text, or why the layouts folder cannot be made (UTF-8); a sample that
// cannot be copied is left out silently.
std::string PrepareLayoutHome(const std::filesystem::path& home, const std::vector<std::filesystem::path>& sampleFolders);

}  // namespace tilvaro::desktop
