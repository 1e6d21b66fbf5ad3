#pragma once
// The folders of the XDG base-directory rules, the current desktops and the program search path,
// taken from the environment at the moment they are asked for.

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tilvaro::desktop {

struct XdgDirs {
  std::filesystem::path configHome;                   // XDG_CONFIG_HOME, default ~/.config
  std::vector<std::filesystem::path> configDirs;      // XDG_CONFIG_DIRS, default /etc/xdg
  std::filesystem::path dataHome;                     // XDG_DATA_HOME, default ~/.local/share
  std::vector<std::filesystem::path> dataDirs;        // XDG_DATA_DIRS, default /usr/local/share:/usr/share
  std::vector<std::string> desktops;                  // XDG_CURRENT_DESKTOP, lower-cased, in order
  std::vector<std::filesystem::path> programSearchPath;  // PATH

  // Reads the variables through `lookup` (getenv by default). Relative folders are ignored, as the
  // rules say; a home folder is left empty when HOME is not set either.
  using Lookup = std::function<const char*(const char* name)>;
  static XdgDirs FromEnvironment(const Lookup& lookup = [](const char* name) { return std::getenv(name); });
};

}  // namespace tilvaro::desktop
